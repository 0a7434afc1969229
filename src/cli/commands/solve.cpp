// pelvane solve FILE.pvd --all | --pipe N: recomputes the discharge and the section of
// every pipe in flow order (or of one pipe, with its previous pipes as saved), as
// the pipe network grid's Recompute Network does, and saves what changed.

#include <string>

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "forms/network_recompute.h"

namespace {

using namespace pelvane;

cli::JsonObject summary_json(const forms::RecomputeSummary& summary) {
    cli::JsonObject changed = cli::JsonObject::array();
    for (const auto& p : summary.changed) {
        changed.push_back({{"pipe", p.pipe},
                           {"old_discharge", p.old_discharge},
                           {"new_discharge", p.new_discharge}});
    }
    cli::JsonObject failed = cli::JsonObject::array();
    for (const auto& p : summary.failed) failed.push_back({{"pipe", p.pipe}, {"reason", p.reason}});
    cli::JsonObject cycles = cli::JsonObject::array();
    for (const auto& cycle : summary.cycles) cycles.push_back(cycle);
    cli::JsonObject blocked = cli::JsonObject::array();
    for (const auto& pipe : summary.blocked) blocked.push_back(pipe);
    return {{"recomputed", summary.recomputed}, {"saved", summary.saved},
            {"changed", std::move(changed)},    {"failed", std::move(failed)},
            {"cycles", std::move(cycles)},      {"blocked", std::move(blocked)}};
}

int run_solve(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--all", "--pipe", "--json"});
    const std::string& file = cli::project_file_argument(args);
    const auto pipe_number = args.option("--pipe");
    if (args.flag("--all") == pipe_number.has_value()) {
        throw cli::CommandError("give either --all or --pipe N", 2);
    }

    cli::ProjectSession session(command, file);
    store::ProjectContext& context = session.context();
    // The command line has no progress bar and nobody to ask.
    forms::UnattendedUi ui;
    const forms::RecomputeSummary summary = pipe_number
                                                ? forms::recompute_pipe(context, ui, *pipe_number)
                                                : forms::recompute_network(context, ui);
    if (!summary.error.empty()) throw cli::CommandError(summary.error);

    if (args.flag("--json")) {
        command.out << cli::json_text(summary_json(summary)) << "\n";
    } else {
        command.out << forms::recompute_summary_text(
                           summary,
                           summary.changed.size() + summary.failed.size() + summary.cycles.size())
                    << "\n";
    }
    if (!summary.cycles.empty()) {
        throw cli::CommandError("previous pipes run in a circle; nothing was changed");
    }
    if (!summary.failed.empty()) {
        throw cli::CommandError(std::to_string(summary.failed.size()) +
                                " pipe(s) could not be solved");
    }
    return 0;
}

PELVANE_COMMAND({"solve",
                 "FILE.pvd --all | --pipe N [--json]",
                 "recompute and solve every pipe in flow order (or one pipe) as the pipe window "
                 "would, and save what changed",
                 {"--all", "--json"},
                 run_solve});

}  // namespace
