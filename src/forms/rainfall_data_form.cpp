#include "forms/rainfall_data_form.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/text/names.h"
#include "core/text/number_text.h"
#include "forms/design_rainfall_notice.h"
#include "forms/idf_problems.h"
#include "forms/input_conventions.h"
#include "platform/platform.h"
#include "store/rainfall_lookup.h"

namespace pelvane::forms {
namespace {

using store::RainfallFile;

constexpr const char* kCsvFilter = "CSV files (*.csv)|*.csv";
constexpr double kCurveFrom = 5.0;  // minutes: the preview covers the fitted range
constexpr double kCurveTo = 120.0;
// A question lists this many names whose coefficients change, then counts the rest.
constexpr std::size_t kListedChanges = 10;

// Names whose stored coefficients an import would change, with the storms.
using Changes = std::map<std::string, std::set<int>>;

std::string today() {
    const std::tm local = platform::local_now();
    std::array<char, 16> text{};
    return std::string(text.data(), std::strftime(text.data(), text.size(), "%Y-%m-%d", &local));
}

std::optional<std::string> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string percent(double ratio) {
    return text::format_number(ratio * 100.0, "0.00") + " %";
}

template <class Curve, class Evaluate>
std::vector<hydrology::IdfPoint> sampled(const Curve& curve, Evaluate f) {
    std::vector<hydrology::IdfPoint> samples;
    for (double t = kCurveFrom; t <= kCurveTo; t += 1.0) samples.push_back({t, f(curve, t)});
    return samples;
}

RainfallPreview preview_of(const hydrology::FrequencyFit& f) {
    RainfallPreview p;
    p.years = f.years;
    p.points = f.points;
    const auto& c = f.curve.curve;
    p.curve = sampled(c, hydrology::idf_intensity);
    p.coefficients = "B " + text::format_number(c.b, "0.0000") + "  D " +
                     text::format_number(c.d, "0.0000") + "  E " +
                     text::format_number(c.e, "0.00000");
    p.worst_error = percent(f.curve.quality.worst_relative_error);
    const auto& l = f.legacy.curve;
    p.legacy_curve = sampled(l, hydrology::legacy_idf_intensity);
    p.legacy_coefficients =
        "A " + text::format_number(l.a, "0.0000") + "  B " + text::format_number(l.b, "0.0000");
    p.legacy_worst_error = percent(f.legacy.quality.worst_relative_error);
    return p;
}

}  // namespace

RainfallDataForm::RainfallDataForm(store::ProjectContext& context, Ui& ui)
    : FormModel(field_names::kRainfallData), context_(context), ui_(ui) {
    fields["rainfall_kind"].items = {kKindStation, kKindCounty};
    fields.set_text("rainfall_kind", kKindStation);
    fields.set_text("rainfall_name", "");
    fields.set_text("rainfall_file", "");
}

void RainfallDataForm::open() {
    const bool by_station = !context_.legacy_database_mode && context_.noaa_release();
    fields.set_text("rainfall_kind", by_station ? kKindStation : kKindCounty);
    refill_names();
    const std::string& current = by_station ? context_.noaa_station : context_.county;
    if (const auto listed = text::listed_name(current, fields["rainfall_name"].items)) {
        fields.set_text("rainfall_name", *listed);
    }
}

void RainfallDataForm::set_kind(const std::string& kind) {
    if (kind != kKindStation && kind != kKindCounty) return;
    if (kind == fields.text("rainfall_kind")) return;
    fields.set_text("rainfall_kind", kind);
    fields.set_text("rainfall_name", "");
    refill_names();
}

RainfallFile RainfallDataForm::chosen_file() const {
    return fields.text("rainfall_kind") == kKindStation ? RainfallFile::Station
                                                        : RainfallFile::County;
}

bool RainfallDataForm::confirmed(const std::string& reason, const std::string& question) {
    if (ui_.ask(reason + " " + question, Buttons::YesNo, Icon::Question, kRainfallDataTitle) ==
        Answer::Yes) {
        return true;
    }
    declined_ = reason;
    return false;
}

store::Database RainfallDataForm::read_only(RainfallFile file) const {
    return store::Database::open(store::rainfall_database_path(context_, file),
                                 store::Database::Mode::ReadOnly);
}

std::vector<std::string> RainfallDataForm::known_names(const ImportTarget& target) const {
    return store::stored_names(read_only(target.file), target.file, target.rows);
}

bool RainfallDataForm::overwrite_confirmed(const std::vector<ImportTarget>& targets) {
    Changes changes;
    for (const auto& target : targets) {
        const auto db = read_only(target.file);
        const auto names = store::stored_names(db, target.file, target.rows);
        for (std::size_t r = 0; r < names.size(); ++r) {
            for (const auto& entry : store::read_rainfall_entries(db, target.file, names[r])) {
                for (const int years : store::changed_storms(entry, target.rows[r])) {
                    changes[names[r]].insert(years);
                }
            }
        }
    }
    if (changes.empty()) return true;
    const std::string kind = store::name_kind(targets.front().file);
    std::string reason;
    if (changes.size() == 1) {
        const auto& [name, storms] = *changes.begin();
        reason = "The " + kind + " \"" + text::trim(name) +
                 "\" already has rainfall coefficients: the " +
                 storm_list({storms.begin(), storms.end()}) + " coefficients change.";
    } else {
        reason = "Rainfall coefficients already stored change for " +
                 std::to_string(changes.size()) + " names:";
        std::size_t listed = 0;
        for (const auto& [name, storms] : changes) {
            if (listed++ == kListedChanges) {
                reason += " and " + std::to_string(changes.size() - kListedChanges) + " more";
                break;
            }
            reason += (listed > 1 ? ";" : "") + std::string(" \"") + name + "\" (" +
                      storm_list({storms.begin(), storms.end()}) + ")";
        }
        reason += ".";
    }
    return confirmed(reason, "Replace them?");
}

std::vector<std::string> RainfallDataForm::write(const ImportTarget& target,
                                                 const std::string& source) {
    const auto path = store::rainfall_import_path(context_, target.file);
    const auto db = store::Database::open(path);
    auto names = store::write_coefficients(
        db, target.file, target.rows, {std::filesystem::path(source).filename().string(), today()});
    written_files_.push_back(path.string());
    return names;
}

Outcome RainfallDataForm::refuse(const std::string& text) {
    ui_.message(text, Icon::Exclamation, kAppTitle);
    return Outcome::refused(text);
}

void RainfallDataForm::refill_names() {
    auto& names = fields["rainfall_name"].items;
    names.clear();
    const RainfallFile file = chosen_file();
    try {
        for (auto& entry : store::read_rainfall_entries(read_only(file), file)) {
            names.push_back(entry.name);
        }
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::None);
    }
}

