#include "core/pipe/full_section.h"

#include <numbers>

#include "core/pipe/section_math.h"

namespace pelvane::pipe {

FullSection full_section(SectionKind kind, double diameter, double span, double rise) {
    constexpr double pi = std::numbers::pi;
    FullSection full;
    switch (kind) {
        case SectionKind::Circular:
            full.area = finite(pi * square(diameter / 2.0));
            full.perimeter = finite(pi * diameter);
            full.radius = divide(full.area, full.perimeter);
            break;
        case SectionKind::Elliptical:
            full.area = finite(finite(finite(pi * span) * rise) / 4.0);
            full.perimeter = finite(finite(pi * finite(span + rise)) / 2.0);
            full.radius = divide(full.area, full.perimeter);
            break;
        case SectionKind::Box:
            // Every side is wetted when the box flows full.
            full.area = finite(span * rise);
            full.perimeter = finite(2.0 * finite(span + rise));
            full.radius = divide(full.area, full.perimeter);
            break;
        case SectionKind::Arch: {
            // The fitted area and hydraulic radius of the arch sizes.
            const double rise_by_span = finite(rise * span);
            full.area = finite(0.781 * power(rise_by_span, 1.003));
            full.radius = finite(0.241 * power(rise_by_span, 0.4965));
            full.perimeter = full.radius == 0.0 ? 0.0 : divide(full.area, full.radius);
            break;
        }
    }
    return full;
}

}  // namespace pelvane::pipe
