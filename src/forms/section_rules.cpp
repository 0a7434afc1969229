#include "forms/section_rules.h"

#include <utility>

#include "core/pipe/catalogue.h"

namespace pelvane::forms {
namespace {

// An in-use size field and an out-of-use one (cleared when `clear`).
FieldChange in_use(std::optional<std::string> text = std::nullopt) {
    return {std::move(text), true, false, std::nullopt};
}
FieldChange out_of_use(bool clear) {
    return {clear ? std::optional<std::string>("") : std::nullopt, false, true, std::nullopt};
}

}  // namespace

void apply_section_change(FieldSet& fields, const SectionChange& change) {
    change.each([&](FieldName name, const FieldChange& c) {
        if (c.empty()) return;
        Field& field = fields[name];
        if (c.text) field.text = *c.text;
        if (c.enabled) field.enabled = *c.enabled;
        if (c.highlighted) field.highlighted = *c.highlighted;
        if (c.items) field.items = *c.items;
    });
}

void lock_arch_material(SectionChange& change, std::string_view shape) {
    const pipe::Shape* s = pipe::find_shape(shape);
    if (!s || s->fixed_material.empty()) return;
    change.pipe_mat.text = std::string(s->fixed_material);
    change.pipe_mat.enabled = false;
    if (const auto n = pipe::manning_n(s->fixed_material, shape)) {
        change.pipe_mann.text = std::string(*n);
    }
}

SectionChange new_pipe_section(std::string_view units) {
    SectionChange change;
    change.pipe_shape.text = std::string(pipe::kCircular);
    change.pipe_mat = in_use(std::string(pipe::kConcrete));
    change.pipe_mann.text = std::string(*pipe::manning_n(pipe::kConcrete, pipe::kCircular));
    change.pipe_dia = in_use(std::string(pipe::new_pipe_diameter(units)));
    const auto diameters = pipe::standard_diameters(units);
    change.pipe_dia.items = std::vector<std::string>(diameters.begin(), diameters.end());
    change.span = out_of_use(true);
    change.rise = out_of_use(true);
    change.numofpipes.text = std::string(pipe::barrel_counts().front());
    return change;
}

SectionChange shape_chosen(std::string_view shape, std::string_view units) {
    const pipe::ShapeChangeSizes& sizes = pipe::shape_change_sizes(units);
    SectionChange change;
    change.pipe_mat = in_use();
    if (pipe::sized_by_diameter(shape)) {
        change.pipe_dia = in_use(std::string(sizes.diameter));
        change.span = out_of_use(true);
        change.rise = out_of_use(true);
    } else {
        change.pipe_dia = out_of_use(true);
        change.span = in_use(std::string(sizes.span));
        change.rise = in_use(std::string(sizes.rise));
    }
    lock_arch_material(change, shape);
    return change;
}

SectionChange material_chosen(std::string_view material, std::string_view shape) {
    SectionChange change;
    if (const auto n = pipe::manning_n(material, shape)) change.pipe_mann.text = std::string(*n);
    return change;
}

SectionChange field_states(std::string_view shape) {
    SectionChange change;
    const bool diameter = pipe::sized_by_diameter(shape);
    change.pipe_dia = diameter ? in_use() : out_of_use(false);
    change.span = diameter ? out_of_use(false) : in_use();
    change.rise = change.span;
    change.pipe_mat.enabled = !pipe::is_arch(shape);
    return change;
}

}  // namespace pelvane::forms
