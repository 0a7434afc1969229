#pragma once
// The storm drain results sheet: the stored design of one pipe, as cells. Every
// value is written as the text held in the project or the pipe record; the sheet
// computes nothing.

#include <string_view>

#include "report/layout_cell.h"
#include "store/pipe_table.h"
#include "store/project_context.h"

namespace pelvane::report {

// The cells for `pipe`. `today` is the date text shown in I2. The fourth previous
// pipe (row 32) is left as the template has it in legacy database mode, where a
// pipe has three previous pipes.
CellLayout pipe_report_layout(const store::ProjectContext& project, const store::PipeRecord& pipe,
                              std::string_view today);

}  // namespace pelvane::report
