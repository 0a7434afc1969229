#pragma once
// The depth searches of the section solvers and the Manning terms they share. Each
// search is a scan with a fixed step and its own stop tests; the results are
// therefore quantised to the step (0.0001 ft or m for circular and box depths, 0.01
// for elliptical and arch depths), and the reported values depend on that.

#include <array>
#include <cstdint>
#include <string>

#include "core/pipe/section_scan.h"
#include "core/pipe/section_state.h"

namespace pelvane::pipe {

// A search that fails shows the message and gives 0, and its shape routine goes on
// with that 0; `reason` says what failed, for people reading a log.
struct SearchOutcome {
    double value = 0.0;
    bool failed = false;
    std::string reason;
};

// Manning discharge (K / n) · A · R^(2/3) · S^(1/2) and velocity (K / n) · R^(2/3) ·
// S^(1/2) with the constants and slope of `s`. Throw ArithmeticFailure.
double manning_discharge(const SectionState& s, double area, double hydraulic_radius);
double manning_velocity(const SectionState& s, double hydraulic_radius);

// Normal depth of a circular pipe of diameter s.D for the discharge s.Q: the first
// depth of the fine scan at which the Manning discharge comes within 0.001 of Q, or D
// once the depth passes 0.9999 · D. Leaves A, P and R of its last pass in `s` and
// stores the depth in s.y.
SearchOutcome circular_normal_depth(SectionState& s, const DepthScanner& scanner);

// Critical depth of a circular pipe: the same scan with the critical discharge
// A · √(g · A / T). Changes nothing in `s`.
SearchOutcome circular_critical_depth(SectionState& s, const DepthScanner& scanner);

// Full-flow capacity of a box of span s.B and rise s.H; leaves the full section's A,
// P and R in `s`.
SearchOutcome box_full_flow(SectionState& s);

// Normal depth of a box (fine scan, Manning discharge within 0.001 of Q, H once the
// depth passes 0.9999 · H); 0 for a discharge of 0 or less.
SearchOutcome box_normal_depth(SectionState& s, const DepthScanner& scanner);

// Critical depth of a box: the fine scan of B · y · √(g · y) that stops when it comes
// within 0.001 of Q (strictly), or at the first depth past 0.999 · H, which it keeps.
// 0 for a discharge of 0 or less.
SearchOutcome box_critical_depth(SectionState& s, const DepthScanner& scanner);

// Elliptical and arch sections are described by fitted ratios of area and hydraulic
// radius to their full-section values, as polynomials of the relative depth x.
struct RelativeShape {
    // Values of a rising function of x at evenly spaced x from 0 to `top`, to find
    // roughly where it reaches a value.
    static constexpr int kTableSteps = 256;
    struct RisingTable {
        double top = 1.0;
        std::array<double, kTableSteps + 1> values{};
        // Where to look for a value: the first entry at or above each of kTableSteps
        // even parts of the last value (and kTableSteps past them), and the number of
        // parts per unit of value. Narrows the search to an entry or two.
        std::array<std::uint16_t, kTableSteps + 2> part_start{};
        double parts_per_value = 0.0;

        // The x at which the function reaches `value`, interpolated; 0 for a value of
        // 0 or less, NaN beyond the last one.
        double ratio_at(double value) const;
    };

    std::array<double, 5> area;    // coefficients of x^4, x^3, x^2, x, 1
    std::array<double, 5> radius;  // the same for the hydraulic radius
    // Relative depth at which the polynomial discharge A · R^(2/3) is largest.
    double turning_ratio = 1.0;
    // Where the scans can expect to stop: the polynomial discharge as a share of
    // Af · Rf^(2/3), up to the turning ratio, and the critical discharge as a share
    // of Af · √(g · H), A · √(g · y) / (Af · √(g · H)), up to the full rise.
    RisingTable normal_share{};
    RisingTable critical_share{};

    double area_ratio(double x) const;
    double radius_ratio(double x) const;
};

const RelativeShape& elliptical_shape();
const RelativeShape& arch_shape();

// The coarse normal-depth scan of an elliptical or arch section with full-section
// area `full_area` and hydraulic radius `full_radius`: the first depth at which the
// polynomial discharge reaches s.Q. `full_discharge`, the Manning discharge of the
// full section, only tells the scanner where to look first. Leaves A, R, V and Qc of
// its last pass in `s`, and the depth in s.y. Throws ArithmeticFailure: a failure here
// ends the shape routine. Once the relative depth is held at 1 every pass repeats the
// last one, so a pass there that falls short fails instead of scanning for ever.
double relative_normal_depth(SectionState& s, const RelativeShape& shape, double full_area,
                             double full_radius, double full_discharge,
                             const DepthScanner& scanner);

// The coarse critical-depth scan of A · √(g · yc) (relative depth not held at 1),
// ending at the first depth at or past H; a result past H is reported as H.
// Throws ArithmeticFailure.
double relative_critical_depth(const SectionState& s, const RelativeShape& shape, double full_area,
                               const DepthScanner& scanner);

}  // namespace pelvane::pipe
