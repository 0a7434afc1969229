#include "core/outlet/two_year_flow.h"

#include <algorithm>

#include "core/outlet/checked_math.h"
#include "core/outlet/design_pipe.h"
#include "core/pipe/section_math.h"
#include "core/pipe/section_searches.h"

namespace pelvane::outlet {

using namespace detail;

std::optional<TwoYearDischarge> two_year_discharge(const RationalPipe& pipe,
                                                   const IdfCoefficients& coefficients,
                                                   const OutletUnits& units,
                                                   std::string_view number_format) {
    std::optional<TwoYearDischarge> result;
    run_steps([&] {
        const double tc = field_value(pipe.accumulated_tc);
        const double ca = field_value(pipe.accumulated_ca);
        const double cf = field_value(pipe.pipe_cf);
        const double ql =
            pipe.lateral_discharge.empty() ? 0.0 : field_value(pipe.lateral_discharge);
        double i = divide(coefficients.b, power(tc + coefficients.d, coefficients.e));
        if (!units.english) i = i * 25.4;
        const double q2 =
            divide(ql + divide(ca * i * cf, units.constants.discharge_ku), pipe.barrels);
        result = TwoYearDischarge{q2, text::format_number(q2, number_format)};
    });
    return result;
}

namespace {

// Manning's discharge (k/n)·A·R^(2/3)·S^(1/2), with k/n and S^(1/2) worked out once.
struct Manning {
    double k_over_n;
    double root_slope;

    double discharge(double area, double radius) const {
        return finite(k_over_n * area * power(radius, 2.0 / 3.0) * root_slope);
    }
};

struct AreaAndPerimeter {
    double area;
    double perimeter;
};

struct ScanStop {
    double depth;
    double area;
};

// Circular and box barrels: the depth climbs by 0.0001 (accumulated, as the section
// solver's scans do) until the barrel carries Q2 within 0.001 or the depth passes
// 0.9999 of the rise; the area is the one of the last pass.

template <class Section>
ScanStop fine_scan(double q2, double rise, const Manning& manning, Section section) {
    double y = 0.0;
    for (long pass = 0;; ++pass) {
        if (pass > kMaxScanPasses) fail();
        y = y + 0.0001;
        const AreaAndPerimeter s = section(y);
        const double q = manning.discharge(s.area, divide(s.area, s.perimeter));
        if (y > 0.9999 * rise || q2 - q <= 0.001) return {y, s.area};
    }
}

// A ratio of the section solver's relative-depth curves; a failure there is a
// failure of this step.
double ratio(double (pipe::RelativeShape::*curve)(double) const, const pipe::RelativeShape& shape,
             double x) {
    try {
        return (shape.*curve)(x);
    } catch (const pipe::ArithmeticFailure&) {
        fail();
    }
}

// Elliptical and arch barrels: the depth climbs by 0.01 until the barrel carries Q2;
// a Q2 above the full-section discharge flows full.
ScanStop coarse_scan(double q2, double rise, double full_area, double full_radius,
                     const Manning& manning, const pipe::RelativeShape& shape) {
    if (q2 > manning.discharge(full_area, full_radius)) return {rise, full_area};
    double y = 0.01;
    for (long pass = 0;; ++pass) {
        if (pass > kMaxScanPasses) fail();
        const double x = std::min(divide(y, rise), 1.0);
        const double area =
            std::max(full_area * ratio(&pipe::RelativeShape::area_ratio, shape, x), 0.0);
        const double radius =
            std::max(full_radius * ratio(&pipe::RelativeShape::radius_ratio, shape, x), 0.0);
        if (manning.discharge(area, radius) >= q2) return {y, area};
        y = y + 0.01;
    }
}

}  // namespace

std::optional<TwoYearVelocity> two_year_velocity(const OutletBarrel& barrel,
                                                 std::string_view C_Discharge,
                                                 const OutletUnits& units) {
    std::optional<TwoYearVelocity> result;
    run_steps([&] {
        const double q2 = field_value(C_Discharge);
        const Manning manning{
            divide(static_cast<double>(units.constants.manning_k), field_value(barrel.pipe_mann)),
            power(field_value(barrel.pipe_slope), 0.5)};
        const double length_conversion = units.constants.unit_divisor;
        const double rise = divide(field_value(barrel.eDiaRise), length_conversion);
        ScanStop stop{};
        switch (barrel_shape(barrel.pipe_shape)) {
            case BarrelShape::Circular:
                stop = fine_scan(q2, rise, manning, [&](double y) {
                    const double theta = 2.0 * arc_cos(1.0 - 2.0 * y / rise);
                    return AreaAndPerimeter{rise * rise * (theta - std::sin(theta)) / 8.0,
                                            rise * theta / 2.0};
                });
                break;
            case BarrelShape::Box: {
                const double span = divide(field_value(barrel.span), length_conversion);
                stop = fine_scan(q2, rise, manning, [&](double y) {
                    return AreaAndPerimeter{span * y, span + 2.0 * y};
                });
                break;
            }
            case BarrelShape::Elliptical: {
                const double span = divide(field_value(barrel.span), length_conversion);
                stop = coarse_scan(q2, rise, kPi * span * rise / 4.0,
                                   divide(span * rise, 2.0 * (span + rise)), manning,
                                   pipe::elliptical_shape());
                break;
            }
            case BarrelShape::Arch: {
                const double span = divide(field_value(barrel.span), length_conversion);
                stop = coarse_scan(q2, rise, 0.781 * power(rise * span, 1.003),
                                   0.241 * power(rise * span, 0.4965), manning, pipe::arch_shape());
                break;
            }
        }
        const double velocity = divide(q2, stop.area);
        result =
            TwoYearVelocity{stop.depth, stop.area, velocity, text::format_number(velocity, "0.00")};
    });
    return result;
}

}  // namespace pelvane::outlet
