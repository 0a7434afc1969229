// The pipe itself: its number (unique in the project), its slope from the length
// and invert elevations, and its section through the catalogue's rules and the
// size and deflection-angle help windows.

#include "core/pipe/catalogue.h"
#include "core/pipe/slope.h"
#include "forms/input_conventions.h"
#include "forms/pipe_form.h"
#include "forms/size_picker_form.h"

namespace pelvane::forms {
namespace {

namespace texts = pipe_form_texts;

}  // namespace

// Checked when the length is reached, so a new pipe's number is settled before its
// data are typed.
void PipeForm::pipe_length_entered() {
    if (!adding_) return;
    const std::string number = fields.text("pipe_number");
    // A refused number is cleared (a blank one already is) and typed again.
    const auto refuse = [this](const Refusal& refusal) {
        ui_.message(refusal.message, refusal.icon);
        fields.set_text("pipe_number", "");
        tab = 0;
        request_focus("pipe_number");
    };
    rule_passes([&](const store::PipeTable& pipes) { return check_new_pipe_number(pipes, number); },
                refuse);
}

// The slope follows the length and the invert elevations; a pipe that does not
// fall is refused with a message.
void PipeForm::slope_field_left(FieldName name) {
    if (name == "pipe_length" && mode_ == ScreenMode::View) return;
    fields.set_text(name, format_on_leave(fields.text(name), session_.number_format));
    const pipe::PipeSlope slope = pipe::pipe_slope(
        fields.text("pipe_length"), fields.text("pipe_elein"), fields.text("pipe_eleout"));
    if (slope.status == pipe::PipeSlope::Status::Unreadable) return;
    if (slope.status == pipe::PipeSlope::Status::NotFalling) {
        ui_.message(texts::kElevations, Icon::Exclamation);
    }
    fields.set_text("pipe_slope", slope.text);
}

void PipeForm::apply_shape_states() {
    apply_section_change(fields, field_states(fields.text("pipe_shape")));
}

void PipeForm::pipe_shape_chosen() {
    apply_section_change(fields, shape_chosen(fields.text("pipe_shape"), context_.units));
    refresh_status();
}

void PipeForm::pipe_mat_chosen() {
    apply_section_change(fields,
                         material_chosen(fields.text("pipe_mat"), fields.text("pipe_shape")));
    refresh_status();
}

void PipeForm::size_left(FieldName name) {
    const auto field = name == "span" ? pipe::SizeField::Span : pipe::SizeField::Rise;
    if (const auto fill = pipe::size_left_fill(field, fields.text("pipe_shape"), context_.units,
                                               fields.text(name))) {
        fields.set_text(name, std::string(*fill));
    }
}

// Only a record being added or edited takes a picked size.
void PipeForm::pipeshape_help() {
    if (mode_ == ScreenMode::View) return;
    const SizePicker* picker = picker_for(fields.text("pipe_shape"), context_.units);
    if (!picker) return;
    SizePickerForm form(*picker, ui_);
    windows_.show_size_picker(form);
    if (form.picked()) {
        apply_section_change(fields, *form.picked());
        refresh_status();
    }
}

void PipeForm::pipeskew_help() {
    windows_.show_deflection_picture();
}

}  // namespace pelvane::forms
