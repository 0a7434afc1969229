#include "core/hydrology/time_of_concentration.h"

#include <cmath>

#include "core/units.h"

namespace pelvane::hydrology {
namespace {

std::optional<double> finite(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// A power as the formulas mean it: a negative base or zero to a negative power is
// a failure, not a complex number or an infinity.
std::optional<double> power(double base, double exponent) {
    if (base < 0.0 || (base == 0.0 && exponent < 0.0)) return std::nullopt;
    return finite(std::pow(base, exponent));
}

std::optional<double> quotient(double numerator, double denominator) {
    if (denominator == 0.0) return std::nullopt;
    return finite(numerator / denominator);
}

}  // namespace

TcConstants TcConstants::for_units(std::string_view units) {
    if (is_english(units)) return TcConstants{};
    return TcConstants{1.0, 60.0, 0.37056, 0.02311};
}

std::optional<double> segment_slope(double length, double upper_elevation, double lower_elevation) {
    return quotient(upper_elevation - lower_elevation, length);
}

std::optional<double> shallow_flow_time(const TcConstants& constants, double length,
                                        double slope_percent, double intercept_k) {
    const auto root = power(slope_percent, 0.5);
    if (!root) return std::nullopt;
    return quotient(length, intercept_k * *root * constants.shallow_flow_factor);
}

std::optional<double> manning_velocity(const TcConstants& constants, double mannings_n,
                                       double hydraulic_radius, double slope) {
    const auto factor = quotient(constants.manning_k, mannings_n);
    const auto radius_term = power(hydraulic_radius, 2.0 / 3.0);
    const auto slope_term = power(slope, 0.5);
    if (!factor || !radius_term || !slope_term) return std::nullopt;
    return finite(*factor * *radius_term * *slope_term);
}

std::optional<double> full_pipe_velocity(const TcConstants& constants, double mannings_n,
                                         double diameter, double slope) {
    return manning_velocity(constants, mannings_n, diameter / 4.0, slope);
}

std::optional<double> travel_time(double length, double velocity) {
    const auto seconds = quotient(length, velocity);
    if (!seconds) return std::nullopt;
    return *seconds / 60.0;
}

std::optional<double> seelye_time(const TcConstants& constants, double length, double slope,
                                  double rational_c) {
    const auto length_term = power(length, 0.42);
    const auto slope_term = power(slope, -0.19);
    if (!length_term || !slope_term) return std::nullopt;
    return quotient(constants.seelye_a * *length_term * *slope_term, rational_c);
}

std::optional<double> kirpich_time(const TcConstants& constants, double travel_length,
                                   double height, double surface_factor) {
    const auto length_term = power(travel_length, 1.13);
    const auto height_term = power(height, -0.38);
    if (!length_term || !height_term) return std::nullopt;
    return finite(constants.kirpich_b * *length_term * *height_term * surface_factor);
}

}  // namespace pelvane::hydrology
