// pelvane renumber: gives a pipe a new number and changes every previous-pipe
// reference to it, as the grid's Modify does, in one transaction.

#include "cli/command.h"
#include "cli/project_session.h"
#include "forms/pipe_grid_form.h"
#include "forms/pipe_rules.h"
#include "store/pipe_table.h"

namespace {

using namespace pelvane;

int run_renumber(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--yes"});
    const std::string& old_number = args.positional(1, "current pipe number");
    const std::string& new_number = args.positional(2, "new pipe number");
    if (new_number.empty()) throw cli::CommandError("the new pipe number is empty", 2);
    cli::ProjectSession session(command, cli::project_file_argument(args));
    const store::PipeTable pipes(session.database());
    const bool legacy = session.context().legacy_database_mode;
    if (pipes.count() == 0) throw cli::CommandError(forms::kNoPipesToModify);
    if (!pipes.exists(old_number)) throw cli::CommandError("there is no pipe " + old_number);
    const forms::RenumberCheck check = forms::check_renumber(pipes, old_number, new_number, legacy);
    if (check.refused) throw cli::CommandError(check.refused->message);
    // The grid asks before renumbering a pipe that drains into another; here the
    // answer is given in advance with --yes.
    const auto& downstream = check.listed_by;
    if (downstream && !args.flag("--yes")) {
        throw cli::CommandError(forms::renumber_question(*downstream) +
                                " (--yes renumbers it and every reference to it)");
    }
    if (forms::renumber_pipe(session.database(), old_number, new_number, legacy) == 0) {
        throw cli::CommandError("there is no pipe " + old_number);
    }
    command.out << "renumbered pipe " << old_number << " to " << new_number;
    if (downstream) command.out << " (and its reference in pipe " << *downstream << ")";
    command.out << "\n";
    return 0;
}

PELVANE_COMMAND({"renumber",
                 "FILE.pvd OLD NEW [--yes]",
                 "give a pipe a new number and change every previous-pipe reference to it "
                 "(--yes when another pipe lists it)",
                 {"--yes"},
                 run_renumber});

}  // namespace
