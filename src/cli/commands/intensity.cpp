// pelvane intensity FILE.pvd --freq F --tc T: the rainfall intensity for a storm
// frequency and a time of concentration, as the pipe window shows it (in/hr with
// three decimals, or mm/hr with four in a metric project). An empty or missing Tc
// is 5 minutes, as in the pipe window.

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/commands/rainfall_ui.h"
#include "core/text/number_text.h"
#include "forms/intensity.h"
#include "store/rainfall_lookup.h"

namespace {

using namespace pelvane;
using cli::CommandError;

// The PROJECT values the intensity depends on, read the way opening a project reads
// them: a path containing "zql" is a legacy file, a release of exactly "2.1" the
// NOAA-station release.
void load_project(store::ProjectContext& context, const std::string& file) {
    std::string lower = file;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    context.database_path = file;
    context.legacy_database_mode = lower.find("zql") != std::string::npos;
    context.project_connection = store::Database::open(file, store::Database::Mode::ReadOnly);
    auto record = context.project_connection.prepare("SELECT * from PROJECT");
    if (!record.step()) throw CommandError("the project file " + file + " has no project yet");
    for (int c = 0; c < record.column_count(); ++c) {
        const std::string name = record.column_name(c);
        if (name == "MAJOR_RELEASE") context.major_release = record.text(c);
        if (name == "NOAA_STATION") context.noaa_station = record.text(c);
        if (name == "COUNTY") context.county = record.text(c);
        if (name == "UNITS") context.units = record.text(c);
    }
    if (!context.noaa_release()) context.noaa_station.clear();
}

int run_intensity(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--freq", "--tc", "--json", "--user-folder"});
    const std::string& file = args.positional(0, "FILE.pvd");
    const auto freq_text = args.option("--freq");
    if (!freq_text) throw CommandError("missing --freq (2, 5, 10, 25, 50 or 100)", 2);
    const auto freq = text::parse_number(*freq_text);
    if (!freq.ok() || freq.value != static_cast<int>(freq.value)) {
        throw CommandError("--freq \"" + *freq_text + "\" is not a whole number of years", 2);
    }

    store::ProjectContext context;
    context.program_folder = command.program_folder;
    if (auto user = args.option("--user-folder")) context.user_data_folder = *user;
    load_project(context, file);

    const auto lists = context.noaa_release() && !context.legacy_database_mode
                           ? store::load_noaa_release_lists(context)
                           : store::load_older_release_lists(context);
    if (!lists.ok()) throw CommandError(lists.error);
    // The pipe window's number format for the project's units.
    context.number_format = std::string(number_format_for(context.units));

    cli::RainfallUi ui;
    if (!forms::load_rainfall_coefficients(context, ui, static_cast<int>(freq.value))) {
        throw CommandError(ui.refusal);
    }
    std::string tc = args.option_or("--tc", "");
    std::string intensity;
    if (!forms::intensity_for_pipe(context, ui, tc, intensity)) {
        throw CommandError("--tc \"" + tc + "\": " + ui.refusal);
    }

    if (args.flag("--json")) {
        const bool by_station = context.noaa_release() && !context.legacy_database_mode;
        nlohmann::ordered_json out{{"intensity", intensity},
                                   {"unit", context.english() ? "in/hr" : "mm/hr"},
                                   {"storm_frequency", static_cast<int>(freq.value)},
                                   {"tc", tc},
                                   {by_station ? "noaa_station" : "county",
                                    by_station ? context.noaa_station : context.county},
                                   {"rainfall_database", context.active_rainfall_database}};
        command.out << out.dump(2) << "\n";
    } else {
        command.out << intensity << "\n";
    }
    return 0;
}

PELVANE_COMMAND({"intensity",
                 "FILE.pvd --freq F [--tc T] [--json] [--user-folder DIR]",
                 "the rainfall intensity for a storm frequency and Tc, as the pipe window shows it",
                 {"--json"},
                 run_intensity});

}  // namespace
