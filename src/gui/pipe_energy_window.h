#pragma once
// The outlet protection window ("Energy Dissipation Analysis") over its model, and
// the function the pipe network grid calls to show it.

#include <QDialog>

#include "forms/pipe_energy_form.h"
#include "gui/field_binder.h"

class QLineEdit;
class QMenuBar;

namespace pelvane::gui {

class PipeEnergyWindow : public QDialog, private forms::PipeEnergyForm::Windows {
    Q_OBJECT
  public:
    PipeEnergyWindow(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
                     QWidget* parent = nullptr);

    forms::PipeEnergyForm& form() { return form_; }
    FieldBinder& binder() { return binder_; }

  public slots:
    // Esc and the close box run the close rule; the window stays when it says no.
    void reject() override;

  private:
    void build_menus();
    void build_body();
    void show_decision();

    // forms::PipeEnergyForm::Windows
    void show_energy_dissipation(forms::EnergyDissipationForm& dissipators) override;
    void about() override;

    forms::Ui& ui_;
    forms::PipeEnergyForm form_;
    FieldBinder binder_;
    QMenuBar* menu_bar_ = nullptr;
    QLineEdit* decision_ = nullptr;
};

// Opens the outlet protection window modally over `parent` and returns when it
// closes.
void show_energy_dissipation(store::ProjectContext& context, forms::DesignSession& session,
                             forms::Ui& ui, QWidget* parent);

}  // namespace pelvane::gui
