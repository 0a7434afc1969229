// pelvane import: adds the pipes of a comma-separated list to a project, each row
// checked as the pipe window checks a new pipe, all rows or none.

#include <fstream>
#include <sstream>

#include "cli/command.h"
#include "cli/project_session.h"
#include "forms/pipe_grid_import.h"

namespace {

using namespace pelvane;

int run_import(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({});
    const std::string& list = args.positional(1, "pipe list (PIPES.csv)");
    std::ifstream in(list, std::ios::binary);
    if (!in) throw cli::CommandError("cannot read '" + list + "'");
    std::stringstream text;
    text << in.rdbuf();

    cli::ProjectSession session(command, cli::project_file_argument(args));
    try {
        const int added = forms::import_pipes(session.context(), text.str());
        command.out << "added " << added << (added == 1 ? " pipe" : " pipes") << " to "
                    << session.context().database_path << "\n";
    } catch (const forms::ImportError& e) {
        throw cli::CommandError(list + ": " + e.what() + " (nothing was added)");
    }
    return 0;
}

PELVANE_COMMAND({"import",
                 "FILE.pvd PIPES.csv",
                 "add pipes from a comma-separated list whose header names PIPE columns; the "
                 "first refused row is reported with its line and nothing is added",
                 {},
                 run_import});

}  // namespace
