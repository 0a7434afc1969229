#pragma once
// The project details windows: the NOAA-station window (`frmProjectNOAA`), used for
// every new project and for projects at release "2.1", and its older twin
// (`frmProject`) for projects that stayed at an older release, which has no NOAA
// station, no release field and no NOAA Station Help. Both add the single PROJECT
// record of a new project or edit the existing one.
//
// Fields: `project_id`, `project_name`, `description`, `location`, `county` (items:
// the county list), `state`, `units` (items "ENGLISH", "METRIC"), `designer`,
// `inlet_database`, and in the NOAA-station window `noaa_station` (items: the station
// list) and `major_release`; `rainfall_note`, which says when the rainfall data of
// the chosen station (or, in the older window, county) must still be imported; the
// commands `cmdNOAAStationHelp` (visible in the NOAA-station window only) and
// `cmdRainfallData`, which opens Rainfall Data over the window.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "forms/form_model.h"
#include "forms/ui.h"
#include "store/project_context.h"
#include "store/project_details.h"

namespace pelvane::forms {

namespace project_details_texts {
inline constexpr const char* kCaption = "Project";
inline constexpr const char* kFrame = "Project Details";
// Labels.
inline constexpr const char* kProjectId = "PROJECT ID";
inline constexpr const char* kProjectName = "PROJECT NAME";
inline constexpr const char* kDescription = "DESCRIPTION";
inline constexpr const char* kLocation = "LOCATION";
inline constexpr const char* kCounty = "COUNTY";
inline constexpr const char* kState = "STATE";
inline constexpr const char* kUnits = "UNITS";
inline constexpr const char* kDesigner = "DESIGNED BY";
inline constexpr const char* kInletDatabase = "INLET DATABASE";
inline constexpr const char* kHistoryLimit = "HISTORY STEPS KEPT";
// The history keeps at least one step; beyond a thousand the file grows to no use.
inline constexpr int kMaxHistoryLimit = 1000;
// Menus and buttons; "&" marks the mnemonic.
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kSave = "&Save";     // mnuprojsave
inline constexpr const char* kExit = "&Exit";     // mnuprojexit
inline constexpr const char* kBrowse = "Browse";  // mnubrowseInlet
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kHelp = "&Help";              // mnuprojsubhelp
inline constexpr const char* kAbout = "&About Marrowind";  // mnuprojabout
// Messages and dialogs.
inline constexpr const char* kRainfallData = "Rainfall Data\u2026";  // cmdRainfallData
inline constexpr const char* kSaved = "Project Details are Saved!";
inline constexpr const char* kNoIntensityYet =
    " Until then no pipe of this project can compute its rainfall intensity.";
inline constexpr const char* kOpenRainfallData = "Open Rainfall Data now to import them?";
inline constexpr const char* kExitQuestion = "Exit without saving? ";
inline constexpr const char* kCancelled = "Update Cancelled";
inline constexpr const char* kCreateProject = "Create Project";  // main window status panel
inline constexpr const char* kInletTitle = "Open Inlet Database";
inline constexpr const char* kInletFilter = "Gratewick files (*.gwk;*.mwp)|*.gwk;*.mwp";
}  // namespace project_details_texts

class ProjectDetailsForm : public FormModel {
  public:
    // `set_status` writes the main window's status panel 1; `show_rainfall_data`
    // opens Rainfall Data and returns when it has closed.
    ProjectDetailsForm(store::ProjectContext& context, Ui& ui, store::DetailsWindow window,
                       std::function<void(std::string)> set_status = {},
                       std::function<void()> show_rainfall_data = {});

    // Loads the first PROJECT record; edit mode when details edit mode is on or the
    // table holds a record, else a new record is started with its initial values.
    void open();

    // A bound field was changed by the person. A change of `units` runs the list
    // check; a change of the county or station says again whether its rainfall data
    // are there.
    void field_edited(FieldName field);

    // Commands. Save refuses a county or station that is not in its list, naming
    // the closest; when the rainfall data are missing it offers Rainfall Data.
    void mnuprojsave();
    void mnuprojexit();
    void mnubrowseInlet();
    void mnuprojsubhelp();
    void cmdNOAAStationHelp();
    void cmdRainfallData();

    // Every way of closing the window asks this first: false keeps the window open.
    bool request_close();

    store::DetailsWindow window() const { return window_; }
    bool edit_mode() const { return edit_mode_; }
    bool adding() const { return adding_; }
    bool changed() const { return changed_; }

  private:
    bool noaa() const { return window_ == store::DetailsWindow::NoaaStation; }
    void show_record(const store::ProjectDetails& details);
    store::ProjectDetails details() const;
    void cancel_edits();
    // Reads the first record again into the fields; false when there is none.
    bool reload();
    // Why the chosen station or county cannot give intensities yet ("" when it can).
    std::string missing_rainfall() const;
    void show_rainfall_note();

    store::ProjectContext& context_;
    Ui& ui_;
    store::DetailsWindow window_;
    std::function<void(std::string)> set_status_;
    std::function<void()> show_rainfall_data_;
    bool edit_mode_ = false;
    bool adding_ = false;
    bool changed_ = false;
};

// A project file made from the template and given its details at once, as Create
// followed by the details window's OK leaves it (for a demonstration project).
void create_project(const std::filesystem::path& program_folder, const std::filesystem::path& file,
                    const store::ProjectDetails& details);

}  // namespace pelvane::forms
