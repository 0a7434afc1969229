#pragma once
// The section vocabulary of a pipe run (shapes, materials, Manning's n, barrels,
// standard diameters). The rules that tie the pipe window's section fields together
// on it are in forms/section_rules.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelvane::pipe {

inline constexpr std::string_view kCircular = "Circular";
inline constexpr std::string_view kElliptical = "Elliptical";
inline constexpr std::string_view kBox = "Box";
inline constexpr std::string_view kArchConcrete = "Arch-Conc";
inline constexpr std::string_view kArchSmallCorr = "Arch-S-Cor";
inline constexpr std::string_view kArchMediumCorr = "Arch-M-Cor";
inline constexpr std::string_view kArchLargeCorr = "Arch-L-Cor";
// Older records hold this for a box; it is shown and solved as "Box" but not offered.
inline constexpr std::string_view kStoredRectangular = "Rectangulr";

inline constexpr std::string_view kConcrete = "Concrete";
inline constexpr std::string_view kCmpSmallCorr = "CMP (Small Corr.)";
// Older records hold this for small-corrugation metal pipe.
inline constexpr std::string_view kStoredCmp = "CMP";

struct Shape {
    std::string_view name;
    // Circular pipes are sized by a diameter, every other shape by span and rise.
    bool uses_diameter = false;
    // Arches come in one material only; empty for the shapes of free material.
    std::string_view fixed_material;
};

// The shapes offered, in list order.
std::span<const Shape> shapes();
// nullptr for a name not in the list (including "Rectangulr").
const Shape* find_shape(std::string_view name);
bool is_arch(std::string_view shape);
// Whether a shape is sized by a diameter; a shape not in the list (a stored
// "Rectangulr") is sized by span and rise.
bool sized_by_diameter(std::string_view shape);
// What a record's stored shape and material are shown as.
std::string_view shown_shape(std::string_view stored);
std::string_view shown_material(std::string_view stored);

// The materials offered, in list order.
std::span<const std::string_view> materials();

// Manning's n proposed for a material on a shape: the first row of the n table whose
// material or shape matches wins. nullopt when no row matches (n is left alone).
std::optional<std::string_view> manning_n(std::string_view material, std::string_view shape);

// The number-of-barrels list: "1" to "4".
std::span<const std::string_view> barrel_counts();

// Standard circular diameters (inches for ENGLISH, millimetres for any other units).
std::span<const std::string_view> standard_diameters(std::string_view units);
// The diameter a new pipe starts with.
std::string_view new_pipe_diameter(std::string_view units);

// Span and rise a shape change starts from, and the diameter it gives a circular pipe:
// 23 x 14 and 18 in ENGLISH, 585 x 355 and 300 mm for any other units.
struct ShapeChangeSizes {
    std::string_view span;
    std::string_view rise;
    std::string_view diameter;
};
const ShapeChangeSizes& shape_change_sizes(std::string_view units);

enum class SizeField { Span, Rise };

// The text an empty span or rise gets when it is left, for a shape other than
// Circular: "23" / "14" in ENGLISH, "5060" / "3080" in METRIC. Nothing for a field
// that holds anything, for a circular pipe, or for any other units text.
std::optional<std::string_view> size_left_fill(SizeField field, std::string_view shape,
                                               std::string_view units, std::string_view text);

}  // namespace pelvane::pipe
