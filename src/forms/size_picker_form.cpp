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
    items_.reserve(picker_.rows.size());
    for (const pipe::SizeRow& row : picker_.rows) items_.push_back(row.list_text());
}

void SizePickerForm::select_row(std::optional<std::size_t> row) {
    selected_ = row && *row < items_.size() ? row : std::nullopt;
}

void SizePickerForm::select() {
    if (!open_) return;
    if (!selected_) {
        ui_.message(kPleaseSelectPipeSize, Icon::Information);
        return;
    }
    picked_ = pipe::picked_size(picker_, items_[*selected_]);
    open_ = false;
}

void SizePickerForm::cancel() {
    open_ = false;
}

}  // namespace pelvane::forms
