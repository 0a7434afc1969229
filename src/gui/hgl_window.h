#pragma once
// The HGL window: choose the outfall (or any structure) and the tailwater
// elevation, and compute the grade line onto form LD-347.

#include <QDialog>

#include "forms/hgl_form.h"
#include "gui/field_binder.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace pelvane::gui {

class HglWindow : public QDialog {
    Q_OBJECT
  public:
    HglWindow(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
              QWidget* parent = nullptr);

    forms::HglForm& form() { return form_; }
    QComboBox* node_list() const { return node_; }
    QLineEdit* tailwater() const { return tailwater_; }
    QPushButton* compute_button() const { return compute_; }

  private:
    store::ProjectContext& context_;
    forms::Ui& ui_;
    forms::HglForm form_;
    FieldBinder binder_;
    QComboBox* node_ = nullptr;
    QLineEdit* tailwater_ = nullptr;
    QPushButton* compute_ = nullptr;
};

// The grid's "HGL Analysis": shows the window modally over `parent`.
void show_hgl(store::ProjectContext& context, forms::DesignSession& session, forms::Ui& ui,
              QWidget* parent);

}  // namespace pelvane::gui
