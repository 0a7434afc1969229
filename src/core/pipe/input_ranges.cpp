#include "core/pipe/input_ranges.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/text/item_list.h"
#include "core/text/number_text.h"
#include "core/units.h"

namespace pelvane::pipe {
namespace {

// Quantities shared by several columns.
// Pipe length: our own sanity limit, ten times the longest access-hole spacing of
// HEC-22 Table 8.1 (1000 ft for pipes of 60 in and up); a run of zero length has no
// slope.
constexpr Bounds kLengthFt{0.0, 10000.0, "ft"};
constexpr Bounds kLengthM{0.0, 3048.0, "m"};
// Offset of a structure from the survey line (left or right is its own field):
// our own sanity limit.
constexpr Bounds kOffsetFt{0.0, 1000.0, "ft"};
constexpr Bounds kOffsetM{0.0, 305.0, "m"};
// Elevations: our own sanity limit, from below the lowest dry land (about -1,400 ft
// at the Dead Sea) to above the highest ground (29,032 ft), so a local datum fits.
constexpr Bounds kElevationFt{-1500.0, 30000.0, "ft"};
constexpr Bounds kElevationM{-457.0, 9144.0, "m"};
// Diameter, span and rise: our own sanity limit, from 4 in to twice the largest
// section of the size tables (the 168.75 in concrete arch).
constexpr Bounds kSizeIn{4.0, 360.0, "in"};
constexpr Bounds kSizeMm{100.0, 9150.0, "mm"};
// Drainage areas and C·A (C is at most 1, so C·A is at most the area): our own
// sanity limit.
constexpr Bounds kAreaAcres{0.0, 10000.0, "acres"};
constexpr Bounds kAreaHa{0.0, 4047.0, "ha"};
// Times of concentration and flow times: our own sanity limit of a day; the
// intensity curves are fitted on 5 to 120 minutes.
constexpr Bounds kMinutes{0.0, 1440.0, "min"};
// Discharges: our own sanity limit.
constexpr Bounds kDischargeCfs{0.0, 100000.0, "cfs"};
constexpr Bounds kDischargeCms{0.0, 2832.0, "cms"};

// clang-format off
constexpr auto kRanges = std::to_array<InputRange>({
    {"PIPE_LENGTH", kLengthFt, kLengthM, true},
    {"NODEIN_OFFSET", kOffsetFt, kOffsetM},
    {"NODEOUT_OFFSET", kOffsetFt, kOffsetM},
    {"NODEIN_TOPELE", kElevationFt, kElevationM},
    {"NODEOUT_TOPELE", kElevationFt, kElevationM},
    {"PIPE_ELEIN", kElevationFt, kElevationM},
    {"PIPE_ELEOUT", kElevationFt, kElevationM},
    // Our own sanity limit: steeper than 1 ft/ft (45 degrees) is no storm drain run.
    {"PIPE_SLOPE", {0.0, 1.0, "ft/ft"}, {0.0, 1.0, "m/m"}},
    {"PIPE_DIA", kSizeIn, kSizeMm},
    {"SPAN", kSizeIn, kSizeMm},
    {"RISE", kSizeIn, kSizeMm},
    // The barrel list of the pipe window (catalogue barrel_counts).
    {"NUMOFPIPES", {1.0, 4.0, ""}, {1.0, 4.0, ""}, false, true},
    // Low end: the smallest n of HEC-22 Table 9.1 (smooth PVC and polyethylene,
    // 0.009). High end: our own sanity limit, well above the largest n the
    // program proposes (0.033, large-corrugation metal arch).
    {"PIPE_MANN", {0.009, 0.060, ""}, {0.009, 0.060, ""}},
    // Geometry: a deflection between two directions is at most a half turn.
    {"PIPE_SKEW", {0.0, 180.0, "degrees"}, {0.0, 180.0, "degrees"}},
    // The frequency factors of the storm frequency list (storm_frequency.cpp).
    {"PIPE_CF", {1.0, 1.25, ""}, {1.0, 1.25, ""}},
    // Our own sanity limit.
    {"PIPE_I", {0.0, 100.0, "in/hr"}, {0.0, 2540.0, "mm/hr"}},
    {"STRUCTURE_AREA", kAreaAcres, kAreaHa},
    {"PAREABUFSTR", kAreaAcres, kAreaHa, false, false, true},
    // The rational method's C is the fraction of the rainfall that runs off.
    {"PCBUFSTR", {0.0, 1.0, ""}, {0.0, 1.0, ""}, false, false, true},
    {"STRUCTURE_CA", kAreaAcres, kAreaHa},
    {"PRECA1", kAreaAcres, kAreaHa},
    {"PRECA2", kAreaAcres, kAreaHa},
    {"PRECA3", kAreaAcres, kAreaHa},
    {"PRECA4", kAreaAcres, kAreaHa},
    {"ACCUMULATED_CA", kAreaAcres, kAreaHa},
    {"STRUCTURE_TC", kMinutes, kMinutes},
    {"PRETC1", kMinutes, kMinutes},
    {"PRETC2", kMinutes, kMinutes},
    {"PRETC3", kMinutes, kMinutes},
    {"PRETC4", kMinutes, kMinutes},
    {"PREFLOWTIME1", kMinutes, kMinutes},
    {"PREFLOWTIME2", kMinutes, kMinutes},
    {"PREFLOWTIME3", kMinutes, kMinutes},
    {"PREFLOWTIME4", kMinutes, kMinutes},
    {"ACCUMULATED_TC", kMinutes, kMinutes},
    {"STRUCTURE_DISCHARGE", kDischargeCfs, kDischargeCms},
    {"LATERAL_DISCHARGE", kDischargeCfs, kDischargeCms},
    {"PIPE_DISCHARGE", kDischargeCfs, kDischargeCms},
});
// clang-format on

std::optional<InputRefusal> number_refusal(const InputRange& range, const Bounds& b,
                                           std::string_view item) {
    const auto number = text::parse_number(item);
    if (number.empty()) return std::nullopt;
    const auto refusal = [&](InputRefusal::Kind kind) {
        return InputRefusal{kind, std::string(item), &range, b};
    };
    if (!number.ok()) return refusal(InputRefusal::Kind::NotNumber);
    const double v = number.value;
    const bool below = range.low_excluded ? v <= b.low : v < b.low;
    if (below || v > b.high) return refusal(InputRefusal::Kind::OutOfRange);
    if (range.whole && v != std::floor(v)) return refusal(InputRefusal::Kind::NotWhole);
    return std::nullopt;
}

}  // namespace

const InputRange* input_range(std::string_view column) {
    const auto it = std::find_if(kRanges.begin(), kRanges.end(),
                                 [&](const InputRange& r) { return r.column == column; });
    return it == kRanges.end() ? nullptr : &*it;
}

std::optional<InputRefusal> input_refusal(std::string_view column, std::string_view text,
                                          std::string_view units) {
    const InputRange* range = input_range(column);
    if (!range || text.empty()) return std::nullopt;
    const Bounds& bounds = is_english(units) ? range->english : range->metric;
    if (!range->listed) return number_refusal(*range, bounds, text);
    for (const std::string& item : text::split_items(text, ',')) {
        if (auto refused = number_refusal(*range, bounds, item)) return refused;
    }
    return std::nullopt;
}

}  // namespace pelvane::pipe
