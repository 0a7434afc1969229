#include "core/pipe/catalogue.h"

#include <algorithm>
#include <array>

#include "core/units.h"

namespace pelvane::pipe {
namespace {

constexpr std::array<Shape, 7> kShapes{{
    {kCircular, true, {}},
    {kElliptical, false, {}},
    {kBox, false, {}},
    {kArchConcrete, false, kConcrete},
    {kArchSmallCorr, false, kCmpSmallCorr},
    {kArchMediumCorr, false, "CMP (Medium Corr.)"},
    {kArchLargeCorr, false, "CMP (Large Corr.)"},
}};

constexpr std::array<std::string_view, 9> kMaterials{"Brick",
                                                     "Cast Iron",
                                                     "Concrete",
                                                     "CMP (Small Corr.)",
                                                     "CMP (Medium Corr.)",
                                                     "CMP (Large Corr.)",
                                                     "Plastic",
                                                     "Vitrified Clay",
                                                     "Other"};

// The n table, in the order it is searched. A row matches on its material, or on its
// shape where it names one (the arches, whose material is fixed).
struct ManningRow {
    std::string_view material;
    std::string_view shape;
    std::string_view n;
};
constexpr std::array<ManningRow, 9> kManningRows{{
    {"Concrete", kArchConcrete, "0.013"},
    {"CMP (Small Corr.)", kArchSmallCorr, "0.024"},
    {"CMP (Medium Corr.)", kArchMediumCorr, "0.027"},
    {"CMP (Large Corr.)", kArchLargeCorr, "0.033"},
    {"Plastic", {}, "0.012"},
    {"Vitrified Clay", {}, "0.014"},
    {"Cast Iron", {}, "0.013"},
    {"Brick", {}, "0.017"},
    {"Other", {}, "0.017"},
}};

constexpr std::array<std::string_view, 4> kBarrels{"1", "2", "3", "4"};

constexpr std::array<std::string_view, 14> kDiametersEnglish{
    "12", "15", "18", "21", "24", "27", "30", "36", "42", "48", "54", "60", "66", "72"};
constexpr std::array<std::string_view, 12> kDiametersMetric{
    "300", "375", "450", "600", "750", "900", "1050", "1200", "1350", "1500", "1650", "1800"};

constexpr ShapeChangeSizes kShapeChangeEnglish{"23", "14", "18"};
constexpr ShapeChangeSizes kShapeChangeMetric{"585", "355", "300"};

}  // namespace

std::span<const Shape> shapes() {
    return kShapes;
}

const Shape* find_shape(std::string_view name) {
    const auto it = std::find_if(kShapes.begin(), kShapes.end(),
                                 [&](const Shape& s) { return s.name == name; });
    return it == kShapes.end() ? nullptr : &*it;
}

bool sized_by_diameter(std::string_view shape) {
    const Shape* s = find_shape(shape);
    return s && s->uses_diameter;
}

bool is_arch(std::string_view shape) {
    const Shape* s = find_shape(shape);
    return s && !s->fixed_material.empty();
}

std::string_view shown_shape(std::string_view stored) {
    return stored == kStoredRectangular ? kBox : stored;
}

std::string_view shown_material(std::string_view stored) {
    return stored == kStoredCmp ? kCmpSmallCorr : stored;
}

std::span<const std::string_view> materials() {
    return kMaterials;
}

std::optional<std::string_view> manning_n(std::string_view material, std::string_view shape) {
    for (const ManningRow& row : kManningRows) {
        if (material == row.material || (!row.shape.empty() && shape == row.shape)) return row.n;
    }
    return std::nullopt;
}

std::span<const std::string_view> barrel_counts() {
    return kBarrels;
}

std::span<const std::string_view> standard_diameters(std::string_view units) {
    if (is_english(units)) return kDiametersEnglish;
    return kDiametersMetric;
}

std::string_view new_pipe_diameter(std::string_view units) {
    return is_english(units) ? "18" : "450";
}

const ShapeChangeSizes& shape_change_sizes(std::string_view units) {
    return is_english(units) ? kShapeChangeEnglish : kShapeChangeMetric;
}

std::optional<std::string_view> size_left_fill(SizeField field, std::string_view shape,
                                               std::string_view units, std::string_view text) {
    if (sized_by_diameter(shape) || !text.empty()) return std::nullopt;
    // Only the two known units texts fill anything, and the metric fill is not the
    // size a shape change starts from: leaving a field is its own rule.
    if (units == kEnglish) return field == SizeField::Span ? "23" : "14";
    if (units == kMetric) return field == SizeField::Span ? "5060" : "3080";
    return std::nullopt;
}

}  // namespace pelvane::pipe
