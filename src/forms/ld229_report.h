#pragma once
// The grid's "Form LD229" command: the storm sewer design computations of every
// pipe onto form LD-229.

#include <optional>

#include "forms/design_session.h"
#include "forms/report_sequence.h"
#include "forms/ui.h"
#include "report/layout_cell.h"
#include "store/project_context.h"

namespace pelvane::forms {

// Both grid reports say LD229 when there is nothing to report.
inline constexpr const char* kNoPipesToDisplay = "No pipes to Display in LD229 Report!";

// The cells of the form for the open project, pipes in the grid's order, with the
// session's number format and unit divisor; the pipes' rows are read as the
// workbook is saved.
report::SheetCells ld229_cells(const store::ProjectContext& context, const DesignSession& session);

// Runs the command: enters the grade line report constants in the session; with no
// pipes says so (information icon) and stops; otherwise the report sequence.
// Returns what was written.
std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context,
                                                      DesignSession& session, Ui& ui);
std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context,
                                                      DesignSession& session, Ui& ui,
                                                      const report::OfficeConverter* office);

}  // namespace pelvane::forms
