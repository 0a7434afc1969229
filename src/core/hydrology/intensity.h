#pragma once
// Rainfall intensity from intensity-duration-frequency coefficients. The
// coefficients give inches per hour for a duration (time of concentration) in
// minutes; a metric project shows millimetres per hour, the duration stays in
// minutes.

namespace pelvane::hydrology {

// i = B / (Tc + D)^E, the form of the county and NOAA-station tables.
struct IdfCurve {
    double b = 0.0;
    double d = 0.0;  // minutes
    double e = 0.0;

    friend bool operator==(const IdfCurve&, const IdfCurve&) = default;
};

// i = A / (B + Tc), the form of the legacy county table.
struct LegacyIdfCurve {
    double a = 0.0;
    double b = 0.0;  // minutes

    friend bool operator==(const LegacyIdfCurve&, const LegacyIdfCurve&) = default;
};

inline constexpr double kMillimetresPerInch = 25.4;

// Storm frequencies (years) with coefficients: the legacy county table has no
// 5-year columns.
inline constexpr int kStormFrequencies[] = {2, 5, 10, 25, 50, 100};
inline constexpr int kLegacyStormFrequencies[] = {2, 10, 25, 50, 100};

// in/hr for tc_minutes.
double idf_intensity(const IdfCurve& curve, double tc_minutes);
double legacy_idf_intensity(const LegacyIdfCurve& curve, double tc_minutes);

// in/hr converted to the project's intensity unit: in/hr (English) or mm/hr (metric).
inline double intensity_in_units(double inches_per_hour, bool english) {
    return english ? inches_per_hour : inches_per_hour * kMillimetresPerInch;
}

}  // namespace pelvane::hydrology
