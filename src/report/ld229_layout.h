#pragma once
// Form LD-229, storm sewer design computations: the header of the project and one
// row per pipe from row 12, as cells.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/layout_cell.h"
#include "store/pipe_table.h"
#include "store/project_context.h"

namespace pelvane::report {

inline constexpr int kLd229FirstPipeRow = 12;
inline constexpr const char* kPressureFlowMark = "Pressure Flow";

// What the form shows for the county: the project's NOAA station, or its county
// when the project has no station (projects of the releases before the stations).
std::string ld229_county_or_station(const store::ProjectContext& project);

// The cells of the form for `pipes` in the grid's order (PIPE_NUMBER as text).
// Reads the project's name, designer, location, county, station and units; the
// runoff coefficient and the flow time in minutes are rounded to the decimals of
// `number_format`, and `unit_divisor` turns the rise into ft or m (12 or 1000).
//
// Record texts are written as stored: identifiers, stations and the size as texts,
// quantities as entries (numbers in the form's formats). The derived columns:
//  7  C = STRUCTURE_CA / STRUCTURE_AREA, only when C x A is a number above 0 and
//     the area is a number other than 0;
//  28 FLOW_TIME / 60 (seconds to minutes), only when the flow time is a number;
//  29 ACCUMULATED_TC + column 28, an empty one counting 0;
//  30 "Pressure Flow" when the depth of flow is not below the rise in ft or m; a
//     pipe without a depth of flow (not solved) or without a rise gets no mark.
CellLayout ld229_layout(const store::ProjectContext& project,
                        std::span<const store::PipeRecord> pipes, std::string_view number_format,
                        double unit_divisor);

// The PIPE columns the form reads.
const std::vector<store::Column>& ld229_columns();

// The same form for every pipe of the open project, in the grid's order: the
// header now, the pipes' rows read one at a time as the workbook is saved (the
// project must stay open until then).
SheetCells ld229_sheet(const store::ProjectContext& project, std::string_view number_format,
                       double unit_divisor);

}  // namespace pelvane::report
