#pragma once
// A text field for numbers: filters keys like every numeric field of the program
// (digits, one point, control keys; the minus sign only in signed fields), moves
// on to the next field on Enter, and selects its whole text when it gets the focus
// so the next key replaces the value.

#include <QLineEdit>

namespace pelvane::gui {

class NumericLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit NumericLineEdit(QWidget* parent = nullptr, bool signed_field = false);
    void set_signed(bool signed_field) { signed_ = signed_field; }
    bool is_signed() const { return signed_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    bool signed_;
};

// Select-all on focus for plain text fields too.
class SelectingLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace pelvane::gui
