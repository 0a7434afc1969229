// The texts of a network recompute's summary.

#include <string>

#include "forms/network_recompute.h"
#include "forms/summary_list.h"

namespace pelvane::forms {
namespace {

std::string joined(const std::vector<std::string>& numbers) {
    std::string out;
    for (const std::string& n : numbers) out += (out.empty() ? "" : ", ") + n;
    return out;
}

std::string shown(const std::string& discharge) {
    return discharge.empty() ? "(empty)" : discharge;
}

std::string pipes(int count) {
    return std::to_string(count) + (count == 1 ? " pipe" : " pipes");
}

}  // namespace

std::string recompute_summary_text(const RecomputeSummary& summary, std::size_t listed) {
    if (!summary.cycles.empty()) {
        std::string out =
            "The previous pipes of these pipes run in a circle, so the network cannot be "
            "recomputed. Nothing was changed.";
        list_lines(out, summary.cycles, listed, [](const std::vector<std::string>& cycle) {
            return "Circle: " + joined(cycle);
        });
        if (!summary.blocked.empty()) out += "\nPipes below a circle: " + joined(summary.blocked);
        return out;
    }
    if (summary.stopped)
        return std::string(kRecomputeNetworkCaption) + " was stopped. Nothing was saved.";
    if (!summary.error.empty()) return "Nothing was saved: " + summary.error;

    std::string out =
        pipes(summary.recomputed) + " recomputed, " + pipes(summary.saved) + " saved.";
    if (summary.changed.empty()) {
        out += "\nNo discharge or result changed.";
    } else {
        out += "\nDischarge or results changed (old → new discharge):";
        list_lines(out, summary.changed, listed, [](const RecomputedPipe& p) {
            return "Pipe " + p.pipe + ": " + shown(p.old_discharge) + " → " +
                   shown(p.new_discharge);
        });
    }
    if (!summary.failed.empty()) {
        out += "\nCould not be solved (left as saved):";
        list_lines(out, summary.failed, listed,
                   [](const UnsolvedPipe& p) { return "Pipe " + p.pipe + ": " + p.reason; });
    }
    return out;
}

}  // namespace pelvane::forms
