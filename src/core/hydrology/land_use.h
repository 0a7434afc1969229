#pragma once
// Runoff and surface data of the VDOT Drainage Manual as the drainage area and
// time of concentration windows offer them: the land-use rows with their runoff
// coefficient ranges, and the pick lists that fill a dependent coefficient. Texts
// are shown to the engineer and stored in project files exactly as written here,
// spelling included.

#include <optional>
#include <span>
#include <string_view>

namespace pelvane::hydrology {

// One land-use row of the drainage area window.
struct LandUseRow {
    std::string_view group;      // heading above a group of rows ("RESIDENTIAL:"), or ""
    std::string_view type;       // type of drainage area
    std::string_view c_range;    // "low - high", the range of the runoff coefficient C
    std::string_view initial_c;  // C shown before the engineer types one
};

// The 15 rows of the current window, or the 24 rows of the window that legacy
// project databases use.
std::span<const LandUseRow> land_use_rows(bool legacy_database_mode);

// The low and high ends of a C range text ("0.25 - 0.35"): the text is split at
// "-" and each end read as a number. Nothing when either end does not read.
struct CRange {
    double low = 0.0;
    double high = 0.0;
};
std::optional<CRange> parse_c_range(std::string_view c_range);

// An item of a pick list and the text it writes into its dependent field.
struct ListChoice {
    std::string_view text;
    std::string_view value;
};

// Land cover of shallow concentrated flow -> intercept coefficient k.
std::span<const ListChoice> land_cover_choices();
// Soil type of overland flow -> rational C.
std::span<const ListChoice> soil_type_choices();
// Surface type of Kirpich channel flow -> surface factor F.
std::span<const ListChoice> surface_type_choices();

// The value written for `text`, or nothing when `text` is not an item of the list.
std::optional<std::string_view> choice_value(std::span<const ListChoice> list,
                                             std::string_view text);

}  // namespace pelvane::hydrology
