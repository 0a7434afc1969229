#pragma once
// The grid's "Pipe Report" command: the stored design of the pipe in the selected
// grid row onto the storm drain results sheet.

#include <optional>
#include <string>
#include <string_view>

#include "forms/report_sequence.h"
#include "forms/ui.h"
#include "report/layout_cell.h"
#include "store/project_context.h"

namespace pelvane::forms {

// Today's date as the sheet shows it: month/day/year ("12/5/2024").
std::string today_text();

// The cells for pipe `pipe_number`; "" means the first pipe in the grid's order
// (the row selected when the grid opens). Nothing when there is no such pipe.
std::optional<report::CellLayout> pipe_report_cells(const store::ProjectContext& context,
                                                    std::string_view pipe_number,
                                                    std::string_view today);

// Runs the command for the selected grid row's pipe: with no pipes says so
// (information icon) and stops; otherwise the report sequence. A number that names
// no pipe (the pipe went away since the grid was read) reports nothing.
std::optional<report::WrittenReport> run_pipe_report(store::ProjectContext& context, Ui& ui,
                                                     const std::string& selected_pipe_number);
std::optional<report::WrittenReport> run_pipe_report(store::ProjectContext& context, Ui& ui,
                                                     const std::string& selected_pipe_number,
                                                     const report::OfficeConverter* office);

}  // namespace pelvane::forms
