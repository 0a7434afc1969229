#pragma once
// The size pickers opened by the size help of the pipe window: a list of standard
// sizes for the shape, Select and Cancel. Select hands the pipe window a change of
// its section fields (span, rise, and an arch's material and n), which the pipe
// window applies with apply_section_change.

#include <optional>
#include <string>
#include <vector>

#include "forms/field.h"
#include "forms/form_model.h"
#include "forms/section_rules.h"
#include "forms/size_pickers.h"
#include "forms/ui.h"

namespace pelvane::forms {

inline constexpr const char* kPleaseSelectPipeSize = "Please Select Pipe Size!";

class SizePickerForm : public FormModel {
  public:
    SizePickerForm(const SizePicker& picker, Ui& ui);

    const SizePicker& picker() const { return picker_; }
    // The list field, named as the picker's list control: its items are the sizes as
    // four tab-separated fields, its text the highlighted one ("" when none is).
    const Field& list() const { return fields.at(picker_.list); }
    // Highlights a row by its index; a row beyond the list highlights none.
    void select_row(std::optional<std::size_t> row);

    // Select (`Pselect`, ...): with no row, a reminder and the picker stays open;
    // otherwise the picked size is kept for the pipe window and the picker closes.
    void select();
    // Cancel (`pscancel`, ...): closes without a change.
    void cancel();

    // Set once Select has closed the picker.
    const std::optional<SectionChange>& picked() const { return picked_; }

  private:
    const SizePicker& picker_;
    Ui& ui_;
    std::optional<SectionChange> picked_;
};

}  // namespace pelvane::forms
