// Elliptical and arch sections: full-section values from the span and rise, partial
// depths from the fitted ratio polynomials, coarse depth scans.

#include "core/pipe/full_section.h"
#include "core/pipe/section.h"
#include "core/pipe/section_math.h"
#include "core/pipe/section_routine.h"
#include "core/pipe/section_searches.h"

namespace pelvane::pipe {
namespace {

using detail::SectionWriter;

// How the two shapes differ; the rest of the routine is the same.
struct RelativeKind {
    const char* name;
    const RelativeShape& (*shape)();
    SectionKind kind;
    double (*pressure_perimeter)(const FullSection& full);
    double (*friction_slope)(const SectionState& s, const FullSection& full);
};

SectionResult relative_section(const RelativeKind& kind, const SectionInput& input,
                               const DepthScanner& scanner) {
    return detail::run_routine(
        kind.name, input, GravityKind::EllipticalArch, detail::SizeFields::SpanAndRise,
        [&kind, &scanner](SectionState& s, SectionWriter& w) {
            const RelativeShape& shape = kind.shape();
            const FullSection full = full_section(kind.kind, 0.0, s.B, s.H);
            const double capacity = manning_discharge(s, full.area, full.radius);
            s.y = s.H;

            if (s.Q > capacity) {
                w.text(kFlowType, kPressureFlow);
                s.A = full.area;
                s.R = full.radius;
                s.P = kind.pressure_perimeter(full);
                s.V = divide(s.Q, full.area);
                s.y = s.H;
            } else {
                // The velocity stays the Manning velocity of the last pass, even when
                // the discharge found there exceeds the capacity.
                relative_normal_depth(s, shape, full.area, full.radius, capacity, scanner);
                s.P = divide(s.A, s.R);
                w.text(kFlowType, s.Qc > capacity ? kPressureFlow : kPartialFlow);
            }
            detail::write_section(s, capacity, w);
            detail::write_flow_state(s, w);

            w.number(kCriticalDepth, relative_critical_depth(s, shape, full.area, scanner));
            w.number(kFrictionSlope, kind.friction_slope(s, full), 4);
        });
}

const RelativeKind kElliptical{
    "elliptical_section",
    &elliptical_shape,
    SectionKind::Elliptical,
    [](const FullSection& full) { return full.perimeter; },
    [](const SectionState& s, const FullSection& full) {
        // F · (n · Q / (Af · Rf^0.67))², the exponent as the ellipse's rule has it.
        const double denominator = finite(full.area * power(full.radius, 0.67));
        return finite(s.F * square(divide(finite(s.n * s.Q), denominator)));
    },
};

const RelativeKind kArch{
    "arch_section",
    &arch_shape,
    SectionKind::Arch,
    [](const FullSection& full) { return divide(full.area, full.radius); },
    [](const SectionState& s, const FullSection& full) {
        return detail::full_section_friction_slope(s, full.area, full.radius);
    },
};

}  // namespace

SectionResult elliptical_section(const SectionInput& input, const DepthScanner& scanner) {
    return relative_section(kElliptical, input, scanner);
}

SectionResult arch_section(const SectionInput& input, const DepthScanner& scanner) {
    return relative_section(kArch, input, scanner);
}

}  // namespace pelvane::pipe
