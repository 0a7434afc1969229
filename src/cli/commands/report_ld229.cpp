// pelvane report ld229: form LD-229 of every pipe, as the grid's "Form LD229".

#include "cli/commands/report_command.h"
#include "cli/project_session.h"
#include "forms/ld229_report.h"
#include "report/report_writer.h"
#include "store/pipe_table.h"

namespace {

using namespace pelvane;

int run_ld229(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"-o", "--pdf", "--json"});
    cli::ProjectSession session(command, cli::report_project_file(args), store::Access::Compute);
    store::ProjectContext& context = session.context();
    forms::DesignSession design;
    design.enter_grade_line_report(context);
    if (store::PipeTable(context.project_connection).count() == 0) {
        throw cli::CommandError(forms::kNoPipesToDisplay);
    }
    return cli::write_report_output(args, command, report::kLd229Template,
                                    forms::ld229_cells(context, design));
}

PELVANE_REPORT_SUBCOMMAND({"ld229", "FILE.pvd -o OUT.xlsx [--pdf] [--json]",
                           "form LD-229, storm sewer design computations of every pipe",
                           run_ld229});

}  // namespace
