#include "core/pipe/relative_bounds.h"

#include <array>
#include <cmath>

namespace pelvane::pipe {
namespace {

// Every quantity a verdict handles must lie in this range (or be 0 where said), so
// that no product below can overflow or lose digits to underflow: the bounds then
// hold to a few units of the last place, and the margins below are far wider.
constexpr double kLeast = 1e-90;
constexpr double kMost = 1e90;

bool moderate(double value) {
    return value >= kLeast && value <= kMost;
}

// 0, or moderate.
bool zero_or_moderate(double value) {
    return value == 0.0 || moderate(value);
}

// The pass evaluates a ratio polynomial with std::pow for x⁴ and x³, the verdicts
// with products. For 0 <= x <= 1 either value lies within a few units of the last
// place of Σ|cᵢ · xⁱ| <= Σ|cᵢ| of the exact polynomial (pow is within one unit of
// its exact power): 15 such units in all at most, well inside this margin of Σ|cᵢ|.
constexpr double kPolynomialMargin = 1e-13;
// What the products of a verdict may add to the relative error of its bound: a few
// dozen units of the last place at most.
constexpr double kProductMargin = 1e-12;

struct Range {
    double low;
    double high;
};

// The values the pass's polynomial can take at x, for 0 <= x <= 1.
Range polynomial_range(const std::array<double, 5>& c, double x) {
    const double x2 = x * x;
    const double value = (((c[0] * (x2 * x2) + c[1] * (x2 * x)) + c[2] * x2) + c[3] * x) + c[4];
    const double margin = kPolynomialMargin * (std::abs(c[0]) + std::abs(c[1]) + std::abs(c[2]) +
                                               std::abs(c[3]) + std::abs(c[4]));
    return {value - margin, value + margin};
}

// Q is positive and moderate, as is H, and so the relative depth y / H is exactly
// the pass's.
bool moderate_discharge_and_rise(const SectionState& s) {
    return moderate(s.Q) && moderate(s.H);
}

// An upper bound on A = max(full_area · area ratio, 0) at x: 0 when the ratio
// certainly is not positive, NaN when the bound would leave the moderate range.
double area_high(const RelativeShape& shape, double full_area, double x) {
    const double high = polynomial_range(shape.area, x).high;
    if (high <= 0.0) return 0.0;
    const double area = full_area * high;
    return moderate(area) ? area : std::nan("");
}

}  // namespace

bool relative_normal_goes_on(const SectionState& s, const RelativeShape& shape, double full_area,
                             double full_radius, double y) {
    if (!moderate_discharge_and_rise(s) || !moderate(full_area) || !moderate(full_radius) ||
        !zero_or_moderate(s.S) || !(y >= 0.0)) {
        return false;
    }
    const double x = y / s.H;
    if (!(x < 1.0)) return false;
    const double k_over_n = s.K / s.n;  // the pass's own quotient
    if (!moderate(k_over_n)) return false;
    const double area = area_high(shape, full_area, x);
    const double radius_ratio = polynomial_range(shape.radius, x).high;
    const double radius = radius_ratio <= 0.0 ? 0.0 : full_radius * radius_ratio;
    // (K / n) · √S · A, and R: V · A = that · R^(2/3), compared in cubes, which need
    // no power.
    const double term = k_over_n * std::sqrt(s.S) * area;
    if (!zero_or_moderate(term) || !zero_or_moderate(radius)) return false;
    const double discharge_cubed = term * term * term * (radius * radius);
    return discharge_cubed * (1.0 + kProductMargin) < s.Q * s.Q * s.Q;
}

bool relative_critical_goes_on(const SectionState& s, const RelativeShape& shape, double full_area,
                               double yc) {
    if (!moderate_discharge_and_rise(s) || !moderate(full_area) || !moderate(s.g) ||
        !(yc >= 0.0 && yc < s.H)) {
        return false;
    }
    const double area = area_high(shape, full_area, yc / s.H);
    if (!zero_or_moderate(area)) return false;
    // A · √(g · yc) < Q, compared in squares.
    return area * area * (s.g * yc) * (1.0 + kProductMargin) < s.Q * s.Q;
}

bool relative_critical_stops_there(const SectionState& s, const RelativeShape& shape,
                                   double full_area, double yc) {
    if (!moderate_discharge_and_rise(s) || !moderate(full_area) || !moderate(s.g) ||
        !(yc >= 0.0 && yc <= 2.0 * s.H)) {
        return false;
    }
    // With everything moderate and yc at most twice the rise, no step of the pass
    // can fail; from the rise on it stops whatever it computes.
    if (yc >= s.H) return true;
    const double low = polynomial_range(shape.area, yc / s.H).low;
    if (low <= 0.0) return false;
    const double area = full_area * low;
    if (!moderate(area)) return false;
    return area * area * (s.g * yc) * (1.0 - kProductMargin) >= s.Q * s.Q;
}

}  // namespace pelvane::pipe
