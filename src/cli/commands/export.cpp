// pelvane export: every pipe of a project, every PIPE column, as a comma-separated
// list that pelvane import reads back.

#include <sstream>

#include "cli/command.h"
#include "cli/project_session.h"
#include "forms/pipe_grid_import.h"
#include "store/file_replace.h"

namespace {

using namespace pelvane;

int run_export(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({});
    const std::string& target = args.positional(1, "pipe list (PIPES.csv)");
    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Inspect);
    std::ostringstream list;
    forms::export_pipes(session.database(), list);
    store::replace_file_with_bytes(target, list.str());
    command.out << "wrote " << target << "\n";
    return 0;
}

PELVANE_COMMAND({"export",
                 "FILE.pvd PIPES.csv",
                 "write every pipe with every PIPE column as a comma-separated list",
                 {},
                 run_export});

}  // namespace
