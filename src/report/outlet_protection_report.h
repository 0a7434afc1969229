#pragma once
// The outlet protection report: the whole analysis of one outfall on the
// OUTLETPROTECTION sheet, from the texts of the outlet protection window and the
// dissipator window.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/xlsx/workbook.h"
#include "store/project_context.h"

namespace pelvane::report {

// The text of a window's field by its control name ("" when the window has none).
using FieldLookup = std::function<std::string(std::string_view field)>;

struct ReportCell {
    int row = 0;
    int column = 0;
    std::string text;              // written as typed: a number text becomes a number
    std::optional<double> number;  // written as this number instead of the text
};

// The cells in the order they are written: the project in rows 1 to 3, the
// outlet protection window's fields in rows 5 to 15, the dissipator window's from
// row 17 on (its USBR and Contra Costa elements of the shared groups are
// `txtdE_usbr`, `txtFRo_usbr`, `txtdE_contra` and `txtFRo_contra`; the USBR
// dimensions "USBRsize(0)" to "USBRsize(14)"). E6 is the diameter or rise over the
// length conversion (ft or m); I21 the dissipator window's 2-year discharge with
// two decimals. An empty field gives an empty cell, which is left out.
std::vector<ReportCell> outlet_protection_cells(const FieldLookup& outlet,
                                                const FieldLookup& dissipators,
                                                const store::ProjectContext& context);

// Writes the cells; a cell that cannot be written is skipped (the workbook counts it).
void write_cells(Workbook& book, const std::vector<ReportCell>& cells);

}  // namespace pelvane::report
