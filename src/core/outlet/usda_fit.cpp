#include "core/outlet/usda_fit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/outlet/least_squares.h"
#include "core/outlet/outlet_units.h"
#include "core/outlet/usda_method.h"
#include "core/outlet/vdot_apron.h"

namespace pelvane::outlet {

namespace {

constexpr int kFitSamples = 201;
constexpr int kCheckSamples = 2001;

std::vector<double> log_spaced(const UsdaFitRange& range, int count) {
    std::vector<double> q(count);
    const double low = std::log(range.q_min);
    const double step = (std::log(range.q_max) - low) / (count - 1);
    for (int i = 0; i < count; ++i) q[i] = std::exp(low + step * i);
    q.front() = range.q_min;
    q.back() = range.q_max;
    return q;
}

std::vector<double> fit(const std::vector<double>& qs, const std::function<double(double)>& source,
                        const std::function<std::vector<double>(double)>& basis) {
    std::vector<std::vector<double>> rows;
    std::vector<double> values;
    for (const double q : qs) {
        rows.push_back(basis(q));
        values.push_back(source(q));
    }
    const auto coefficients = least_squares(rows, values);
    if (!coefficients) throw std::logic_error("USDA curve fit is singular");
    return *coefficients;
}

// Worst absolute and relative difference of `fitted` from `source`, both first raised
// to `floor`.
void measure(const std::vector<double>& qs, const std::function<double(double)>& source,
             const std::function<double(double)>& fitted, double floor, double& worst_ft,
             double& worst_relative) {
    for (const double q : qs) {
        const double expected = std::max(source(q), floor);
        const double error = std::abs(std::max(fitted(q), floor) - expected);
        worst_ft = std::max(worst_ft, error);
        worst_relative = std::max(worst_relative, error / std::abs(expected));
    }
}

// Fits one tailwater's curves and measures them; `shortest` is the method's minimum
// apron length for that tailwater (ft).
UsdaCurve fit_set(const UsdaFitRange& range, const std::function<double(double)>& stone,
                  const std::function<double(double)>& length, double shortest,
                  UsdaFitError& error) {
    const auto qs = log_spaced(range, kFitSamples);
    const auto s = fit(qs, stone, [](double q) { return std::vector<double>{q * q, q, 1.0}; });
    const auto l = fit(qs, length, [](double q) { return std::vector<double>{std::log(q), 1.0}; });
    const UsdaCurve curve{s[0], s[1], s[2], l[0], l[1]};

    const auto check = log_spaced(range, kCheckSamples);
    const auto fitted_stone = [&](double q) { return curve.stone_size_ft(q); };
    const auto fitted_length = [&](double q) { return curve.apron_length_ft(q); };
    const double unbounded = -HUGE_VAL;
    measure(check, stone, fitted_stone, unbounded, error.stone_ft, error.stone_relative);
    measure(check, length, fitted_length, unbounded, error.length_ft, error.length_relative);
    measure(check, stone, fitted_stone, kUsdaMinStoneFt, error.used_stone_ft,
            error.used_stone_relative);
    measure(check, length, fitted_length, shortest, error.used_length_ft,
            error.used_length_relative);
    return curve;
}

}  // namespace

double usda_source_stone_size(double q_cfs, double outlet_ft, double tailwater_ft) {
    const double discharge_number =
        q_cfs / (std::sqrt(kUsdaSourceGravity) * std::pow(outlet_ft, 2.5));
    return 0.2 * outlet_ft * std::pow(discharge_number, 4.0 / 3.0) * (outlet_ft / tailwater_ft);
}

double usda_source_length_high(double q_cfs, double outlet_ft) {
    return 3.0 * q_cfs / std::pow(outlet_ft, 1.5);
}

double usda_source_length_low(double q_cfs, double outlet_ft) {
    return 1.8 * q_cfs / std::pow(outlet_ft, 1.5) + 7.0 * outlet_ft;
}

UsdaFitRange usda_fit_range(int diameter_in) {
    const double outlet = diameter_in / 12.0;
    // 3·Q / Do^1.5 = 6·Do
    const double q_min = kUsdaHighTailwaterMinLength * outlet * std::pow(outlet, 1.5) / 3.0;
    const double q_max = kSpecialDesignVelocity * kPi * outlet * outlet / 4.0;
    return {q_min, q_max};
}

UsdaFit fit_usda_curves(int diameter_in) {
    UsdaFit result;
    result.diameter_in = diameter_in;
    result.range = usda_fit_range(diameter_in);
    const double outlet = diameter_in / 12.0;
    result.coefficients.high_tailwater = fit_set(
        result.range,
        [&](double q) {
            return usda_source_stone_size(q, outlet, kHighTailwaterFitRatio * outlet);
        },
        [&](double q) { return usda_source_length_high(q, outlet); },
        kUsdaHighTailwaterMinLength * outlet, result.high_tailwater_error);
    result.coefficients.low_tailwater = fit_set(
        result.range,
        [&](double q) { return usda_source_stone_size(q, outlet, kLowTailwaterFitRatio * outlet); },
        [&](double q) { return usda_source_length_low(q, outlet); },
        kUsdaLowTailwaterMinLength * outlet, result.low_tailwater_error);
    return result;
}

}  // namespace pelvane::outlet
