#include "core/pipe/section_searches.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "core/pipe/full_section.h"
#include "core/pipe/relative_bounds.h"
#include "core/pipe/section_math.h"

namespace pelvane::pipe {
namespace {

constexpr double kDischargeTolerance = 0.001;  // cfs or cms
constexpr double kTwoThirds = 2.0 / 3.0;

template <class Body>
SearchOutcome guarded(const char* name, Body body) {
    try {
        return {body(), false, {}};
    } catch (const ArithmeticFailure& failure) {
        return {0.0, true, std::string(failure.what()) + " in " + name};
    }
}

// Largest value of a function that rises and then falls on [a, b] (golden section).
template <class F>
double argmax(F f, double a, double b) {
    const double shrink = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int i = 0; i < 200; ++i) {
        const double c = b - shrink * (b - a);
        const double d = a + shrink * (b - a);
        if (f(c) > f(d)) {
            b = d;
        } else {
            a = c;
        }
    }
    return (a + b) / 2.0;
}

// θ = arccos(1 − 2y/D) is half the central angle of the wetted arc.
double circular_angle(double diameter, double y) {
    return arccos(finite(1.0 - divide(2.0 * y, diameter)));
}

double circular_area(double diameter, double theta) {
    return finite(diameter * diameter / 4.0 * (theta - std::sin(theta) * std::cos(theta)));
}

// Relative depth y / D at which a circular pipe carries most by Manning's equation,
// found once from the geometry: A · R^(2/3) grows with (θ − sin θ cos θ)^(5/3) / θ^(2/3).
double circular_turning_ratio() {
    static const double ratio = [] {
        const double theta = argmax(
            [](double t) {
                return std::pow(t - std::sin(t) * std::cos(t), 5.0 / 3.0) / std::pow(t, kTwoThirds);
            },
            std::numbers::pi / 2.0, std::numbers::pi);
        return (1.0 - std::cos(theta)) / 2.0;
    }();
    return ratio;
}

double polynomial(const std::array<double, 5>& c, double x) {
    return finite(c[0] * std::pow(x, 4) + c[1] * std::pow(x, 3) + c[2] * std::pow(x, 2) + c[3] * x +
                  c[4]);
}

template <class F>
RelativeShape::RisingTable rising_table(double top, F f) {
    RelativeShape::RisingTable table;
    table.top = top;
    constexpr int steps = RelativeShape::kTableSteps;
    for (int i = 0; i <= steps; ++i) {
        table.values[i] = f(top * i / steps);
    }
    table.parts_per_value = steps / table.values.back();
    for (int part = 0; part <= steps + 1; ++part) {
        const double least = table.values.back() * part / steps;
        table.part_start[part] = static_cast<std::uint16_t>(
            std::lower_bound(table.values.begin(), table.values.end(), least) -
            table.values.begin());
    }
    return table;
}

RelativeShape make_shape(std::array<double, 5> area, std::array<double, 5> radius) {
    RelativeShape shape{area, radius};
    const auto discharge_share = [&shape](double x) {
        const double a = std::max(shape.area_ratio(x), 0.0);
        const double r = std::max(shape.radius_ratio(x), 0.0);
        return a * std::pow(r, kTwoThirds);
    };
    shape.turning_ratio = argmax(discharge_share, 0.0, 1.0);
    shape.normal_share = rising_table(shape.turning_ratio, discharge_share);
    shape.critical_share = rising_table(
        1.0, [&shape](double x) { return std::max(shape.area_ratio(x), 0.0) * std::sqrt(x); });
    return shape;
}

}  // namespace

double manning_discharge(const SectionState& s, double area, double hydraulic_radius) {
    const double k_over_n = divide(s.K, s.n);
    const double radius_term = power(hydraulic_radius, kTwoThirds);
    const double slope_term = root(s.S);
    return finite(finite(finite(k_over_n * area) * radius_term) * slope_term);
}

double manning_velocity(const SectionState& s, double hydraulic_radius) {
    const double k_over_n = divide(s.K, s.n);
    const double radius_term = power(hydraulic_radius, kTwoThirds);
    const double slope_term = root(s.S);
    return finite(finite(k_over_n * radius_term) * slope_term);
}

