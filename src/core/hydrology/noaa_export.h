#pragma once
// NOAA precipitation-frequency data server CSV exports (the "PF_Depth_English_PDS.csv"
// kind): point estimates by duration and average recurrence interval, as depths or
// intensities, in inches or millimetres. Only the partial duration series is
// accepted: the rational method's storm frequencies are recurrence intervals of the
// partial duration series, and annual-maximum values for the same label differ.

#include <string>
#include <string_view>
#include <vector>

#include "core/hydrology/idf_result.h"

namespace pelvane::hydrology {

struct NoaaExport {
    std::string station_name;                 // "PULASKI"; empty for a point that is no station
    std::string location_name;                // "Pulaski, Virginia, USA"
    bool intensities = false;                 // values are intensities (per hour), else depths
    bool metric = false;                      // millimetres, else inches
    std::vector<int> recurrence_years;        // column headings (1, 2, 5, ... 1000)
    std::vector<double> durations_minutes;    // row headings in minutes (5 ... 86400)
    std::vector<std::vector<double>> values;  // [duration][recurrence] as printed
};

// One estimate turned into an intensity: in/hr for a duration in minutes.
struct IdfPoint {
    double duration_minutes = 0.0;
    double intensity = 0.0;  // in/hr
};

// Durations a fit uses: 5 to 120 minutes, the range of times of concentration of
// storm drains. Every export of the server has exactly these six short durations.
// The title an export begins with and the heading of its table of estimates, as
// NOAA writes them.
inline constexpr std::string_view kNoaaTitle = "Point precipitation frequency estimates";
inline constexpr std::string_view kNoaaEstimates = "PRECIPITATION FREQUENCY ESTIMATES";

inline constexpr double kFitDurations[] = {5, 10, 15, 30, 60, 120};

// Reads an export. Refuses, with a sentence saying why: a text that is not such an
// export, an annual-maximum series, unknown units, a missing or short estimates
// table, a non-numeric or non-positive value, and an export that lacks one of the
// durations 5 to 120 minutes or one of the recurrence intervals 2 to 100 years.
IdfResult<NoaaExport> parse_noaa_export(std::string_view text);

// The intensities (in/hr) of one recurrence interval at the fit durations.
// Depths become intensities as depth * 60 / minutes; millimetres are divided by 25.4.
std::vector<IdfPoint> intensity_points(const NoaaExport& table, int recurrence_years);

}  // namespace pelvane::hydrology
