#include "forms/main_window_form.h"

#include <initializer_list>

#include <array>
#include <utility>
#include <vector>

#include "forms/design_rainfall_notice.h"
#include "forms/input_conventions.h"
#include "forms/project_history.h"
#include "forms/window_titles.h"
#include "store/project_database.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;
using namespace main_window_texts;

// Everything Create and Open may have changed in the context before a step fails;
// a failed command puts it back, so the program is exactly as it was before.
struct ContextValues {
    std::string database_path, project_id, project_name, county, state, units, location, designer,
        inlet_database, noaa_station, major_release, product_name, last_folder,
        active_rainfall_database;
    bool legacy_database_mode = false;
    bool viewing_only = false;
    bool details_edit_mode = false;
    std::vector<std::string> county_list, station_list;

    explicit ContextValues(const store::ProjectContext& c)
        : database_path(c.database_path),
          project_id(c.project_id),
          project_name(c.project_name),
          county(c.county),
          state(c.state),
          units(c.units),
          location(c.location),
          designer(c.designer),
          inlet_database(c.inlet_database),
          noaa_station(c.noaa_station),
          major_release(c.major_release),
          product_name(c.product_name),
          last_folder(c.last_folder),
          active_rainfall_database(c.active_rainfall_database),
          legacy_database_mode(c.legacy_database_mode),
          viewing_only(c.viewing_only),
          details_edit_mode(c.details_edit_mode),
          county_list(c.county_list),
          station_list(c.station_list) {}

    void restore(store::ProjectContext& c) const {
        c.project_connection.close();
        c.rainfall_connection.close();
        c.database_path = database_path;
        c.project_id = project_id;
        c.project_name = project_name;
        c.county = county;
        c.state = state;
        c.units = units;
        c.location = location;
        c.designer = designer;
        c.inlet_database = inlet_database;
        c.noaa_station = noaa_station;
        c.major_release = major_release;
        c.product_name = product_name;
        c.last_folder = last_folder;
        c.active_rainfall_database = active_rainfall_database;
        c.legacy_database_mode = legacy_database_mode;
        c.viewing_only = viewing_only;
        c.details_edit_mode = details_edit_mode;
        c.county_list = county_list;
        c.station_list = station_list;
    }
};

// A file's PROJECT record may lack columns (legacy files have no release or product
// columns); what it lacks must read as empty, not as the previous project's value.
void forget_project_values(store::ProjectContext& c) {
    for (std::string* value :
         {&c.project_id, &c.project_name, &c.county, &c.state, &c.units, &c.location, &c.designer,
          &c.inlet_database, &c.noaa_station, &c.major_release, &c.product_name}) {
        value->clear();
    }
}

bool names_no_file(const std::string& path) {
    return path.empty() || path == "*.pvd" || fs::path(path).filename() == "*.pvd";
}

std::string clock_text(const std::tm& time, const char* pattern) {
    std::array<char, 32> buffer{};
    const std::size_t n = std::strftime(buffer.data(), buffer.size(), pattern, &time);
    return std::string(buffer.data(), n);
}

}  // namespace

MainWindowForm::MainWindowForm(store::ProjectContext& context, Ui& ui, Windows& windows,
                               Clock clock)
    : FormModel(field_names::kMain),
      context_(context),
      ui_(ui),
      windows_(windows),
      clock_(std::move(clock)),
      recent_(context.user_data_folder) {
    for (const FieldName item :
         std::initializer_list<FieldName>{"mnufile", "mnuexit", "mnuDesign", "mnuPipe", "mnuTools",
                                          "mnuRainfallData", "mnuHelp", "mnusubHelp", "mnuabout"}) {
        fields[item].enabled = true;
    }
    for (const FieldName panel : std::initializer_list<FieldName>{"status_database", "status_units",
                                                                  "status_date", "status_time"}) {
        fields.set_text(panel, "");
    }
    context_.last_folder.clear();
    context_.product_name.clear();
    context_.legacy_database_mode = false;
    set_menus(false);
    tick();
}

void MainWindowForm::set_menus(bool project_open) {
    project_open_ = project_open;
    fields.set_enabled("mnucreateProj", true);
    fields.set_enabled("mnuopenProj", true);
    fields.set_enabled("mnuupdateProj", project_open && !context_.viewing_only);
    fields.set_enabled("mnucloseProj", project_open);
    fields.set_enabled("mnucompactHistory", project_open);
}

