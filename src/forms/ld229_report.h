#pragma once
// The grid's "Form LD229" command: the storm sewer design computations of every
// pipe onto form LD-229.

#include <optional>

#include "forms/report_sequence.h"
#include "forms/ui.h"
#include "report/layout_cell.h"
#include "store/project_context.h"

namespace pelvane::forms {

// Both grid reports say LD229 when there is nothing to report.
inline constexpr const char* kNoPipesToDisplay = "No pipes to Display in LD229 Report!";

// The grade line and the LD-229 report set the program-wide gravity (32.2 ft/sec²,
// or 9.8 m/sec² in metric) and unit divisor (12 or 1000) when they run; later
// readers see these values until the grid opens again.
void set_report_constants(store::ProjectContext& context);

// The cells of the form for the open project, pipes in the grid's order.
report::CellLayout ld229_cells(const store::ProjectContext& context);

// Runs the command: sets the report constants; with no pipes says so (information
// icon) and stops; otherwise the report sequence. Returns what was written.
std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context, Ui& ui);
std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context, Ui& ui,
                                                      const report::OfficeConverter* office);

}  // namespace pelvane::forms
