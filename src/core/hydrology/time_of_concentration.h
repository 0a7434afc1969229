#pragma once
// Travel times of the flow-path segments that make up the time of concentration of
// an inlet, by the methods of the VDOT Drainage Manual. Lengths, heights and
// depths are in ft (English) or m (metric), velocities in ft/sec or m/sec, slopes
// in ft/ft or m/m unless said otherwise, times in minutes.
//
// Every function returns nothing when the arithmetic fails: a division by zero, a
// power of a negative number, an overflow. The caller reports that as a data error.

#include <optional>
#include <string_view>

namespace pelvane::hydrology {

// The inlet time never taken shorter than this (minutes).
inline constexpr double kMinimumTcMinutes = 5.0;

// Constants of the segment formulas for a project's units.
struct TcConstants {
    double manning_k = 1.486;  // Manning constant K: 1.486 (English) or 1.0 (metric)
    // Shallow concentrated flow: velocity per minute = k * sqrt(S%) * this; the
    // intercept coefficients k are in m/sec, so English is 3.2808 * 60 = 196.848
    // ft/min and metric 60 m/min.
    double shallow_flow_factor = 196.848;
    double seelye_a = 0.225;     // overland flow: 0.225 (English) or 0.37056 (metric)
    double kirpich_b = 0.00948;  // Kirpich: 0.00948 (English) or 0.02311 (metric)

    // Any UNITS text other than "ENGLISH" is metric.
    static TcConstants for_units(std::string_view units);
};

// Fall over length: (upper - lower) / length. Elevations and length in ft or m.
std::optional<double> segment_slope(double length, double upper_elevation, double lower_elevation);

// Shallow concentrated flow: length / (k * sqrt(slope_percent) * factor).
// slope_percent: slope in percent; k: intercept coefficient of the land cover.
std::optional<double> shallow_flow_time(const TcConstants& constants, double length,
                                        double slope_percent, double intercept_k);

// Manning velocity (ft/sec or m/sec) of a flow of the given hydraulic radius:
// (K / n) * R^(2/3) * sqrt(slope). A wide channel uses its depth of flow as R.
std::optional<double> manning_velocity(const TcConstants& constants, double mannings_n,
                                       double hydraulic_radius, double slope);

// Velocity of a pipe flowing full of diameter D (ft or m): R = D / 4.
std::optional<double> full_pipe_velocity(const TcConstants& constants, double mannings_n,
                                         double diameter, double slope);

// Time to travel `length` at `velocity` per second, in minutes: length / velocity / 60.
std::optional<double> travel_time(double length, double velocity);

// Overland flow after Seelye (VDOT modified): a * L^0.42 * S^-0.19 / C.
std::optional<double> seelye_time(const TcConstants& constants, double length, double slope,
                                  double rational_c);

// Channel flow after Kirpich (VDOT modified): b * L^1.13 * H^-0.38 * F, with L the
// longest travel length, H the height of the most remote point above the outlet
// and F the surface factor.
std::optional<double> kirpich_time(const TcConstants& constants, double travel_length,
                                   double height, double surface_factor);

}  // namespace pelvane::hydrology
