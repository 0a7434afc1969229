#pragma once
// The Size Pipes dialog over the grid.

#include <QDialog>

#include "forms/sizing_form.h"
#include "gui/field_binder.h"

namespace pelvane::gui {

class SizingDialog : public QDialog {
    Q_OBJECT
  public:
    // `ui` shows what goes wrong in an event.
    SizingDialog(forms::SizingForm& form, forms::Ui& ui, QWidget* parent = nullptr);

  public slots:
    // The close box and Escape cancel, as the Cancel button does.
    void reject() override;

  private:
    forms::SizingForm& form_;
    FieldBinder binder_;
};

}  // namespace pelvane::gui
