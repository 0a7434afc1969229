#include "forms/project_details_form.h"

#include <cmath>
#include <initializer_list>

#include <optional>
#include <utility>

#include "core/text/number_text.h"
#include "forms/input_conventions.h"
#include "forms/main_window_form.h"
#include "forms/project_history.h"
#include "store/history.h"
#include "store/project_database.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {
namespace {

using namespace project_details_texts;

const std::vector<std::string> kUnitItems = {std::string(kEnglish), std::string(kMetric)};

// The fields bound to the record, and the value each holds.
struct BoundField {
    FieldName field;
    std::string store::ProjectDetails::*value;
    bool noaa_only;
};
constexpr BoundField kBound[] = {
    {"project_id", &store::ProjectDetails::project_id, false},
    {"project_name", &store::ProjectDetails::project_name, false},
    {"description", &store::ProjectDetails::description, false},
    {"location", &store::ProjectDetails::location, false},
    {"county", &store::ProjectDetails::county, false},
    {"state", &store::ProjectDetails::state, false},
    {"units", &store::ProjectDetails::units, false},
    {"designer", &store::ProjectDetails::designer, false},
    {"inlet_database", &store::ProjectDetails::inlet_database, false},
    {"noaa_station", &store::ProjectDetails::noaa_station, true},
    {"major_release", &store::ProjectDetails::major_release, true},
};

// Copies the columns a record holds into the context; a file without the release
// columns leaves those values as they were.
void copy_into_context(store::ProjectContext& context, const store::TextRecord& record,
                       bool noaa_window) {
    const auto copy = [&](store::Column column, std::string& value) {
        if (record.holds(column)) value = record.get(column);
    };
    copy("PROJECT_ID", context.project_id);
    copy("PROJECT_NAME", context.project_name);
    copy("STATE", context.state);
    copy("COUNTY", context.county);
    if (noaa_window) copy("NOAA_STATION", context.noaa_station);
    copy("LOCATION", context.location);
    copy("UNITS", context.units);
    copy("DESIGNER", context.designer);
    copy("INLET_DATABASE", context.inlet_database);
    if (noaa_window) copy("MAJOR_RELEASE", context.major_release);
    // A legacy file's product name is not its own: legacy files are recognised by
    // their path, and the older window leaves the name alone for them.
    if (noaa_window || !context.legacy_database_mode) copy("PRODUCT_NAME", context.product_name);
}

}  // namespace

ProjectDetailsForm::ProjectDetailsForm(store::ProjectContext& context, Ui& ui,
                                       store::DetailsWindow window,
                                       std::function<void(std::string)> set_status,
                                       std::function<void()> show_rainfall_data)
    : FormModel(field_names::kProjectDetails),
      context_(context),
      ui_(ui),
      window_(window),
      set_status_(std::move(set_status)),
      show_rainfall_data_(std::move(show_rainfall_data)) {
    for (const BoundField& b : kBound) fields.set_text(b.field, "");
    fields.set_text("rainfall_note", "");
    fields.set_text("history_limit", std::to_string(store::kDefaultHistoryLimit));
    fields["noaa_station"].visible = noaa();
    fields["major_release"].visible = false;
    fields["cmdNOAAStationHelp"].visible = noaa();
}

void ProjectDetailsForm::show_record(const store::ProjectDetails& d) {
    for (const BoundField& b : kBound) {
        if (!b.noaa_only || noaa()) fields.set_text(b.field, d.*b.value);
    }
}

store::ProjectDetails ProjectDetailsForm::details() const {
    store::ProjectDetails d;
    for (const BoundField& b : kBound) d.*b.value = fields.text(b.field);
    return d;
}

void ProjectDetailsForm::open() {
    fields["county"].items = context_.county_list;
    if (noaa()) fields["noaa_station"].items = context_.station_list;
    fields["units"].items = kUnitItems;
    fields.set_text("units", kUnitItems.front());

    context_.product_name.clear();
    std::optional<store::TextRecord> record;
    try {
        record = store::details_record(context_.project_connection);
    } catch (const std::exception& e) {
        ui_.message(e.what(), Icon::Exclamation, kAppTitle);
        close_requested = true;
        return;
    }
    if (record) {
        copy_into_context(context_, *record, noaa());
        show_record(store::details_from_record(*record));
        fields.set_text("history_limit",
                        std::to_string(store::history_limit(context_.project_connection)));
    }
    changed_ = false;

    // The table decides as much as the flag: a file that already holds a record is
    // edited, never given a second one.
    edit_mode_ = context_.details_edit_mode || record.has_value();
    if (edit_mode_) {
        for (const FieldName fixed :
             std::initializer_list<FieldName>{"project_id", "units", "county", "noaa_station"}) {
            fields.set_enabled(fixed, false);
        }
        context_.units = fields.text("units");
        show_rainfall_note();
        return;
    }
    fields.set_enabled("project_id", true);
    fields.set_enabled("units", true);
    const store::ProjectDetails fresh;
    fields.set_text("state", fresh.state);
    fields.set_text("units", fresh.units);
    if (noaa()) {
        fields.set_text("noaa_station", fresh.noaa_station);
        fields.set_text("county", fresh.county);
        fields.set_text("major_release", fresh.major_release);
    }
    adding_ = true;
    context_.product_name = store::kProductName;
    if (set_status_) set_status_(kCreateProject);
    changed_ = true;
    show_rainfall_note();
}