void MainWindowForm::tick() {
    if (!clock_) return;
    const std::tm now = clock_();
    fields.set_text("status_date", clock_text(now, "%m/%d/%Y"));
    fields.set_text("status_time", clock_text(now, "%I:%M %p"));
}

void MainWindowForm::show_database_status(std::string text) {
    fields.set_text("status_database", std::move(text));
}

FileDialog MainWindowForm::project_dialog(bool save) const {
    FileDialog dialog;
    dialog.save = save;
    dialog.title = save ? kCreateTitle : kOpenTitle;
    dialog.filter = kProjectFilter;
    dialog.initial_folder = dialog_folder(context_);
    dialog.default_extension = kProjectExtension;
    dialog.must_exist = !save;
    return dialog;
}

void MainWindowForm::fail(const std::string& description) {
    ui_.set_busy(false);
    ui_.message(description, Icon::Exclamation, kAppTitle);
}

void MainWindowForm::mnucreateProj() {
    context_.legacy_database_mode = false;
    const std::string path = ui_.choose_file(project_dialog(true));
    if (names_no_file(path)) {
        ui_.message(kNoDatabaseSelected, Icon::Exclamation, kMainTitle);
        return;
    }
    std::error_code ec;
    if (!may_overwrite(ui_, fs::exists(path, ec))) return;
    close_open_project();

    const ContextValues before(context_);
    ui_.set_busy(true);
    // The station lists come first, so that a missing rainfall database is found
    // before a file is made that could not be worked on.
    if (const auto lists = store::load_noaa_release_lists(context_); !lists.ok()) {
        before.restore(context_);
        fail(lists.error);
        return;
    }
    try {
        store::create_project_file(context_.program_folder, path);
        context_.database_path = fs::absolute(path).lexically_normal().string();
        remember_folder(context_, context_.database_path);
        short_file_name_ = fs::path(context_.database_path).filename().string();
        context_.details_edit_mode = false;
        store::connect(context_);
    } catch (const std::exception& e) {
        before.restore(context_);
        fail(e.what());
        return;
    }
    forget_project_values(context_);
    recent_.add(context_.database_path);
    ui_.set_busy(false);
    ui_.message(kCreated, Icon::Information, kMainTitle);

    windows_.show_project_details(store::DetailsWindow::NoaaStation);
    show_database_status(kDatabasePanel + short_file_name_);
    set_menus(true);
}

void MainWindowForm::mnuopenProj() {
    const std::string path = ui_.choose_file(project_dialog(false));
    // The open dialog only comes back empty when it was cancelled, and cancelling is
    // reported like any other failure of the command.
    if (path.empty()) {
        fail(kCancelSelected);
        return;
    }
    close_open_project();
    open_chosen(path);
}

void MainWindowForm::open_project_file(const std::string& path) {
    if (path.empty()) {
        ui_.message(kNoDatabaseSelected, Icon::Exclamation, kMainTitle);
        return;
    }
    close_open_project();
    open_chosen(path);
}

void MainWindowForm::open_recent(std::size_t index) {
    if (index >= recent_.paths().size()) return;
    const std::string path = recent_.paths()[index];
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        ui_.message(kRecentProjectGone + path, Icon::Exclamation, kMainTitle);
        recent_.remove(path);
        return;
    }
    open_project_file(path);
}

void MainWindowForm::close_open_project() {
    if (!project_open_) return;
    try {
        store::close_project(context_);
    } catch (const std::exception& e) {
        ui_.message(e.what(), Icon::None, kAppTitle);
    }
    set_menus(false);
    fields.set_text("status_database", "");
    fields.set_text("status_units", "");
    short_file_name_.clear();
    context_.product_name.clear();
    context_.database_path.clear();
    context_.viewing_only = false;
}

std::string MainWindowForm::title() const {
    return project_window_title(context_, kAppTitle);
}

