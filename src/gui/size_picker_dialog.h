#pragma once
// The size pickers (`frmEPipeSize` and its nine siblings): the standard sizes of a
// shape in four columns, Select and Cancel. One window serves all ten over the
// picker model.

#include <QDialog>
#include <memory>

#include "forms/size_picker_form.h"
#include "gui/field_binder.h"

class QTableWidget;

namespace pelvane::forms {
class Ui;
}

namespace pelvane::gui {

class SizePickerDialog : public QDialog {
    Q_OBJECT
  public:
    // `ui` shows what goes wrong in an event.
    SizePickerDialog(forms::SizePickerForm& picker, forms::Ui& ui, QWidget* parent = nullptr);
    QTableWidget* table() const { return table_; }

  protected:
    void reject() override;

  private:
    forms::SizePickerForm& picker_;
    std::unique_ptr<FieldBinder> binder_;
    QTableWidget* table_;
};

}  // namespace pelvane::gui
