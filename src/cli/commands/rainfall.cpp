// pelvane rainfall: import intensity-duration-frequency coefficients into the
// rainfall databases and show what they hold.
//   rainfall import-noaa (--station NAME | --county NAME) FILE.csv   fit a NOAA export
//   rainfall import-table FILE.csv                                   transcribed table
//   rainfall show [--station NAME | --county NAME]
// Every subcommand takes --json. An import goes into the per-user copy of a
// rainfall database (--user-folder, by default the desktop program's). An import
// the desktop window would ask about (an export for another station, coefficients
// that change stored ones) is refused unless --yes is given.

#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/commands/rainfall_ui.h"
#include "cli/json_output.h"
#include "core/text/number_text.h"
#include "forms/rainfall_data_form.h"
#include "store/rainfall_lookup.h"

namespace {

using namespace pelvane;
using cli::CommandError;
using json = nlohmann::json;
using store::RainfallFile;

store::ProjectContext context_of(const cli::CommandContext& command) {
    store::ProjectContext context;
    context.program_folder = command.program_folder;
    context.user_data_folder = command.user_data_folder;
    context.front_end = store::FrontEnd::CommandLine;
    return context;
}

std::string number(double value) {
    return text::shortest_text(value);
}

json curves_json(const store::RainfallEntry& entry) {
    json frequencies = json::object();
    for (const auto& [years, c] : entry.curves) {
        frequencies[std::to_string(years)] = {{"B", c.b}, {"D", c.d}, {"E", c.e}};
    }
    for (const auto& [years, c] : entry.legacy) {
        frequencies[std::to_string(years)] = {{"A", c.a}, {"B", c.b}};
    }
    return frequencies;
}

void print_entry(std::ostream& out, RainfallFile file, const store::RainfallEntry& entry) {
    out << store::file_name(file) << ": " << store::name_kind(file) << " \"" << entry.name
        << "\"\n";
    if (!entry.has_coefficients()) {
        out << "  "
            << store::no_coefficients_message(file, entry.name, store::FrontEnd::CommandLine)
            << "\n";
        return;
    }
    for (const auto& [years, c] : entry.curves) {
        out << "  " << years << "-year: B " << number(c.b) << "  D " << number(c.d) << "  E "
            << number(c.e) << "\n";
    }
    for (const auto& [years, c] : entry.legacy) {
        out << "  " << years << "-year: A " << number(c.a) << "  B " << number(c.b) << "\n";
    }
}

int run_show(const cli::Args& args, cli::CommandContext& command) {
    const auto context = context_of(command);
    const auto station = args.option("--station");
    const auto county = args.option("--county");
    if (station && county) throw CommandError("give --station or --county, not both", 2);

    std::vector<RainfallFile> files{RainfallFile::Station, RainfallFile::County,
                                    RainfallFile::Legacy};
    if (station) files = {RainfallFile::Station};
    if (county) files = {RainfallFile::County, RainfallFile::Legacy};
    const auto typed = station ? station : county;

    json result = json::array();
    for (const auto file : files) {
        const auto path = store::rainfall_database_path(context, file);
        const auto db = store::Database::open(path, store::Database::Mode::ReadOnly);
        std::optional<std::string> name;
        if (typed) {
            name = store::find_stored_name(db, file, *typed);
            if (!name) {
                throw CommandError("no " + store::name_kind(file) + " \"" + *typed + "\" in " +
                                   path.string());
            }
        }
        const auto entries = store::read_rainfall_entries(db, file, name);
        if (args.flag("--json")) {
            json rows = json::array();
            for (const auto& e : entries) {
                json row = {{"name", e.name}, {"coefficients", curves_json(e)}};
                if (e.county_no) row["county_no"] = *e.county_no;
                rows.push_back(row);
            }
            result.push_back({{"database", path.string()}, {"rows", rows}});
        } else if (typed) {
            for (const auto& e : entries) print_entry(command.out, file, e);
        } else {
            std::vector<std::string> with;
            for (const auto& e : entries) {
                if (e.has_coefficients()) with.push_back("\"" + e.name + "\"");
            }
            command.out << path.string() << ": " << entries.size() << " "
                        << (file == RainfallFile::Station ? "stations" : "counties") << ", "
                        << with.size() << " with coefficients";
            for (std::size_t i = 0; i < with.size(); ++i)
                command.out << (i ? ", " : ": ") << with[i];
            command.out << "\n";
        }
    }
    if (args.flag("--json")) command.out << cli::json_text(result) << "\n";
    return 0;
}

// Ends an import the model did not make: the question it would have asked, or its
// refusal.
[[noreturn]] void refuse_import(const forms::Outcome& outcome) {
    if (outcome.kind == forms::Outcome::Kind::Declined) {
        throw CommandError(outcome.message + " Nothing was imported; give --yes to import anyway.");
    }
    throw CommandError(outcome.message);
}

int run_import_noaa(const cli::Args& args, cli::CommandContext& command) {
    const std::string& file = args.positional(1, "FILE.csv");
    const auto station = args.option("--station");
    const auto county = args.option("--county");
    if (station.has_value() == county.has_value()) {
        throw CommandError("give either --station NAME or --county NAME", 2);
    }
    auto context = context_of(command);
    cli::RainfallUi ui(args.flag("--yes"));
    forms::RainfallDataForm form(context, ui);
    form.set_kind(station ? forms::kKindStation : forms::kKindCounty);
    if (const auto loaded = form.load_export(file); !loaded) throw CommandError(loaded.message);
    form.fields.set_text("rainfall_name", station ? *station : *county);
    const forms::Outcome imported = form.import_export();
    if (!imported) refuse_import(imported);

    if (args.flag("--json")) {
        json frequencies = json::array();
        for (const auto& p : form.preview()) {
            json points = json::array();
            for (const auto& pt : p.points) points.push_back({pt.duration_minutes, pt.intensity});
            frequencies.push_back({{"years", p.years},
                                   {"coefficients", p.coefficients},
                                   {"worst_error", p.worst_error},
                                   {"legacy_coefficients", p.legacy_coefficients},
                                   {"legacy_worst_error", p.legacy_worst_error},
                                   {"points", points}});
        }
        command.out << cli::json_text(
                           json{{"written", form.written_files()}, {"frequencies", frequencies}})
                    << "\n";
        return 0;
    }
    for (const auto& p : form.preview()) {
        command.out << p.years << "-year: " << p.coefficients << "  (worst error " << p.worst_error
                    << ");  legacy " << p.legacy_coefficients << "  (worst error "
                    << p.legacy_worst_error << ")\n";
    }
    command.out << imported.message << "\n";
    return 0;
}

int run_import_table(const cli::Args& args, cli::CommandContext& command) {
    const std::string& file = args.positional(1, "FILE.csv");
    auto context = context_of(command);
    cli::RainfallUi ui(args.flag("--yes"));
    forms::RainfallDataForm form(context, ui);
    const forms::Outcome imported = form.import_table(file);
    if (!imported) refuse_import(imported);
    if (args.flag("--json")) {
        command.out << cli::json_text(json{{"written", form.written_files()},
                                           {"message", json::array({imported.message})}})
                    << "\n";
    } else {
        command.out << imported.message << "\n";
    }
    return 0;
}

int run_rainfall(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--station", "--county", "--json", "--yes"});
    const std::string& what = args.positional(0, "import-noaa, import-table or show");
    if (what == "show") return run_show(args, command);
    if (what == "import-noaa") return run_import_noaa(args, command);
    if (what == "import-table") return run_import_table(args, command);
    throw CommandError("unknown rainfall command '" + what + "'", 2);
}

PELVANE_COMMAND({"rainfall",
                 "import-noaa (--station NAME | --county NAME) FILE.csv [--yes] | import-table "
                 "FILE.csv [--yes] | show [--station NAME | --county NAME] [--json]",
                 "import rainfall coefficients (fitted to a NOAA export, or a table) into the "
                 "per-user copy and show them; --yes imports what the desktop would ask about",
                 {"--json", "--yes"},
                 run_rainfall});

}  // namespace