SearchOutcome circular_normal_depth(SectionState& s, const DepthScanner& scanner) {
    const auto pass = [](SectionState& w, double y) -> std::optional<double> {
        const double theta = circular_angle(w.D, y);
        w.A = circular_area(w.D, theta);
        w.P = finite(theta * w.D);
        w.R = divide(w.A, w.P);
        const double qc = manning_discharge(w, w.A, w.R);
        if (y > 0.9999 * w.D) return w.D;
        if (w.Q - qc <= kDischargeTolerance) return y;
        return std::nullopt;
    };
    const double cap = 0.9999 * s.D;
    const auto ends_at = [cap](double y) { return y > cap; };
    const ScanPlan plan{&DepthSequence::fine(), ends_at, circular_turning_ratio() * s.D};
    SearchOutcome outcome =
        guarded("circular_normal_depth", [&] { return scanner.scan(s, plan, pass); });
    s.y = outcome.value;
    return outcome;
}

SearchOutcome circular_critical_depth(SectionState& s, const DepthScanner& scanner) {
    const auto pass = [](SectionState& w, double y) -> std::optional<double> {
        const double theta = circular_angle(w.D, y);
        const double area = circular_area(w.D, theta);
        const double top_width = finite(w.D * std::sin(theta));
        const double qc = finite(area * root(divide(finite(w.g * area), top_width)));
        if (y > 0.9999 * w.D) return w.D;
        if (w.Q - qc <= kDischargeTolerance) return y;
        return std::nullopt;
    };
    const double cap = 0.9999 * s.D;
    const auto ends_at = [cap](double y) { return y > cap; };
    const ScanPlan plan{&DepthSequence::fine(), ends_at};
    SectionState untouched = s;
    return guarded("circular_critical_depth", [&] { return scanner.scan(untouched, plan, pass); });
}

SearchOutcome box_full_flow(SectionState& s) {
    return guarded("box_full_flow", [&] {
        const FullSection full = full_section(SectionKind::Box, 0.0, s.B, s.H);
        s.A = full.area;
        s.P = full.perimeter;
        s.R = full.radius;
        return manning_discharge(s, s.A, s.R);
    });
}

SearchOutcome box_normal_depth(SectionState& s, const DepthScanner& scanner) {
    if (s.Q <= 0.0) return {};
    const auto pass = [](SectionState& w, double y) -> std::optional<double> {
        const double area = finite(w.B * y);
        const double perimeter = finite(2.0 * y + w.B);
        const double qc = manning_discharge(w, area, divide(area, perimeter));
        if (y > 0.9999 * w.H) return w.H;
        if (w.Q - qc <= kDischargeTolerance) return y;
        return std::nullopt;
    };
    const double cap = 0.9999 * s.H;
    const auto ends_at = [cap](double y) { return y > cap; };
    const ScanPlan plan{&DepthSequence::fine(), ends_at};
    return guarded("box_normal_depth", [&] { return scanner.scan(s, plan, pass); });
}

SearchOutcome box_critical_depth(SectionState& s, const DepthScanner& scanner) {
    if (s.Q <= 0.0) return {};
    const auto pass = [](SectionState& w, double y) -> std::optional<double> {
        const double qc = finite(finite(w.B * y) * root(finite(w.g * y)));
        if (y > 0.999 * w.H) return y;
        if (w.Q - qc < kDischargeTolerance) return y;
        return std::nullopt;
    };
    const double cap = 0.999 * s.H;
    const auto ends_at = [cap](double y) { return y > cap; };
    const ScanPlan plan{&DepthSequence::fine(), ends_at};
    return guarded("box_critical_depth", [&] { return scanner.scan(s, plan, pass); });
}

double RelativeShape::RisingTable::ratio_at(double value) const {
    if (value <= 0.0) return 0.0;
    if (!(value <= values.back())) return std::numeric_limits<double>::quiet_NaN();
    // The entry sought lies from the start of the value's part to the start of the
    // next one; the steps outward settle a part the rounding may have missed.
    const auto part = std::min(static_cast<std::size_t>(value * parts_per_value),
                               static_cast<std::size_t>(kTableSteps));
    std::size_t lo = part_start[part];
    std::size_t hi = std::min<std::size_t>(part_start[part + 1], kTableSteps);
    while (lo > 0 && values[lo - 1] >= value) --lo;
    while (hi < kTableSteps && values[hi] < value) ++hi;
    const auto i =
        std::lower_bound(values.begin() + lo, values.begin() + hi + 1, value) - values.begin();
    if (i == 0) return 0.0;
    const double below = values[i - 1];
    const double fraction = (value - below) / (values[i] - below);
    return top * (static_cast<double>(i - 1) + fraction) / kTableSteps;
}

