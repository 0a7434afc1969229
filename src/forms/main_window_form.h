#pragma once
// The main window (`frmsoftwaremain`): the project commands (create, open, update
// details, close), the pipe design entry, help, About and Exit, the menu states
// that follow whether a project is open, and the four status panels (project
// database, units, date, time). The windows it opens are reached through the
// `Windows` interface, which the desktop program implements with real windows and
// tests implement with fakes that drive the child models.
//
// Fields: the menu items by control name (`mnucreateProj`, `mnuopenProj`,
// `mnuupdateProj`, `mnucloseProj`, ...), only their enabled state matters; the
// status panels `status_database`, `status_units`, `status_date`, `status_time`.

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "forms/form_model.h"
#include "forms/project_history.h"
#include "forms/recent_projects.h"
#include "forms/ui.h"
#include "platform/platform.h"
#include "store/project_context.h"
#include "store/project_details.h"

namespace pelvane::forms {

namespace main_window_texts {
// Menu captions; "&" marks the mnemonic.
inline constexpr const char* kFileMenu = "&File";                         // mnufile
inline constexpr const char* kCreateProject = "&Create New Project";      // mnucreateProj
inline constexpr const char* kOpenProject = "&Open Project";              // mnuopenProj
inline constexpr const char* kUpdateProject = "&Update Project Details";  // mnuupdateProj
inline constexpr const char* kCloseProject = "Close Project";             // mnucloseProj
inline constexpr const char* kCompactHistory = "Compact History...";      // mnucompactHistory
inline constexpr const char* kExit = "E&xit";                             // mnuexit
inline constexpr const char* kDesignMenu = "&Design";                     // mnuDesign
inline constexpr const char* kPipe = "&Pelvane";                          // mnuPipe
inline constexpr const char* kToolsMenu = "&Tools";                       // mnuTools
inline constexpr const char* kRainfallData = "&Rainfall Data\u2026";      // mnuRainfallData
inline constexpr const char* kHelpMenu = "&Help";                         // mnuHelp
inline constexpr const char* kHelp = "&Help";                             // mnusubHelp
inline constexpr const char* kAbout = "About Marrowind";                  // mnuabout

// Status panel texts.
inline constexpr const char* kDatabasePanel = "Project Database - ";
inline constexpr const char* kUnitsPanel = "UNITS: ";
inline constexpr const char* kOpening = "Opening Project Database.  Please wait...";
inline constexpr const char* kViewingOnlyPanel = "  (read-only: open for viewing)";

// Dialogs.
inline constexpr const char* kProjectFilter = "Pelvane files (*.pvd)|*.pvd";
inline constexpr const char* kProjectExtension = ".pvd";
inline constexpr const char* kCreateTitle = "Enter New Project Database File Name";
inline constexpr const char* kOpenTitle = "Open";
// What the open dialogs report when the person cancels them.
inline constexpr const char* kCancelSelected = "Cancel was selected.";

// Messages.
inline constexpr const char* kNoDatabaseSelected = "No project database selected!";
inline constexpr const char* kCreated =
    "New Project Database has been created.  Please Add Project Details";
inline constexpr const char* kConvertQuestion =
    "Would you like to convert the current database version to comply with new VDOT Drainage "
    "Manual to include NOAA Stations?";
inline constexpr const char* kNoProjectFound = "No Project Found.  Please Add Project Details";
inline constexpr const char* kProjectName = "Project Name: ";
inline constexpr const char* kClosed = "Current Project Is Closed!";
inline constexpr const char* kSelectProject = "Please Select Current Working Project!";
inline constexpr const char* kIncompatible =
    "This is an Incompatible Project Database! Please use correct version of the database";
}  // namespace main_window_texts

// The windows the main window opens, each shown modally: the call returns when the
// window has closed.
class Windows {
  public:
    virtual ~Windows() = default;
    virtual void show_project_details(store::DetailsWindow window) = 0;
    virtual void show_project_conversion() = 0;
    // The pipe network grid; it sets the context's grid exit flag unless it closed
    // only to be shown again with fresh data.
    virtual void show_pipe_grid() = 0;
    virtual void show_rainfall_data() = 0;
    virtual void show_about() = 0;
    // Unloads every window and ends the program.
    virtual void exit_program() = 0;
};

// Local date and time for the status bar, read from a clock the view supplies
// (`local_now` in the program, a fixed time in tests).
using Clock = std::function<std::tm()>;
using platform::local_now;

class MainWindowForm : public FormModel {
  public:
    // Loading the window: no project, Close Project and Update disabled, the last
    // folder and the stored product name cleared, legacy database mode off.
    MainWindowForm(store::ProjectContext& context, Ui& ui, Windows& windows, Clock clock);

    // Commands.
    void mnucreateProj();
    void mnuopenProj();
    // Open without the dialog: the file chosen on the command line.
    void open_project_file(const std::string& path);
    // Opens entry `index` of the recent projects (a file that is gone is said so and
    // taken off the list).
    void open_recent(std::size_t index);
    const std::vector<std::string>& recent_projects() const { return recent_.paths(); }
    void mnuupdateProj();
    void mnucloseProj();
    // Edit > Undo / Redo and File > Compact History, on the open project.
    void undo();
    void redo();
    void compact_history();
    HistoryMenu history_menu() const;
    void mnuPipe();
    void mnuRainfallData();
    void mnusubHelp();
    void mnuabout();
    void mnuexit();

    // Rewrites the date and time panels from the clock.
    void tick();
    // Status panel 1, also written by the project details window.
    void show_database_status(std::string text);

    bool project_open() const { return project_open_; }
    // The window's title: the project's file name, then the program's.
    std::string title() const;
    const std::string& short_file_name() const { return short_file_name_; }

  private:
    void set_menus(bool project_open);
    // The create (save) or open dialog of project files.
    FileDialog project_dialog(bool save) const;
    // Steps of Open after the dialog; false when a step failed and everything was
    // put back.
    bool open_chosen(const std::string& path);
    // Loads the county and station lists of the release in use, offering the
    // conversion of an older file.
    bool load_release_lists();
    void fail(const std::string& description);
    // Create and Open work while a project is open: once the new file is chosen, the
    // open one is closed first (everything in it is saved by then).
    void close_open_project();

    store::ProjectContext& context_;
    Ui& ui_;
    Windows& windows_;
    Clock clock_;
    bool project_open_ = false;
    std::string short_file_name_;
    RecentProjects recent_;
};

}  // namespace pelvane::forms
