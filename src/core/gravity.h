#pragma once
// The accelerations of gravity the computations use. The program keeps each value
// its computation has always used, so that results stay the same to the digit: the
// values differ only in how they were rounded, not in what they mean.

namespace pelvane::gravity {

// ft/sec²: every English computation but the elliptical and arch section solvers
// (circular and box sections, the grade line, the LD-229 report, outlet protection,
// the USDA stone size equation).
inline constexpr double kEnglish = 32.2;
// ft/sec²: the elliptical and arch section solvers in English units.
inline constexpr double kEnglishEllipticalArch = 32.16;
// m/sec²: the grade line, the LD-229 report and the circular and box section
// solvers in metric units.
inline constexpr double kMetric = 9.8;
// m/sec²: the elliptical and arch section solvers in metric units.
inline constexpr double kMetricEllipticalArch = 9.81;
// m/sec²: the program-wide metric unit constant that outlet protection reads.
inline constexpr double kMetricOutlet = 9.8146;

}  // namespace pelvane::gravity