std::string RainfallDataForm::choose_csv(const std::string& title) {
    FileDialog dialog;
    dialog.title = title;
    dialog.filter = kCsvFilter;
    dialog.initial_folder = dialog_folder(context_);
    dialog.must_exist = true;
    std::string path = ui_.choose_file(dialog);
    if (!path.empty()) remember_folder(context_, path);
    return path;
}

void RainfallDataForm::browse_export() {
    const std::string path = choose_csv("Open NOAA Precipitation Frequency Export");
    if (path.empty()) return;
    load_export(path);
}

Outcome RainfallDataForm::load_export(const std::string& path) {
    fit_.reset();
    preview_.clear();
    export_station_.clear();
    fields.set_text("rainfall_file", path);
    const auto text = read_file(path);
    if (!text) return refuse("Could not read '" + path + "'.");
    const auto table = hydrology::parse_noaa_export(*text);
    if (!table) return refuse(idf_problem_text(table.problem()));
    auto fit = hydrology::fit_noaa_export(table.value());
    if (!fit) return refuse(idf_problem_text(fit.problem()));
    export_station_ = table->station_name;
    for (const auto& f : fit->frequencies) preview_.push_back(preview_of(f));
    fit_ = std::move(fit.value());

    // An export made for a station of the list names it: offer that station.
    if (chosen_file() == RainfallFile::Station && fields.text("rainfall_name").empty()) {
        if (const auto listed = text::listed_name(export_station_, fields["rainfall_name"].items)) {
            fields.set_text("rainfall_name", *listed);
        }
    }
    return Outcome::done();
}

