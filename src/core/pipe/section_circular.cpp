#include <numbers>

#include "core/pipe/section.h"
#include "core/pipe/section_math.h"
#include "core/pipe/section_routine.h"
#include "core/pipe/section_searches.h"

namespace pelvane::pipe {

SectionResult circular_section(const SectionInput& input, const DepthScanner& scanner) {
    using detail::SectionWriter;
    constexpr double pi = std::numbers::pi;
    return detail::run_routine(
        "circular_section", input, GravityKind::CircularBox, detail::SizeFields::Diameter,
        [&scanner](SectionState& s, SectionWriter& w) {
            const double half = s.D / 2.0;
            double capacity = finite(divide(s.K, s.n) * pi);
            capacity = finite(capacity * square(half));
            capacity = finite(capacity * power(s.D / 4.0, 2.0 / 3.0));
            capacity = finite(capacity * root(s.S));
            w.number(kCapacity, capacity);

            if (s.Q > capacity) {
                w.text(kFlowType, kPressureFlow);
                s.y = s.D;
                s.A = finite(pi * square(half));
                s.P = finite(pi * s.D);
            } else {
                w.text(kFlowType, kPartialFlow);
                if (s.Q <= 0.0) {
                    s.y = s.A = s.P = 0.0;
                } else {
                    // Leaves the area and wetted perimeter of its last pass.
                    w.note(circular_normal_depth(s, scanner));
                }
            }
            w.number(kFlowDepth, s.y);
            w.number(kAreaFlow, s.A);
            if (s.A != 0.0) {
                s.V = divide(s.Q, s.A);
                w.number(kVelocity, s.V);
            }
            if (s.P != 0.0) {
                s.R = divide(s.A, s.P);
                w.number(kHydRadius, s.R);
                w.number(kWettedPerimeter, s.P);
            }
            detail::write_flow_state(s, w);

            double critical = 0.0;
            if (s.Q > 0.0) {
                const SearchOutcome outcome = circular_critical_depth(s, scanner);
                w.note(outcome);
                critical = outcome.value;
            }
            w.number(kCriticalDepth, critical);

            const double denominator = finite(s.F * power(s.D, 2.67));
            w.number(kFrictionSlope, square(divide(finite(s.n * s.Q), denominator)), 4);
        });
}

}  // namespace pelvane::pipe