bool MainWindowForm::open_chosen(const std::string& path) {
    const ContextValues before(context_);
    const std::string status_before = fields.text("status_database");
    const auto undo = [&](const std::string& description) {
        before.restore(context_);
        show_database_status(status_before);
        ui_.set_busy(false);
        if (!description.empty()) ui_.message(description, Icon::Exclamation, kAppTitle);
        return false;
    };

    show_database_status(kOpening);
    ui_.set_busy(true);
    // Whether the file exists and is a project is for the open itself to say.
    std::error_code ec;
    const bool viewing_only = fs::exists(path, ec) && !store::project_file_writable(path);
    try {
        forget_project_values(context_);
        store::open_project(context_, path,
                            viewing_only ? store::Access::Compute : store::Access::Design);
    } catch (const std::exception& e) {
        return undo(e.what());
    }
    context_.viewing_only = viewing_only;
    remember_folder(context_, context_.database_path);
    recent_.add(context_.database_path);
    const std::string short_name = fs::path(context_.database_path).filename().string();
    ui_.set_busy(false);

    if (!load_release_lists()) return undo("");

    if (context_.project_name.empty()) {
        ui_.message(kNoProjectFound, Icon::Exclamation, kMainTitle);
        context_.details_edit_mode = false;
        if (!context_.viewing_only)
            windows_.show_project_details(store::DetailsWindow::NoaaStation);
    } else {
        ui_.message(kProjectName + context_.project_name, Icon::Information, kMainTitle);
        if (const auto notice = design_rainfall_notice(context_)) {
            ui_.message(*notice, Icon::Exclamation, kMainTitle);
        }
    }
    short_file_name_ = short_name;
    show_database_status(kDatabasePanel + short_file_name_ +
                         (context_.viewing_only ? kViewingOnlyPanel : ""));
    fields.set_text("status_units", kUnitsPanel + context_.units);
    set_menus(true);
    return true;
}

bool MainWindowForm::load_release_lists() {
    const bool older =
        !context_.project_name.empty() && context_.major_release != store::kNoaaRelease;
    if (!older) {
        const auto lists = store::load_noaa_release_lists(context_);
        if (!lists.ok()) fail(lists.error);
        return lists.ok();
    }
    // A file open for viewing cannot be converted, so the question is not asked.
    if (!context_.viewing_only &&
        ui_.ask(kConvertQuestion, Buttons::YesNo, Icon::Exclamation, kAppTitle) == Answer::Yes) {
        windows_.show_project_conversion();
        // The conversion window reports its own failures; the file is at the NOAA
        // release once it has run, and works only with the NOAA lists it loaded.
        if (context_.major_release == store::kNoaaRelease) {
            return context_.rainfall_connection.is_open();
        }
        // Closed without converting: the file stays at its release.
    }
    const auto lists = store::load_older_release_lists(context_);
    if (!lists.ok()) fail(lists.error);
    return lists.ok();
}

void MainWindowForm::mnuupdateProj() {
    if (context_.viewing_only) return;
    if (context_.project_name.empty()) {
        ui_.message(kNoProjectFound, Icon::Exclamation, kMainTitle);
        ui_.set_busy(false);
        context_.details_edit_mode = false;
        windows_.show_project_details(store::DetailsWindow::NoaaStation);
        return;
    }
    context_.details_edit_mode = true;
    fields.set_enabled("mnucreateProj", false);
    fields.set_enabled("mnuopenProj", false);
    fields.set_enabled("mnucloseProj", true);
    windows_.show_project_details(context_.noaa_release() ? store::DetailsWindow::NoaaStation
                                                          : store::DetailsWindow::OlderRelease);
}

void MainWindowForm::mnucloseProj() {
    ui_.message(kClosed, Icon::Information, kAppTitle);
    close_open_project();
}

void MainWindowForm::undo() {
    if (project_open_) undo_command(context_, ui_);
}

void MainWindowForm::redo() {
    if (project_open_) redo_command(context_, ui_);
}

void MainWindowForm::compact_history() {
    if (project_open_) compact_history_command(context_.project_connection, ui_);
}

HistoryMenu MainWindowForm::history_menu() const {
    return project_open_ ? forms::history_menu(context_.project_connection) : HistoryMenu{};
}

void MainWindowForm::mnuPipe() {
    if (context_.project_name.empty()) {
        ui_.message(kSelectProject, Icon::Exclamation, kMainTitle);
        return;
    }
    if (context_.product_name != store::kProductName && !context_.legacy_database_mode) {
        ui_.message(kIncompatible, Icon::Exclamation, kMainTitle);
        return;
    }
    context_.grid_exit_flag = false;
    while (!context_.grid_exit_flag) windows_.show_pipe_grid();
}

void MainWindowForm::mnuRainfallData() {
    windows_.show_rainfall_data();
}

void MainWindowForm::mnusubHelp() {
    open_help(ui_, context_);
}

void MainWindowForm::mnuabout() {
    windows_.show_about();
}

void MainWindowForm::mnuexit() {
    context_.grid_exit_flag = false;
    windows_.exit_program();
}

}  // namespace pelvane::forms
