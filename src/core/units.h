#pragma once
// Unit systems. A project works in ENGLISH units (ft, cfs, acres, in, ft/sec) or
// metric units (m, cms, hectares, mm, m/sec); every UNITS text other than
// "ENGLISH" counts as metric.

#include <string_view>

#include "core/gravity.h"

namespace pelvane {

inline constexpr std::string_view kEnglish = "ENGLISH";
inline constexpr std::string_view kMetric = "METRIC";

inline bool is_english(std::string_view units) {
    return units == kEnglish;
}

// The program-wide unit constants, set when the pipe network grid opens and read by
// the reports, the grade line and outlet protection.
struct UnitConstants {
    double unit_divisor = 12.0;          // in -> ft (12) or mm -> m (1000); "length conversion"
    float manning_k = 1.486f;            // single precision, as the outlet velocity scans use it
    double discharge_ku = 1.0;           // 1 or 360 (mm/hr * ha -> cms)
    double ft_to_m = 1.0;                // 1 or 0.3048
    double m_to_ft = 1.0;                // 1 or 3.2808
    float in_to_mm = 1.0f;               // 1.0 or 25.4 (single precision)
    double gravity = gravity::kEnglish;  // or gravity::kMetricOutlet

    static UnitConstants for_units(std::string_view units) {
        if (is_english(units)) return UnitConstants{};
        return UnitConstants{1000.0, 1.0f, 360.0, 0.3048, 3.2808, 25.4f, gravity::kMetricOutlet};
    }
};

// The unit names shown beside quantities in the windows of a project. (Areas of
// drainage are named by each window in its own way: "Acres", "Ac.", "Ha".)
struct UnitNames {
    std::string_view length = "ft";
    std::string_view slope = "ft/ft";
    std::string_view velocity = "ft/sec";
    std::string_view discharge = "cfs";
    std::string_view size = "in";  // diameters, spans and rises
    std::string_view flow_area = "sqft";
    std::string_view intensity = "in/hr";

    static UnitNames for_units(std::string_view units) {
        if (is_english(units)) return UnitNames{};
        return UnitNames{"m", "m/m", "m/sec", "cms", "mm", "sqm", "mm/hr"};
    }
};

// The display pattern of quantities in a window of this project.
inline std::string_view number_format_for(std::string_view units) {
    return is_english(units) ? "0.000" : "0.0000";
}

}  // namespace pelvane
