#pragma once
// File > Submittal... of the grid: shows forms::SubmittalForm (outfall, tailwater,
// folder, the lines written so far) and forwards every edit and command to it.

#include <QDialog>

#include "forms/submittal_form.h"
#include "gui/field_binder.h"

class QScrollArea;

namespace pelvane::gui {

class SubmittalDialog : public QDialog {
    Q_OBJECT
  public:
    SubmittalDialog(store::ProjectContext& context, forms::Ui& ui, QWidget* parent);

  protected:
    // Closing by the close box or Escape while writing is a Cancel.
    void reject() override;

  private:
    void write();

    forms::SubmittalForm form_;
    FieldBinder binder_;
    QScrollArea* scroll_ = nullptr;
};

// Shows the dialog modally over `parent`.
void show_submittal(store::ProjectContext& context, forms::Ui& ui, QWidget* parent);

}  // namespace pelvane::gui
