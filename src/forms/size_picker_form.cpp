#include "forms/size_picker_form.h"

namespace pelvane::forms {

void apply_section_change(FieldSet& fields, const pipe::SectionChange& change) {
    change.each([&](std::string_view name, const pipe::FieldChange& c) {
        if (c.empty()) return;
        Field& field = fields[name];
        if (c.text) field.text = *c.text;
        if (c.enabled) field.enabled = *c.enabled;
        if (c.highlighted) field.highlighted = *c.highlighted;
        if (c.items) field.items = *c.items;
    });
}

SizePickerForm::SizePickerForm(const pipe::SizePicker& picker, Ui& ui) : picker_(picker), ui_(ui) {
    Field& list = fields[picker_.list];
    for (const pipe::SizeRow& row : picker_.rows) list.items.push_back(row.list_text());
    fields.declare("size picker", {});  // the fields made above make the window
}

void SizePickerForm::select_row(std::optional<std::size_t> row) {
    const auto& items = list().items;
    fields.set_text(picker_.list, row && *row < items.size() ? items[*row] : std::string());
}

void SizePickerForm::select() {
    if (close_requested) return;
    const std::string& chosen = list().text;
    if (chosen.empty()) {
        ui_.message(kPleaseSelectPipeSize, Icon::Information);
        return;
    }
    picked_ = pipe::picked_size(picker_, chosen);
    close_requested = true;
}

void SizePickerForm::cancel() {
    close_requested = true;
}

}  // namespace pelvane::forms
