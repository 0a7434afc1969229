#pragma once
// What the network plan and its window say.

#include <string>
#include <string_view>

#include "forms/plan.h"

namespace pelvane::forms::plan_texts {

inline constexpr const char* kCaption = "Network Plan";
inline constexpr const char* kColourByLabel = "COLOUR PIPES BY";
inline constexpr const char* kExport = "Export...";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kExportTitle = "Export Network Plan";
inline constexpr const char* kSubtitle =
    "Schematic: outfalls at the left, one column per pipe. Click a pipe to select it in "
    "the grid, double-click to open it.";
inline constexpr const char* kVelocity = "Velocity";
inline constexpr const char* kPercentFull = "Percent full (depth of flow / rise)";
inline constexpr const char* kCapacityRatio = "Capacity ratio (discharge / capacity)";
inline constexpr const char* kCheck = "LD-347 check (tailwater 0.0)";
inline constexpr const char* kNoValue = "no value";

// The result's name in the window's list.
inline std::string item_of(PlanResult result) {
    for (const PlanResultName& name : plan_result_names()) {
        if (name.result == result) return name.item;
    }
    return {};
}

inline std::string title(PlanResult result) {
    return "Network plan: " + item_of(result);
}

inline std::string unit_of(PlanResult result, std::string_view velocity_unit) {
    if (result == PlanResult::Velocity) return std::string(velocity_unit);
    return result == PlanResult::PercentFull ? "%" : "";  // a ratio or a check has none
}

inline std::string range(const std::string& from, const std::string& to, const std::string& unit) {
    return from + " to " + to + (unit.empty() ? "" : " " + unit);
}

inline std::string pipe_line(const std::string& number, const std::string& upper,
                             const std::string& lower, PlanResult result,
                             const std::string& value) {
    return "Pipe " + number + " (" + upper + " to " + lower + "): " + item_of(result) + " " + value;
}

}  // namespace pelvane::forms::plan_texts
