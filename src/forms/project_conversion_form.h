#pragma once
// The release-conversion window (`frmProjectUpdate`): asks for the NOAA station of
// an older or legacy project file and converts the file to the NOAA-station
// release "2.1", then loads the NOAA county and station lists.
//
// Fields: `noaa_station` (items: the stations of the NOAA rainfall database in its
// list order, initial text "Abingdon 3 S").

#include <string>

#include "forms/form_model.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

namespace project_conversion_texts {
inline constexpr const char* kCaption = "Update Project";
inline constexpr const char* kFrame = "Select NOAA Station";
inline constexpr const char* kUpdate = "Update Project";  // btnUpdate
inline constexpr const char* kInitialStation = "Abingdon 3 S";
}  // namespace project_conversion_texts

class ProjectConversionForm : public FormModel {
  public:
    ProjectConversionForm(store::ProjectContext& context, Ui& ui);

    // Fills the station list from the NOAA rainfall database.
    void open();

    // Converts the project file with the chosen station, reloads the lists and asks
    // for the window to close.
    void btnUpdate();
    void cmdNOAAStationHelp();

    bool converted() const { return converted_; }

  private:
    store::ProjectContext& context_;
    Ui& ui_;
    bool converted_ = false;
};

}  // namespace pelvane::forms
