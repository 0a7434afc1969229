#include "core/pipe/full_section.h"
#include "core/pipe/section.h"
#include "core/pipe/section_math.h"
#include "core/pipe/section_routine.h"
#include "core/pipe/section_searches.h"

namespace pelvane::pipe {

SectionResult box_section(const SectionInput& input, const DepthScanner& scanner) {
    using detail::SectionWriter;
    return detail::run_routine(
        "box_section", input, GravityKind::CircularBox, detail::SizeFields::SpanAndRise,
        [&scanner](SectionState& s, SectionWriter& w) {
            // Leaves the full section's area, perimeter and radius in the working values.
            const SearchOutcome full = box_full_flow(s);
            w.note(full);
            const double capacity = full.value;

            if (s.Q > capacity) {
                w.text(kFlowType, kPressureFlow);
                s.V = divide(s.Q, s.A);
                s.y = s.H;
            } else {
                w.text(kFlowType, kPartialFlow);
                const SearchOutcome depth = box_normal_depth(s, scanner);
                w.note(depth);
                s.y = depth.value;
                s.A = finite(s.y * s.B);
                s.P = finite(2.0 * s.y + s.B);
                s.R = divide(s.A, s.P);
                s.V = manning_velocity(s, s.R);
            }
            detail::write_section(s, capacity, w);
            detail::write_flow_state(s, w);

            const SearchOutcome critical = box_critical_depth(s, scanner);
            w.note(critical);
            w.number(kCriticalDepth, critical.value);

            // The friction slope always uses the full section, whatever the flow type.
            const FullSection whole = full_section(SectionKind::Box, 0.0, s.B, s.H);
            w.number(kFrictionSlope,
                     detail::full_section_friction_slope(s, whole.area, whole.radius), 4);
        });
}

}  // namespace pelvane::pipe
