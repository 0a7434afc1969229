#pragma once
// The hydraulic grade line of a network, upstream from a chosen structure, as the
// rows of form LD-347.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/hgl/hgl_pipe.h"
#include "core/hgl/hgl_row.h"

namespace pelvane::hgl {

// Worksheet row of the outfall; pipe rows follow.
inline constexpr int kFirstHglRow = 11;

struct HglResult {
    // In row order: the outfall row, then the pipe rows of each path from the pipe
    // nearest its downstream structure upwards. One row number is left out between
    // two paths (the form's empty row).
    std::vector<HglRow> rows;
    // Trimmed PIPE_STORM_FREQ of the last pipe whose row was written; "" when none.
    std::string storm_frequency;
};

// Computes the grade line from `outfall` (any structure, not only the network's
// outfall: only the part upstream of it is computed). `pipes` are the PIPE records
// in table order; `tailwater` is the tailwater elevation text (ft or m) as typed,
// "" meaning "0.0"; `units` the project's UNITS. An empty `outfall` computes nothing.
// The outfall row holds the node in field 1 and the tailwater text in field 25.
// `friction` chooses the friction slope of every pipe row (the form's rule unless
// told otherwise).
HglResult compute_grade_line(std::span<const HglPipe> pipes, std::string_view outfall,
                             std::string_view tailwater, std::string_view units,
                             FrictionRule friction = FrictionRule::Ld347);

// The structures a run can start from: the distinct non-empty NODEOUT_NO texts in
// ascending text (byte) order.
std::vector<std::string> outfall_nodes(std::span<const HglPipe> pipes);

}  // namespace pelvane::hgl
