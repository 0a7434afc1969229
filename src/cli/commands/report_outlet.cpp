// pelvane report outlet: the outlet protection analysis of an outfall written as
// the outlet protection report, as the dissipator window's "Outlet Protection
// Results" writes it.

#include <optional>

#include "cli/commands/outlet_analysis.h"
#include "cli/commands/report_command.h"
#include "forms/energy_dissipation_report.h"

namespace {

using namespace pelvane;

int run_outlet_report(const cli::Args& args, cli::CommandContext& command) {
    std::vector<std::string> options = cli::outlet_analysis_options();
    std::erase(options, "--save");  // a report changes nothing in the project
    options.insert(options.end(), {"-o", "--pdf"});
    args.allow_only(options);
    if (!args.option("-o")) throw cli::CommandError("-o OUT.xlsx is required", 2);

    std::optional<report::CellLayout> cells;
    const cli::OutletAnalysis analysis = cli::run_outlet_analysis(
        args, command, 1,
        [&cells](forms::PipeEnergyForm& outlet, forms::EnergyDissipationForm& dissipators) {
            cells = forms::outlet_protection_cells(outlet, dissipators);
        });
    if (!cells) {
        throw cli::CommandError(
            "outlet protection is not required at node \"" + *args.option("--node") +
            "\": the report is written from the dissipator window, which opens only when it is");
    }
    const auto written =
        cli::write_report_files(args, command, report::kOutletProtectionTemplate, *cells);
    cli::JsonObject result = cli::written_json(written);
    result["messages"] = analysis.messages;
    cli::print_object(command.out, result, args.flag("--json"));
    return 0;
}

PELVANE_REPORT_SUBCOMMAND({"outlet",
                           std::string("FILE.pvd ") + cli::kOutletAnalysisUsage +
                               " -o OUT.xlsx [--pdf] [--json]",
                           "the outlet protection report of an outfall whose protection is "
                           "required",
                           run_outlet_report});

}  // namespace
