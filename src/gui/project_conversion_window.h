#pragma once
// The release-conversion window over ProjectConversionForm.

#include <QDialog>
#include <memory>

#include "forms/project_conversion_form.h"

namespace pelvane::gui {

class FieldBinder;

class ProjectConversionWindow : public QDialog {
    Q_OBJECT
  public:
    ProjectConversionWindow(store::ProjectContext& context, forms::Ui& ui,
                            QWidget* parent = nullptr);
    ~ProjectConversionWindow() override;

    forms::ProjectConversionForm& form() { return *form_; }

  private:
    std::unique_ptr<forms::ProjectConversionForm> form_;
    FieldBinder* binder_ = nullptr;
};

}  // namespace pelvane::gui
