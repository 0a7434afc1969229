#include "core/hydrology/land_use.h"

#include <array>

#include "core/text/number_text.h"

namespace pelvane::hydrology {
namespace {

constexpr std::array<LandUseRow, 15> kCurrentRows{{
    {"", "Business: Industrial and Commercial", "0.80 - 0.90", "0.80"},
    {"", "Apartments and Townhomes", "0.65 - 0.75", "0.65"},
    {"", "Schools", "0.50 - 0.60", "0.50"},
    {"RESIDENTIAL:", "- Lots 10,000 sq. ft.", "0.40 - 0.50", "0.40"},
    {"RESIDENTIAL:", "- Lots 12,000 sq. ft.", "0.40 - 0.45", "0.40"},
    {"RESIDENTIAL:", "- Lots 17,000 sq. ft.", "0.35 - 0.45", "0.35"},
    {"RESIDENTIAL:", "- Lots ½ acre or more", "0.30 - 0.40", "0.30"},
    {"", "Parks, Cemeteries and Unimproved Areas", "0.20 - 0.35", "0.20"},
    {"", "Paved and Roof Areas", "0.90 - 0.95", "0.90"},
    {"", "Cultivated Areas", "0.50 - 0.70", "0.50"},
    {"", "Pasture", "0.35 - 0.45", "0.35"},
    {"", "Lawns", "0.25 - 0.35", "0.25"},
    {"", "Forest", "0.20 - 0.30", "0.20"},
    {"", "Steep Grass (2:1)", "0.40 - 0.70", "0.40"},
    {"", "Shoulder and Ditch Areas", "0.35 - 0.50", "0.35"},
}};

constexpr std::array<LandUseRow, 24> kLegacyRows{{
    {"BUSINESS:", "Residential", "0.70 - 0.95", "0.70"},
    {"BUSINESS:", "Neighborhood", "0.50 - 0.70", "0.50"},
    {"RESIDENTIAL:", "Single-Famile", "0.30 - 0.50", "0.30"},
    {"RESIDENTIAL:", "Multi-Units (Detached)", "0.40 - 0.60", "0.40"},
    {"RESIDENTIAL:", "Multi-Units (Attached)", "0.60 - 0.75", "0.60"},
    {"RESIDENTIAL:", "Suburban", "0.25 - 0.40", "0.25"},
    {"RESIDENTIAL:", "Apartment Areas", "0.50 - 0.70", "0.50"},
    {"INDUSTRIAL:", "Light Areas", "0.50 - 0.80", "0.50"},
    {"INDUSTRIAL:", "Heavy Areas", "0.60 - 0.90", "0.60"},
    {"", "Parks, Cemetaries", "0.10 - 0.25", "0.10"},
    {"", "Playgrounds", "0.20 - 0.40", "0.20"},
    {"", "Railroad Yard Areas", "0.20 - 0.40", "0.20"},
    {"", "Unimproved Areas", "0.10 - 0.30", "0.10"},
    {"LAWNS:", "Sandy Soil, Flat, 2%", "0.05 - 0.10", "0.05"},
    {"LAWNS:", "Sandy Soil, Ave, 2-7%", "0.10 - 0.15", "0.10"},
    {"LAWNS:", "Sandy Soil, Steep, 7%", "0.15 - 0.20", "0.15"},
    {"LAWNS:", "Heavy Soil, Flat, 2%", "0.13 - 0.17", "0.13"},
    {"LAWNS:", "Heavy Soil, Ave, 2-7%", "0.18 - 0.22", "0.18"},
    {"LAWNS:", "Heavy Soil, Steep, 7%", "0.25 - 0.35", "0.25"},
    {"STREETS", "Asphaltic", "0.70 - 0.95", "0.70"},
    {"STREETS", "Concrete", "0.80 - 0.95", "0.80"},
    {"STREETS", "Brick", "0.70 - 0.85", "0.70"},
    {"", "Drives and Walks", "0.70 - 0.85", "0.70"},
    {"", "Roofs", "0.70 - 0.95", "0.70"},
}};

constexpr std::array<ListChoice, 8> kLandCovers{{
    {"Forest Overland flow (0.076)", "0.076"},
    {"Fallow,Contour cropped,woodland (0.152)", "0.152"},
    {"Short grass pasture (0.213)", "0.213"},
    {"Cultivated straight row (0.274)", "0.274"},
    {"Nearly bare untilled (0.305)", "0.305"},
    {"Grassed waterway-shallow (0.457)", "0.457"},
    {"Unpaved - shallow (0.491)", "0.491"},
    {"Paved - shallow (0.619)", "0.619"},
}};

constexpr std::array<ListChoice, 5> kSoilTypes{{
    {"Paved", "0.90"},
    {"Bare Soil", "0.47"},
    {"Poor Grass Surface", "0.35"},
    {"Average Grass Surface", "0.27"},
    {"Dense Grass", "0.21"},
}};

constexpr std::array<ListChoice, 6> kSurfaceTypes{{
    {"Natural basin with well defined channel", "1.0"},
    {"Overland flow on bare earth", "1.0"},
    {"Mowed grass roadside channel", "1.0"},
    {"Overland flow (grass surfaces)", "2.0"},
    {"Overland flow (concrete or asphalt surfaces)", "0.4"},
    {"Concrete channels", "0.2"},
}};

}  // namespace

std::span<const LandUseRow> land_use_rows(bool legacy_database_mode) {
    if (legacy_database_mode) return kLegacyRows;
    return kCurrentRows;
}

std::optional<CRange> parse_c_range(std::string_view c_range) {
    const auto dash = c_range.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const auto low = text::parse_number(c_range.substr(0, dash));
    const auto high = text::parse_number(c_range.substr(dash + 1));
    if (!low.ok() || !high.ok()) return std::nullopt;
    return CRange{low.value, high.value};
}

std::span<const ListChoice> land_cover_choices() {
    return kLandCovers;
}
std::span<const ListChoice> soil_type_choices() {
    return kSoilTypes;
}
std::span<const ListChoice> surface_type_choices() {
    return kSurfaceTypes;
}

std::optional<std::string_view> choice_value(std::span<const ListChoice> list,
                                             std::string_view text) {
    for (const auto& choice : list) {
        if (choice.text == text) return choice.value;
    }
    return std::nullopt;
}

}  // namespace pelvane::hydrology
