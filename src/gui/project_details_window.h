#pragma once
// The project details windows over ProjectDetailsForm: the NOAA-station window and
// the older-release window (without the station, the release and the NOAA Station
// Help button).

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "forms/project_details_form.h"
#include "gui/field_binder.h"

namespace pelvane::gui {

class ProjectDetailsWindow : public QDialog {
    Q_OBJECT
  public:
    // `show_rainfall_data` opens Rainfall Data over the window it is given.
    ProjectDetailsWindow(store::ProjectContext& context, store::DetailsWindow which,
                         std::function<void(std::string)> set_status,
                         std::function<void(QWidget*)> show_rainfall_data, forms::Ui& ui,
                         QWidget* parent = nullptr);

    forms::ProjectDetailsForm& form() { return *form_; }

  public slots:
    void reject() override;

  private:
    void build(forms::Ui& ui);

    std::unique_ptr<forms::ProjectDetailsForm> form_;
    std::unique_ptr<FieldBinder> binder_;
};

}  // namespace pelvane::gui
