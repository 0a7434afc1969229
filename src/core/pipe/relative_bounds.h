#pragma once
// Certain verdicts on single passes of the elliptical and arch depth scans, from
// bounds on their rounding errors, without the powers the passes compute. A scan can
// then skip the pass that only confirms where the scan does not stop yet. Each
// verdict is true only when certain; false says nothing.

#include "core/pipe/section_searches.h"
#include "core/pipe/section_state.h"

namespace pelvane::pipe {

// The normal-depth pass at depth y (see relative_normal_depth) neither stops nor
// fails: its discharge V · A stays below s.Q and y stays below the rise.
bool relative_normal_goes_on(const SectionState& s, const RelativeShape& shape, double full_area,
                             double full_radius, double y);

// The critical-depth pass at depth yc (see relative_critical_depth) neither stops
// nor fails: A · √(g · yc) stays below s.Q and yc below the rise.
bool relative_critical_goes_on(const SectionState& s, const RelativeShape& shape, double full_area,
                               double yc);

// The critical-depth pass at depth yc stops there without failing: A · √(g · yc)
// reaches s.Q, or yc reaches the rise.
bool relative_critical_stops_there(const SectionState& s, const RelativeShape& shape,
                                   double full_area, double yc);

}  // namespace pelvane::pipe
