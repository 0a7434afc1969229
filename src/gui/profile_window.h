#pragma once
// The Profile window: start pipe, outfall and tailwater, the drawing of the run
// with the values under the pointer, and Export.

#include <QDialog>
#include <string>

#include "forms/profile_form.h"
#include "gui/field_binder.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace pelvane::gui {

class DrawingView;

class ProfileWindow : public QDialog {
    Q_OBJECT
  public:
    ProfileWindow(store::ProjectContext& context, forms::Ui& ui, QWidget* parent = nullptr);

    // Opens on the run from `start` to `outfall` (see forms::ProfileForm::open).
    void open_run(const std::string& start, const std::string& outfall,
                  const std::string& tailwater);

    forms::ProfileForm& form() { return form_; }
    DrawingView* view() const { return view_; }
    QPushButton* export_button() const { return export_; }

  private:
    forms::ProfileForm form_;
    FieldBinder binder_;
    DrawingView* view_ = nullptr;
    QPushButton* export_ = nullptr;
};

// Shows the window modally over `parent` on the run from `start` to `outfall`.
void show_profile(store::ProjectContext& context, forms::Ui& ui, QWidget* parent,
                  const std::string& start, const std::string& outfall,
                  const std::string& tailwater);

}  // namespace pelvane::gui