void ProjectDetailsForm::field_edited(FieldName field) {
    changed_ = true;
    if (field == "units") list_check(fields["units"].text, fields["units"].items, ui_);
    if (field == "county" || field == "noaa_station") show_rainfall_note();
}

std::string ProjectDetailsForm::missing_rainfall() const {
    const store::RainfallFile file = noaa()                          ? store::RainfallFile::Station
                                     : context_.legacy_database_mode ? store::RainfallFile::Legacy
                                                                     : store::RainfallFile::County;
    const std::string& name = fields.text(noaa() ? FieldName("noaa_station") : FieldName("county"));
    if (name.empty()) return {};
    try {
        if (store::has_coefficients(context_, file, name)) return {};
    } catch (const std::exception& e) {
        return e.what();
    }
    return store::no_coefficients_message(file, name) + kNoIntensityYet;
}

void ProjectDetailsForm::show_rainfall_note() {
    fields.set_text("rainfall_note", missing_rainfall());
}

void ProjectDetailsForm::cmdRainfallData() {
    if (show_rainfall_data_) show_rainfall_data_();
    show_rainfall_note();
}

void ProjectDetailsForm::mnuprojsave() {
    store::ProjectDetails d = details();
    if (const auto missing = store::missing_required_field(d); !missing.empty()) {
        ui_.message(std::string(missing), Icon::Exclamation, kAppTitle);
        return;
    }
    // Only a record being added has its county and station typed or chosen here.
    if (!edit_mode_) {
        if (const auto refusal = store::match_listed_names(d, context_, window_);
            !refusal.empty()) {
            ui_.message(refusal, Icon::Exclamation, kAppTitle);
            return;
        }
        show_record(d);
    }
    const text::ParsedNumber limit = text::parse_number(fields.text("history_limit"));
    if (!limit.ok() || limit.value != std::floor(limit.value) || limit.value < 1 ||
        limit.value > kMaxHistoryLimit) {
        ui_.message(std::string(kHistoryLimit) + " must be a whole number from 1 to " +
                        std::to_string(kMaxHistoryLimit) + "; \"" + fields.text("history_limit") +
                        "\" is not.",
                    Icon::Exclamation, kAppTitle);
        return;
    }
    try {
        // The first record of a new project is its making, not a step of its history.
        std::optional<CommandStep> step;
        if (edit_mode_) step.emplace(context_.project_connection, step_names::kProjectDetails);
        store::save_project_details(context_, d, window_);
        store::set_history_limit(context_.project_connection, static_cast<int>(limit.value));
    } catch (const std::exception& e) {
        ui_.message(e.what(), Icon::Exclamation, kAppTitle);
        return;
    }
    adding_ = false;
    changed_ = false;
    context_.details_edit_mode = true;
    close_requested = true;
    const std::string missing = missing_rainfall();
    if (missing.empty()) {
        ui_.message(kSaved, Icon::Information, kAppTitle);
    } else if (ui_.ask(std::string(kSaved) + "\n\n" + missing + "\n\n" + kOpenRainfallData,
                       Buttons::YesNo, Icon::Exclamation, kAppTitle) == Answer::Yes) {
        cmdRainfallData();
    }
}

bool ProjectDetailsForm::request_close() {
    if (!changed_) return true;
    if (ui_.ask(kExitQuestion, Buttons::YesNo, Icon::Exclamation, kAppTitle) != Answer::Yes) {
        return false;
    }
    cancel_edits();
    return true;
}

void ProjectDetailsForm::mnuprojexit() {
    if (request_close()) close_requested = true;
}

bool ProjectDetailsForm::reload() {
    try {
        if (const auto record = store::details_record(context_.project_connection)) {
            show_record(store::details_from_record(*record));
            return true;
        }
    } catch (const std::exception& e) {
        // The saved details cannot be shown again: the person learns why before the
        // window closes on them.
        ui_.message(e.what(), Icon::Exclamation, kAppTitle);
    }
    return false;
}

void ProjectDetailsForm::cancel_edits() {
    // A record being added was never written, so dropping it is forgetting it.
    adding_ = false;
    if (!reload()) show_record(store::ProjectDetails{});
    ui_.message(kCancelled, Icon::None, kAppTitle);
    changed_ = false;
}

void ProjectDetailsForm::mnubrowseInlet() {
    context_.inlet_database.clear();
    FileDialog dialog;
    dialog.title = kInletTitle;
    dialog.filter = kInletFilter;
    dialog.initial_folder = dialog_folder(context_);
    dialog.must_exist = true;
    const std::string path = ui_.choose_file(dialog);
    // The open dialog only comes back empty when it was cancelled.
    if (path.empty()) {
        ui_.message(main_window_texts::kCancelSelected, Icon::Exclamation, kAppTitle);
        return;
    }
    remember_folder(context_, path);
    fields.set_text("inlet_database", path);
    changed_ = true;
}

void ProjectDetailsForm::mnuprojsubhelp() {
    open_help(ui_, context_, "projects");
}

void ProjectDetailsForm::cmdNOAAStationHelp() {
    open_noaa_page(ui_, context_);
}

void create_project(const std::filesystem::path& program_folder, const std::filesystem::path& file,
                    const store::ProjectDetails& details) {
    store::create_project_file(program_folder, file);
    store::ProjectContext context;
    context.program_folder = program_folder;
    store::open_project(context, file);
    store::save_project_details(context, details, store::DetailsWindow::NoaaStation);
}

}  // namespace pelvane::forms
