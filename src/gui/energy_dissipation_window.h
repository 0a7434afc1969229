#pragma once
// The dissipator window ("Energy Dissipation Analysis") over its model: one frame
// per design method.

#include <QDialog>

#include "forms/energy_dissipation_form.h"
#include "gui/field_binder.h"

class QMenuBar;

namespace pelvane::forms {
class Ui;
}

namespace pelvane::gui {

class EnergyDissipationWindow : public QDialog {
    Q_OBJECT
  public:
    // The model is already opened by the outlet protection window.
    // `ui` shows what goes wrong in an event.
    EnergyDissipationWindow(forms::EnergyDissipationForm& form, forms::Ui& ui,
                            QWidget* parent = nullptr);

    forms::EnergyDissipationForm& form() { return form_; }
    FieldBinder& binder() { return binder_; }

  public slots:
    // Esc and the close box run the close rule ("Save Changes?").
    void reject() override;

  private:
    void build_menus();
    void build_body();

    forms::EnergyDissipationForm& form_;
    FieldBinder binder_;
    QMenuBar* menu_bar_ = nullptr;
};

}  // namespace pelvane::gui
