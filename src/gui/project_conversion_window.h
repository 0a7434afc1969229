#pragma once
// The release-conversion window over ProjectConversionForm.

#include <QDialog>
#include <memory>

#include "forms/project_conversion_form.h"
#include "gui/field_binder.h"

namespace pelvane::gui {

class ProjectConversionWindow : public QDialog {
    Q_OBJECT
  public:
    ProjectConversionWindow(store::ProjectContext& context, forms::Ui& ui,
                            QWidget* parent = nullptr);

    forms::ProjectConversionForm& form() { return *form_; }

  private:
    std::unique_ptr<forms::ProjectConversionForm> form_;
    std::unique_ptr<FieldBinder> binder_;
};

}  // namespace pelvane::gui
