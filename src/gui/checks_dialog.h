#pragma once
// The Checks panel over the pipe network grid: shows forms::ChecksForm (violations,
// criteria, the grade line's start) and forwards every edit and command to it.

#include <QDialog>

#include "forms/checks_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace pelvane::gui {

class ChecksDialog : public QDialog {
    Q_OBJECT
  public:
    ChecksDialog(forms::ChecksForm& form, QWidget* parent);

  private:
    void show_criteria();
    void show_violations();
    void criterion_edited(int row, int column);

    forms::ChecksForm& form_;
    QTableWidget* violations_ = nullptr;
    QTableWidget* criteria_ = nullptr;
    QLabel* status_ = nullptr;
    QComboBox* outfall_ = nullptr;
    QLineEdit* tailwater_ = nullptr;
    bool showing_ = false;  // the tables are being filled from the form, not edited
};

}  // namespace pelvane::gui
