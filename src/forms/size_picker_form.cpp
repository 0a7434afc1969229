#include "forms/size_picker_form.h"

namespace pelvane::forms {

SizePickerForm::SizePickerForm(const SizePicker& picker, Ui& ui)
    : FormModel(field_names::kSizePicker), picker_(picker), ui_(ui) {
    Field& list = fields[picker_.list];
    for (const SizeRow& row : picker_.rows) list.items.push_back(row.list_text());
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
    picked_ = picked_size(picker_, chosen);
    close_requested = true;
}

void SizePickerForm::cancel() {
    close_requested = true;
}

}  // namespace pelvane::forms
