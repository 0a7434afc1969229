#pragma once
// The outlet protection analysis of one outfall as an engineer does it in the two
// windows: choose the end node, type the 2-year discharge when asked, choose the
// bed material and its grain sizes or plasticity index, type the tailwater depth,
// Evaluate Needs, Determine Scour Hole Size and, when protection is "REQUIRED!",
// open the dissipator window with the riprap class, L2/h2 and h3 given and Analyze
// Energy Dissipation. `pelvane outlet` prints the result; `pelvane report outlet`
// writes it as the outlet protection report.

#include <functional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/json_output.h"
#include "forms/energy_dissipation_form.h"
#include "forms/pipe_energy_form.h"

namespace pelvane::cli {

// The options the analysis takes, each with its value.
const std::vector<std::string>& outlet_analysis_options();
// Usage of those options, for the commands' usage lines.
inline constexpr const char* kOutletAnalysisUsage =
    "--node N --tailwater-depth D [--bed MATERIAL] [--d16 X --d84 Y] [--pi X] "
    "[--class \"Class A1\"] [--l2h2 R] [--h3 H] [--q2 Q]";

struct OutletAnalysis {
    // Field texts by the windows' field names, in window order; the USBR basin
    // dimensions as an array of 15 texts. Dissipator fields only when that window
    // was opened.
    JsonObject fields = JsonObject::object();
    // The messages the windows showed, in order.
    std::vector<std::string> messages;
    bool designed = false;  // the dissipator window was opened and its designs run
};

// Runs the analysis on the project file of `args` (positional `file_position`).
// `with_dissipators` runs inside the dissipator window after its designs (the
// report is written there). --save saves the record at the end. A refused option
// or an outfall the windows cannot work on is a CommandError.
OutletAnalysis run_outlet_analysis(
    const Args& args, const CommandContext& command, std::size_t file_position,
    const std::function<void(forms::PipeEnergyForm&, forms::EnergyDissipationForm&)>&
        with_dissipators = {});

// {"fields": {...}, "messages": [...]} with --json, otherwise "name: text" lines
// and one "message: text" line per message.
void print_outlet_analysis(std::ostream& out, const OutletAnalysis& analysis, bool json);

}  // namespace pelvane::cli
