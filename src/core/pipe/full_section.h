#pragma once
// The whole cross-section of one barrel flowing full: the area, wetted perimeter
// and hydraulic radius the section solves take for the capacity and the full-flow
// friction slope, and the exact grade line takes for its friction.

#include "core/pipe/section.h"

namespace pelvane::pipe {

struct FullSection {
    double area = 0.0;       // ft² or m²
    double perimeter = 0.0;  // ft or m; an arch's follows from its fitted area and radius
    double radius = 0.0;     // ft or m
};

// `diameter` (circular barrels), `span` and `rise` (the other shapes) in ft or m.
// Throws ArithmeticFailure on an overflow or a division by zero.
FullSection full_section(SectionKind kind, double diameter, double span, double rise);

}  // namespace pelvane::pipe
