// pelvane convert: brings a legacy or older-release project file to the
// NOAA-station release with the chosen station, a name of the station list.

#include "cli/command.h"
#include "cli/project_session.h"
#include "store/project_conversion.h"
#include "store/project_details.h"

namespace {

using namespace pelvane;

int run_convert(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--station"});
    const std::string& file = cli::project_file_argument(args);
    std::string station = args.option_or("--station", "");
    if (station.empty()) throw cli::CommandError("--station NAME is required", 2);
    const auto lists = cli::noaa_release_lists(command);
    if (const auto refusal =
            store::match_listed_name(station, lists.station_list, "NOAA STATION", "station");
        !refusal.empty()) {
        throw cli::CommandError(refusal);
    }
    cli::ProjectSession session(command, file);
    store::convert_to_noaa_release(session.context(), station);
    command.out << store::kConversionDone << "\n";
    return 0;
}

PELVANE_COMMAND({"convert",
                 "FILE.pvd --station NAME",
                 "convert a project file to the NOAA-station release with the given station",
                 {},
                 run_convert});

}  // namespace
