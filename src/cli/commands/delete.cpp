// pelvane delete: deletes one pipe under the grid's rule: a pipe that another pipe
// lists as a previous pipe stays.

#include "cli/command.h"
#include "cli/project_session.h"
#include "forms/pipe_grid_form.h"
#include "forms/pipe_rules.h"
#include "store/pipe_table.h"

namespace {

using namespace pelvane;

int run_delete(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({});
    const std::string& number = args.positional(1, "pipe number");
    cli::ProjectSession session(command, cli::project_file_argument(args));
    const store::PipeTable pipes(session.database());
    if (pipes.count() == 0) throw cli::CommandError(forms::kNoPipesToDelete);
    if (!pipes.exists(number)) throw cli::CommandError("there is no pipe " + number);
    const bool legacy = session.context().legacy_database_mode;
    const auto deletion = forms::delete_pipe(pipes, number, legacy);
    if (deletion.refused) throw cli::CommandError(deletion.refused->message);
    if (!deletion.deleted) throw cli::CommandError("there is no pipe " + number);
    command.out << "deleted pipe " << number << "\n";
    return 0;
}

PELVANE_COMMAND({"delete",
                 "FILE.pvd NUMBER",
                 "delete a pipe that no other pipe lists as a previous pipe",
                 {},
                 run_delete});

}  // namespace
