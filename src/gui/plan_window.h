#pragma once
// The Network Plan window: the result to colour the pipes by, the plan, the pipe
// under the pointer, and Export.

#include <QDialog>

#include "forms/plan_form.h"
#include "gui/field_binder.h"

namespace pelvane::gui {

class DrawingView;

class PlanWindow : public QDialog {
    Q_OBJECT
  public:
    PlanWindow(store::ProjectContext& context, forms::Ui& ui, forms::PlanForm::PipeActions actions,
               QWidget* parent = nullptr);

    forms::PlanForm& form() { return form_; }
    DrawingView* view() const { return view_; }

  private:
    forms::PlanForm form_;
    FieldBinder binder_;
    DrawingView* view_ = nullptr;
};

// Shows the window modally over `parent`.
void show_plan(store::ProjectContext& context, forms::Ui& ui, QWidget* parent,
               forms::PlanForm::PipeActions actions);

}  // namespace pelvane::gui
