#pragma once
// Network recompute: after a pipe is saved, the pipes downstream of it still carry
// values computed from its old ones. The recompute does for every pipe, upstream
// first, what the engineer would do by hand in the pipe window: take over each
// previous pipe again, "Compute Intensity", then Solve, with the window's own
// rules, and saves every pipe that changed in one transaction.
//
// A pipe that cannot be computed or solved is listed with the reason and keeps
// what it had, as a pipe the window could not solve cannot be saved; the pipes
// below it take over what it has. Previous-pipe references that run in a circle
// stop the whole recompute before anything is computed.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

inline constexpr const char* kRecomputeNetworkCaption = "Recompute Network";
inline constexpr const char* kNoPipesToRecompute = "No pipes to Recompute!";

// A pipe whose discharge or section results changed.
struct RecomputedPipe {
    std::string pipe;
    std::string old_discharge;  // PIPE_DISCHARGE before
    std::string new_discharge;  // PIPE_DISCHARGE after
};

// A pipe that could not be recomputed, and why.
struct UnsolvedPipe {
    std::string pipe;
    std::string reason;
};

struct RecomputeSummary {
    // Pipes recomputed (solved or not), and pipes saved because any of their values
    // changed.
    int recomputed = 0;
    int saved = 0;
    // In flow order: pipes whose PIPE_DISCHARGE or a section result changed.
    std::vector<RecomputedPipe> changed;
    std::vector<UnsolvedPipe> failed;
    // Circles of previous-pipe references by pipe numbers, and the pipes below
    // them; nothing was computed or written.
    std::vector<std::vector<std::string>> cycles;
    std::vector<std::string> blocked;
    // Nothing was written because the person stopped the work, or because the
    // database refused the writing (`error` says why).
    bool stopped = false;
    std::string error;

    // Whether the work was done in full: no circle, no stop, no database failure
    // and every pipe solved.
    bool complete() const { return cycles.empty() && !stopped && error.empty() && failed.empty(); }
};

// Recomputes every pipe of the open project in flow order and saves the pipes that
// changed. Networks of many pipes report progress through `ui`; the person may
// stop, and then nothing is written. Shows nothing else: the caller shows the
// summary.
RecomputeSummary recompute_network(store::ProjectContext& context, Ui& ui);

// The same for one pipe, with its previous pipes as they are saved. A pipe that
// does not exist is an `error`.
RecomputeSummary recompute_pipe(store::ProjectContext& context, Ui& ui,
                                std::string_view pipe_number);

// The summary as the engineer reads it: the changed pipes with their old and new
// discharges, the pipes that could not be solved and why, or the circles found.
// Each list shows at most `listed` pipes and then says how many more there are, so
// that a message box over a large network stays on the screen.
std::string recompute_summary_text(const RecomputeSummary& summary, std::size_t listed = 30);

}  // namespace pelvane::forms
