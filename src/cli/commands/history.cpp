// pelvane history | undo | redo: the project's history, kept in the project file,
// and the same Undo and Redo as the desktop program's Edit menu.

#include "store/history.h"
#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "forms/project_history.h"

namespace {

using namespace pelvane;

int run_history(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--json"});
    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Inspect);
    const std::vector<store::HistoryEntry> steps = store::read_history(session.database());
    if (args.flag("--json")) {
        cli::JsonObject list = cli::JsonObject::array();
        for (const store::HistoryEntry& step : steps) {
            list.push_back({{"step", step.number},
                            {"time", step.time},
                            {"command", step.command},
                            {"undone", step.undone}});
        }
        command.out << cli::json_text(cli::JsonObject{{"steps", list}}) << "\n";
        return 0;
    }
    if (steps.empty()) command.out << "The project has no history.\n";
    for (const store::HistoryEntry& step : steps) command.out << forms::history_line(step) << "\n";
    return 0;
}

int moved(const cli::Args& args, cli::CommandContext& command, bool undo) {
    args.allow_only({});
    cli::ProjectSession session(command, cli::project_file_argument(args));
    const forms::Outcome outcome = undo ? forms::undo_last_step(session.database())
                                        : forms::redo_next_step(session.database());
    if (!outcome) throw cli::CommandError(outcome.message);
    command.out << outcome.message << "\n";
    return 0;
}

PELVANE_COMMAND({"history",
                 "FILE.pvd [--json]",
                 "list the steps of the project's history (number, time, command, undone)",
                 {"--json"},
                 run_history});

PELVANE_COMMAND({"undo",
                 "FILE.pvd",
                 "undo the last step of the project's history",
                 {},
                 [](const cli::Args& args, cli::CommandContext& command) {
                     return moved(args, command, true);
                 }});

PELVANE_COMMAND({"redo",
                 "FILE.pvd",
                 "redo the step of the project's history undone last",
                 {},
                 [](const cli::Args& args, cli::CommandContext& command) {
                     return moved(args, command, false);
                 }});

}  // namespace
