#pragma once
// The section vocabulary of a pipe run (shapes, materials, Manning's n, barrels,
// standard diameters) and the rules that tie the shape, material, n and size
// fields of the pipe window together. The rules return the changes to make; the
// window applies them, so they are the same wherever a section is edited.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// Tool tip of the diameter field: Min. 12 and the inch sign.
inline constexpr std::string_view kDiameterToolTip = "Min. 12\"";

// A change to one field: each member left empty keeps what the field has.
struct FieldChange {
    std::optional<std::string> text;
    std::optional<bool> enabled;
    // true: the light-blue background of a size field that does not apply (the
    // field's `highlighted` state).
    std::optional<bool> highlighted;
    // Replaces the field's list items.
    std::optional<std::vector<std::string>> items;

    bool empty() const { return !text && !enabled && !highlighted && !items; }
};

// Changes to the section fields of the pipe window, named as the fields are.
struct SectionChange {
    FieldChange pipe_shape;
    FieldChange pipe_mat;
    FieldChange pipe_mann;
    FieldChange pipe_dia;
    FieldChange span;
    FieldChange rise;
    FieldChange numofpipes;

    // Calls f(field name, change) for every field, in the order above.
    template <class F>
    void each(F&& f) const {
        f(std::string_view("pipe_shape"), pipe_shape);
        f(std::string_view("pipe_mat"), pipe_mat);
        f(std::string_view("pipe_mann"), pipe_mann);
        f(std::string_view("pipe_dia"), pipe_dia);
        f(std::string_view("span"), span);
        f(std::string_view("rise"), rise);
        f(std::string_view("numofpipes"), numofpipes);
    }
};

// The section of a new pipe: circular concrete, the units' diameter list and default
// diameter, span and rise cleared and out of use, one barrel.
SectionChange new_pipe_section(std::string_view units);

// A shape chosen from the list. Circular: diameter back in use ("18" in, "300" mm),
// span and rise cleared and out of use. Any other: diameter cleared and out of use,
// span and rise in use at "23" x "14" in or "585" x "355" mm. Material is freed,
// except that an arch then takes its fixed material and n and locks the material.
SectionChange shape_chosen(std::string_view shape, std::string_view units);

// A material chosen from the list: n from the n table (nothing when no row matches).
SectionChange material_chosen(std::string_view material, std::string_view shape);

// The enabled and background states that belong to a shape, with no text changed:
// used when a record is shown or the window loads.
SectionChange field_states(std::string_view shape);

// For an arch: sets the material to the arch's fixed one, locks it and proposes its n.
// Leaves `change` alone for any other shape.
void lock_arch_material(SectionChange& change, std::string_view shape);

enum class SizeField { Span, Rise };

// The text an empty span or rise gets when it is left, for a shape other than
// Circular: "23" / "14" in ENGLISH, "5060" / "3080" in METRIC. Nothing for a field
// that holds anything, for a circular pipe, or for any other units text.
std::optional<std::string_view> size_left_fill(SizeField field, std::string_view shape,
                                               std::string_view units, std::string_view text);

}  // namespace pelvane::pipe
