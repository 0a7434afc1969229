// pelvane intensity FILE.pvd --freq F --tc T: the rainfall intensity for a storm
// frequency and a time of concentration, as the pipe window shows it (in/hr with
// three decimals, or mm/hr with four in a metric project). An empty or missing Tc
// is 5 minutes, as in the pipe window.

#include "forms/intensity.h"
#include "cli/command.h"
#include "cli/commands/rainfall_ui.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "core/pipe/storm_frequency.h"
#include "store/rainfall_lookup.h"

namespace {

using namespace pelvane;
using cli::CommandError;

int run_intensity(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--freq", "--tc", "--json"});
    const std::string& file = cli::project_file_argument(args);
    const auto freq_text = args.option("--freq");
    if (!freq_text) throw CommandError("missing --freq (2, 5, 10, 25, 50 or 100)", 2);
    const auto years = pipe::storm_years(*freq_text);
    if (!years) {
        throw CommandError("--freq \"" + *freq_text + "\" is not a whole number of years", 2);
    }

    cli::ProjectSession session(command, file, store::Access::Inspect);
    store::ProjectContext& context = session.context();

    const auto lists = context.noaa_release() && !context.legacy_database_mode
                           ? store::load_noaa_release_lists(context)
                           : store::load_older_release_lists(context);
    if (!lists.ok()) throw CommandError(lists.error);

    cli::RainfallUi ui;
    const auto coefficients = forms::load_rainfall_coefficients(context, ui, *years);
    if (!coefficients) throw CommandError(ui.messages.back());
    std::string tc = args.option_or("--tc", "");
    std::string intensity;
    if (!forms::intensity_for_pipe(context, number_format_for(context.units), *coefficients, ui, tc,
                                   intensity)) {
        throw CommandError("--tc \"" + tc + "\": " + ui.messages.back());
    }

    if (args.flag("--json")) {
        const bool by_station = context.noaa_release() && !context.legacy_database_mode;
        const cli::JsonObject out{{"intensity", intensity},
                                  {"unit", context.english() ? "in/hr" : "mm/hr"},
                                  {"storm_frequency", *years},
                                  {"tc", tc},
                                  {by_station ? "noaa_station" : "county",
                                   by_station ? context.noaa_station : context.county},
                                  {"rainfall_database", context.active_rainfall_database}};
        cli::print_object(command.out, out, true);
    } else {
        command.out << intensity << "\n";
    }
    return 0;
}

PELVANE_COMMAND({"intensity",
                 "FILE.pvd --freq F [--tc T] [--json]",
                 "the rainfall intensity for a storm frequency and Tc, as the pipe window shows it",
                 {"--json"},
                 run_intensity});

}  // namespace
