#pragma once
// Size Pipes: the chosen pipes of the open project sized by `network::size_pipes`
// with the project's design criteria, then the network recomputed, pass after pass
// until no size changes. Everything is one transaction: when the recompute cannot
// finish or the file refuses the writing, nothing is changed. A pipe that cannot be
// sized keeps its size and is named with the reason; the others are still sized.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

inline constexpr const char* kSizePipesCaption = "Size Pipes";
inline constexpr const char* kNoPipesToSize = "No pipes to Size!";
// A sizing that has not settled after this many passes stops and says so.
inline constexpr int kMaxSizingPasses = 5;
// No pressure flow: the design discharge within the whole full-flow capacity.
inline constexpr double kDefaultMaxFull = 100.0;

struct SizingRequest {
    std::vector<std::string> pipes;  // the pipes to size; empty for every pipe
    double max_full_percent = kDefaultMaxFull;
};

struct ResizedPipe {
    std::string pipe;
    std::string old_size;  // "18 in", "38 x 24 in"
    std::string new_size;
};

struct RefusedPipe {
    std::string pipe;
    std::string reason;
};

struct SizingSummary {
    // In flow order: the pipes whose size changed, and those no size fits.
    std::vector<ResizedPipe> changed;
    std::vector<RefusedPipe> refused;
    int passes = 0;
    // False when the last pass still changed sizes.
    bool settled = true;
    // Nothing was changed, and why (a pipe that does not exist, previous pipes in a
    // circle, a recompute that could not finish, the file refusing the writing).
    std::string error;

    bool complete() const { return error.empty() && refused.empty() && settled; }
};

// The share of full flow typed for `name` (a field's label, a command-line option):
// a number above 0 and at most 100, or the message naming it and the limits.
struct MaxFullEntry {
    std::optional<double> percent;
    std::string problem;
};
MaxFullEntry read_max_full(std::string_view typed, std::string_view name);

SizingSummary size_pipes(store::ProjectContext& context, Ui& ui, const SizingRequest& request);

// What the person reads: the changed pipes with their old and new sizes, the refused
// ones with their reasons, and the passes. Each list shows at most `listed` pipes.
std::string sizing_summary_text(const SizingSummary& summary, std::size_t listed = 30);

}  // namespace pelvane::forms
