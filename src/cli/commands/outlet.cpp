// pelvane outlet: the outlet protection analysis of one outfall, as the engineer
// does it in the outlet protection and dissipator windows.

#include "cli/commands/outlet_analysis.h"

namespace {

using namespace pelvane;

int run_outlet(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only(cli::outlet_analysis_options());
    const cli::OutletAnalysis analysis = cli::run_outlet_analysis(args, command, 0);
    cli::print_outlet_analysis(command.out, analysis, args.flag("--json"));
    return 0;
}

PELVANE_COMMAND({"outlet",
                 std::string("FILE.pvd ") + cli::kOutletAnalysisUsage + " [--save] [--json]",
                 "outlet protection of an outfall: need, scour hole and every dissipator design",
                 {"--json", "--save"},
                 run_outlet});

}  // namespace
