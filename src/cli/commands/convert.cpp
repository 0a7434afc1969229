// pelvane convert: brings a legacy or older-release project file to the
// NOAA-station release with the chosen station.

#include "cli/command.h"
#include "cli/project_session.h"
#include "store/project_conversion.h"

namespace {

using namespace pelvane;

int run_convert(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--station"});
    const std::string& file = cli::project_file_argument(args);
    const std::string station = args.option_or("--station", "");
    if (station.empty()) throw cli::CommandError("--station NAME is required", 2);
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