Outcome RainfallDataForm::import_export() {
    written_files_.clear();
    declined_.clear();
    if (!fit_) return refuse("Choose a NOAA precipitation frequency export first.");
    const std::string name = fields.text("rainfall_name");
    if (name.empty()) return refuse("Choose the NOAA station or county the coefficients are for.");
    std::vector<RainfallFile> files{chosen_file()};
    if (files[0] == RainfallFile::County) files.push_back(RainfallFile::Legacy);
    std::vector<ImportTarget> targets;
    targets.reserve(files.size());
    for (const auto file : files) {
        targets.push_back(
            {file, {hydrology::coefficient_row(*fit_, name, store::table_kind(file))}});
    }
    std::string stored;
    try {
        // Every target must know the name before anything is written.
        for (const auto& target : targets) {
            const std::string found = known_names(target).front();
            if (stored.empty()) stored = found;
        }
        // Some listed names end in blanks; messages show them as a person reads them.
        const std::string shown = text::trim(stored);
        // Counties are not stations: an export for a point in the county is normal.
        if (files[0] == RainfallFile::Station && !export_station_.empty() &&
            !text::same_name(export_station_, stored) &&
            !confirmed("The export is for the NOAA station \"" + export_station_ +
                           "\", not for \"" + shown + "\".",
                       "Import its coefficients for \"" + shown + "\" anyway?")) {
            return Outcome::declined(declined_);
        }
        if (!overwrite_confirmed(targets)) return Outcome::declined(declined_);
        for (const auto& target : targets) write(target, fields.text("rainfall_file"));
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::None);
        return Outcome::refused(e.what());
    }
    reload_project_lists();
    std::string where;
    for (const auto& f : written_files_) where += (where.empty() ? "" : " and ") + f;
    const std::string notice = "Rainfall coefficients for the " + store::name_kind(files[0]) +
                               " \"" + text::trim(stored) + "\" were written to " + where + ".";
    ui_.message(notice, Icon::Information, kAppTitle);
    return Outcome::done(notice);
}

void RainfallDataForm::browse_table() {
    const std::string path = choose_csv("Open Rainfall Coefficient Table");
    if (path.empty()) return;
    import_table(path);
}

Outcome RainfallDataForm::import_table(const std::string& path) {
    written_files_.clear();
    declined_.clear();
    const auto text = read_file(path);
    if (!text) return refuse("Could not read '" + path + "'.");
    const auto table = hydrology::parse_idf_table(*text);
    if (!table) return refuse(idf_problem_text(table.problem()));
    const RainfallFile file = store::file_for(table->kind);
    try {
        const ImportTarget target{file, table->rows};
        if (!overwrite_confirmed({target})) return Outcome::declined(declined_);
        const auto names = write(target, path);
        reload_project_lists();
        const std::string notice = "Rainfall coefficients for " + std::to_string(names.size()) +
                                   " " + (file == RainfallFile::Station ? "stations" : "counties") +
                                   " were written to " + written_files_.front() + ".";
        ui_.message(notice, Icon::Information, kAppTitle);
        return Outcome::done(notice);
    } catch (const store::DatabaseError& e) {
        ui_.message(e.what(), Icon::None);
        return Outcome::refused(e.what());
    }
}

// An import may have made a per-user copy: a project that has its rainfall
// connection open reads from the file that now holds the coefficients.
void RainfallDataForm::reload_project_lists() {
    if (!context_.rainfall_connection.is_open()) return;
    const auto status = context_.noaa_release() && !context_.legacy_database_mode
                            ? store::load_noaa_release_lists(context_)
                            : store::load_older_release_lists(context_);
    if (!status.ok()) ui_.message(status.error, Icon::None);
}

}  // namespace pelvane::forms