double RelativeShape::area_ratio(double x) const {
    return polynomial(area, x);
}

double RelativeShape::radius_ratio(double x) const {
    return polynomial(radius, x);
}

const RelativeShape& elliptical_shape() {
    static const RelativeShape shape = make_shape({0.0016, -1.1168, 1.6724, 0.4549, -0.006},
                                                  {-1.9828, 2.9174, -2.8163, 2.9383, -0.0096});
    return shape;
}

const RelativeShape& arch_shape() {
    static const RelativeShape shape = make_shape({1.0587, -3.634, 3.3671, 0.1913, 0.014},
                                                  {-0.9327, 0.6045, -1.3292, 2.7365, -0.0336});
    return shape;
}

double relative_normal_depth(SectionState& s, const RelativeShape& shape, double full_area,
                             double full_radius, double full_discharge,
                             const DepthScanner& scanner) {
    const auto pass = [&shape, full_area, full_radius](SectionState& w,
                                                       double y) -> std::optional<double> {
        const double x = std::min(divide(y, w.H), 1.0);
        w.A = std::max(finite(full_area * shape.area_ratio(x)), 0.0);
        w.R = std::max(finite(full_radius * shape.radius_ratio(x)), 0.0);
        w.V = manning_velocity(w, w.R);
        w.Qc = finite(w.V * w.A);
        if (w.Qc >= w.Q) return y;
        if (x == 1.0) arithmetic_failure("the depth scan cannot reach the discharge");
        return std::nullopt;
    };
    const double rise = s.H;
    const auto ends_at = [rise](double y) { return y / rise >= 1.0; };
    // Only a hint, which the checked passes confirm.
    const double expected = shape.normal_share.ratio_at(s.Q / full_discharge) * rise;
    // Every pass that does not fail writes A, R, V and Qc.
    const auto goes_on = [&shape, full_area, full_radius](const SectionState& w, double y) {
        return relative_normal_goes_on(w, shape, full_area, full_radius, y);
    };
    ScanPlan plan{&DepthSequence::coarse(), ends_at, shape.turning_ratio * rise, expected};
    plan.goes_on = goes_on;
    s.y = scanner.scan(s, plan, pass);
    return s.y;
}

double relative_critical_depth(const SectionState& s, const RelativeShape& shape, double full_area,
                               const DepthScanner& scanner) {
    const auto pass = [&shape, full_area](SectionState& w, double yc) -> std::optional<double> {
        const double x = divide(yc, w.H);
        const double area = std::max(finite(full_area * shape.area_ratio(x)), 0.0);
        const double qc = finite(area * root(finite(w.g * yc)));
        if (qc >= w.Q) return yc;
        if (yc >= w.H) return yc;
        return std::nullopt;
    };
    const double rise = s.H;
    const auto ends_at = [rise](double y) { return y >= rise; };
    // Beyond the table the scan runs to its cap, the full rise.
    const double ratio = shape.critical_share.ratio_at(s.Q / (full_area * std::sqrt(s.g * rise)));
    const double expected = (std::isnan(ratio) ? 1.0 : ratio) * rise;
    const auto goes_on = [&shape, full_area](const SectionState& w, double yc) {
        return relative_critical_goes_on(w, shape, full_area, yc);
    };
    // The scan runs on a copy, which nothing reads afterwards.
    const auto stops_there = [&shape, full_area](const SectionState& w, double yc) {
        return relative_critical_stops_there(w, shape, full_area, yc);
    };
    ScanPlan plan{&DepthSequence::coarse(), ends_at, std::numeric_limits<double>::infinity(),
                  expected};
    plan.goes_on = goes_on;
    plan.stops_there = stops_there;
    SectionState untouched = s;
    const double yc = scanner.scan(untouched, plan, pass);
    return yc > s.H ? s.H : yc;
}

}  // namespace pelvane::pipe
