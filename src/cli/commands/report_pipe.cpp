// pelvane report pipe: the storm drain results sheet of one pipe, as the grid's
// "Pipe Report" for the selected row.

#include "cli/commands/report_command.h"
#include "cli/project_session.h"
#include "forms/ld229_report.h"
#include "forms/pipe_report.h"
#include "report/report_writer.h"
#include "store/pipe_table.h"

namespace {

using namespace pelvane;

int run_pipe(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--pipe", "-o", "--pdf", "--json"});
    const auto pipe = args.option("--pipe");
    if (!pipe || pipe->empty()) throw cli::CommandError("--pipe N is required", 2);
    cli::ProjectSession session(command, cli::report_project_file(args), store::Access::Compute);
    const store::ProjectContext& context = session.context();
    if (store::PipeTable(context.project_connection).count() == 0) {
        throw cli::CommandError(forms::kNoPipesToDisplay);
    }
    const auto cells = forms::pipe_report_cells(context, *pipe, forms::today_text());
    if (!cells) throw cli::CommandError("there is no pipe " + *pipe + " in the project");
    return cli::write_report_output(args, command, report::kPipeReportTemplate, *cells);
}

PELVANE_REPORT_SUBCOMMAND({"pipe", "FILE.pvd --pipe N -o OUT.xlsx [--pdf] [--json]",
                           "the storm drain results of one pipe", run_pipe});

}  // namespace
