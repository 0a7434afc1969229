#pragma once
// The rules that tie the shape, material, n and size fields of the pipe window
// together. The rules return the changes to make and apply_section_change makes
// them, so they are the same wherever a section is edited (the window, a picked
// size, the import of a pipe list).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/field.h"

namespace pelvane::forms {

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
        f(FieldName("pipe_shape"), pipe_shape);
        f(FieldName("pipe_mat"), pipe_mat);
        f(FieldName("pipe_mann"), pipe_mann);
        f(FieldName("pipe_dia"), pipe_dia);
        f(FieldName("span"), span);
        f(FieldName("rise"), rise);
        f(FieldName("numofpipes"), numofpipes);
    }
};

// Applies a change to the pipe window's fields; fields it leaves alone keep their state.
void apply_section_change(FieldSet& fields, const SectionChange& change);

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

}  // namespace pelvane::forms
