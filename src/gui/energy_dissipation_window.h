#pragma once
// The dissipator window ("Energy Dissipation Analysis") over its model: one frame
// per design method.

#include <QDialog>

#include "forms/energy_dissipation_form.h"
#include "gui/field_binder.h"

class QMenuBar;

namespace pelvane::gui {

class EnergyDissipationWindow : public QDialog {
    Q_OBJECT
  public:
    // The model is already opened by the outlet protection window.
    EnergyDissipationWindow(forms::EnergyDissipationForm& form, QWidget* parent = nullptr);

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
