#pragma once
// Relative-depth curves of partly full elliptical and arch barrels: the ratios of the
// area and of the hydraulic radius to their full-section values at the relative depth
// x = y / rise. They are the section solver's curves; the 2-year outlet velocity
// scans with them too.

#include <cmath>

namespace pelvane::outlet::detail {

struct RelativeDepthCurves {
    double (*area)(double x);
    double (*radius)(double x);
};

inline double ellipse_area_ratio(double x) {
    return 0.0016 * std::pow(x, 4) - 1.1168 * std::pow(x, 3) + 1.6724 * std::pow(x, 2) +
           0.4549 * x - 0.006;
}
inline double ellipse_radius_ratio(double x) {
    return -1.9828 * std::pow(x, 4) + 2.9174 * std::pow(x, 3) - 2.8163 * std::pow(x, 2) +
           2.9383 * x - 0.0096;
}
inline double arch_area_ratio(double x) {
    return 1.0587 * std::pow(x, 4) - 3.634 * std::pow(x, 3) + 3.3671 * std::pow(x, 2) + 0.1913 * x +
           0.014;
}
inline double arch_radius_ratio(double x) {
    return -0.9327 * std::pow(x, 4) + 0.6045 * std::pow(x, 3) - 1.3292 * std::pow(x, 2) +
           2.7365 * x - 0.0336;
}

inline constexpr RelativeDepthCurves kEllipseCurves{ellipse_area_ratio, ellipse_radius_ratio};
inline constexpr RelativeDepthCurves kArchCurves{arch_area_ratio, arch_radius_ratio};

}  // namespace pelvane::outlet::detail
