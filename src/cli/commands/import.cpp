// pelvane import: adds the pipes of a comma-separated list to a project, each row
// checked as the pipe window checks a new pipe, all rows or none.

#include <fstream>
#include <sstream>

#include "cli/command.h"
#include "cli/project_session.h"
#include "forms/pipe_grid_import.h"

namespace {

using namespace pelvane;

std::string pipes(int count) {
    return std::to_string(count) + (count == 1 ? " pipe" : " pipes");
}

int run_import(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--dry-run"});
    const bool dry_run = args.flag("--dry-run");
    const std::string& list = args.positional(1, "pipe list (PIPES.csv)");
    std::ifstream in(list, std::ios::binary);
    if (!in) throw cli::CommandError("cannot read '" + list + "'");
    std::stringstream text;
    text << in.rdbuf();

    cli::ProjectSession session(command, cli::project_file_argument(args));
    const std::string& project = session.context().database_path;
    try {
        const int added =
            forms::import_pipes(session.context(), text.str(),
                                dry_run ? forms::ImportMode::DryRun : forms::ImportMode::Write);
        if (dry_run) {
            command.out << "would add " << pipes(added) << " to " << project
                        << " (dry run: nothing was written)\n";
        } else {
            command.out << "added " << pipes(added) << " to " << project << "\n";
        }
    } catch (const forms::ImportError& e) {
        // Every problem of the list on a line of its own, the file named on each.
        const auto& problems = e.problems();
        std::string message;
        for (const auto& problem : problems) {
            message += (message.empty() ? "" : "\n") + list + ": " + problem.text();
        }
        if (problems.size() > 1) {
            message += "\n" + list + ": " + std::to_string(problems.size()) + " problems";
        }
        throw cli::CommandError(message + " (nothing was added)");
    }
    return 0;
}

PELVANE_COMMAND({"import",
                 "FILE.pvd PIPES.csv [--dry-run]",
                 "add pipes from a comma-separated list whose header names PIPE columns; every "
                 "refused value is reported with its line and column and nothing is added "
                 "(--dry-run: check only)",
                 {"--dry-run"},
                 run_import});

}  // namespace
