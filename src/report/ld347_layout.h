#pragma once
// Form LD-347, hydraulic grade line computations: the rows of a grade line run
// as cells.

#include "core/hgl/grade_line.h"
#include "report/layout_cell.h"
#include "store/project_context.h"

namespace pelvane::report {

// I1 the project name, Z1 the designer, D4 the storm frequency, then every row of
// `result` at its row number (the outfall row 11, the pipe rows after it, the empty
// row between two paths left alone). Computed values are written
// unrounded; record texts as stored: the structure, station, size, shaping and
// check as texts, the stored quantities (invert, length, velocity, top elevation,
// the tailwater as typed) as entries, so they take the form's number formats.
CellLayout ld347_layout(const store::ProjectContext& project, const hgl::HglResult& result);

// The same with the rows made from `result` as the workbook is saved (`result`
// and `project` must outlive the save).
SheetCells ld347_sheet(const store::ProjectContext& project, const hgl::HglResult& result);

}  // namespace pelvane::report
