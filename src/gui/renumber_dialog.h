#pragma once
// The renumber dialog ("Modify Pipe Number") over the grid.

#include <QDialog>

#include "forms/renumber_form.h"
#include "gui/field_binder.h"

class QLineEdit;
class QPushButton;

namespace pelvane::forms {
class Ui;
}

namespace pelvane::gui {

class RenumberDialog : public QDialog {
    Q_OBJECT
  public:
    // `ui` shows what goes wrong in an event.
    RenumberDialog(forms::RenumberForm& form, forms::Ui& ui, QWidget* parent = nullptr);

    QLineEdit* new_number_field() const { return new_number_; }
    QPushButton* accept_button() const { return accept_; }

  public slots:
    // The close box and Escape cancel, as the Cancel button does.
    void reject() override;

  private:
    forms::RenumberForm& form_;
    FieldBinder binder_;
    QLineEdit* new_number_ = nullptr;
    QPushButton* accept_ = nullptr;
};

}  // namespace pelvane::gui
