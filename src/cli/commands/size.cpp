// pelvane size FILE.pvd --all | --pipe N [--pipe M ...] [--max-full PERCENT]: sizes
// the chosen pipes as the grid's Size Pipes does, recomputes the network and saves
// the whole in one transaction. Exit 3 when a pipe could not be sized.

#include <string>

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "forms/pipe_sizing.h"

namespace {

using namespace pelvane;

constexpr int kPipesRefused = 3;

cli::JsonObject summary_json(const forms::SizingSummary& summary) {
    cli::JsonObject changed = cli::JsonObject::array();
    for (const auto& p : summary.changed) {
        changed.push_back({{"pipe", p.pipe}, {"old", p.old_size}, {"new", p.new_size}});
    }
    cli::JsonObject refused = cli::JsonObject::array();
    for (const auto& p : summary.refused)
        refused.push_back({{"pipe", p.pipe}, {"reason", p.reason}});
    return {{"changed", std::move(changed)},
            {"refused", std::move(refused)},
            {"passes", summary.passes}};
}

int run_size(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--all", "--pipe", "--max-full", "--json"});
    const std::string& file = cli::project_file_argument(args);
    forms::SizingRequest request;
    request.pipes = args.options("--pipe");
    if (args.flag("--all") == !request.pipes.empty()) {
        throw cli::CommandError("give either --all or --pipe N (one or more)", 2);
    }
    if (const auto typed = args.option("--max-full")) {
        const forms::MaxFullEntry entry = forms::read_max_full(*typed, "--max-full");
        if (!entry.percent) throw cli::CommandError(entry.problem, 2);
        request.max_full_percent = *entry.percent;
    }

    cli::ProjectSession session(command, file);
    // The command line has no progress bar and nobody to ask.
    forms::UnattendedUi ui;
    const forms::SizingSummary summary = forms::size_pipes(session.context(), ui, request);
    if (!summary.error.empty()) throw cli::CommandError(summary.error);

    if (args.flag("--json")) {
        command.out << cli::json_text(summary_json(summary)) << "\n";
    } else {
        command.out << forms::sizing_summary_text(summary,
                                                  summary.changed.size() + summary.refused.size())
                    << "\n";
    }
    return summary.refused.empty() ? 0 : kPipesRefused;
}

PELVANE_COMMAND({"size",
                 "FILE.pvd --all | --pipe N [--pipe M ...] [--max-full PERCENT] [--json]",
                 "give the pipes the smallest standard size that carries the design discharge "
                 "within PERCENT of full flow (default 100) and meets the velocity criteria, "
                 "then recompute the network (exit 3 when a pipe could not be sized)",
                 {"--all", "--json"},
                 run_size});

}  // namespace
