// pelvane export: every pipe of a project, every PIPE column, as a comma-separated
// list that pelvane import reads back.

#include <filesystem>
#include <fstream>

#include "cli/command.h"
#include "cli/project_session.h"
#include "forms/pipe_grid_import.h"

namespace {

using namespace pelvane;

int run_export(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({});
    const std::string& target = args.positional(1, "pipe list (PIPES.csv)");
    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Inspect);
    // Written beside the target first, so a failure never leaves half a list.
    const std::filesystem::path partial = target + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) throw cli::CommandError("cannot write '" + target + "'");
        forms::export_pipes(session.database(), out);
        if (!out.flush()) throw cli::CommandError("cannot write '" + target + "'");
    }
    std::filesystem::rename(partial, target);
    command.out << "wrote " << target << "\n";
    return 0;
}

PELVANE_COMMAND({"export",
                 "FILE.pvd PIPES.csv",
                 "write every pipe with every PIPE column as a comma-separated list",
                 {},
                 run_export});

}  // namespace
