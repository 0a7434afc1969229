#pragma once
// The outlet protection report: the whole analysis of one outfall on the
// OUTLETPROTECTION sheet, from the texts of the outlet protection window and the
// dissipator window.

#include <functional>
#include <string>
#include <string_view>

#include "report/layout_cell.h"
#include "store/project_context.h"

namespace pelvane::report {

// The text of a window's field by its control name ("" when the window has none).
using FieldLookup = std::function<std::string(std::string_view field)>;

// The cells in the order they are written: the project in rows 1 to 3, the
// outlet protection window's fields in rows 5 to 15, the dissipator window's from
// row 17 on (its USBR and Contra Costa elements of the shared groups are
// `txtdE_usbr`, `txtFRo_usbr`, `txtdE_contra` and `txtFRo_contra`; the USBR
// dimensions "USBRsize(0)" to "USBRsize(14)"). The end node, the bed material and
// its size, the decision and the apron class go in as texts, the other fields as
// typed entries (a number text becomes a number); E6 is the diameter or rise over
// `unit_divisor`, the length conversion of the session (ft or m); I21 the dissipator window's
// 2-year discharge with two decimals; A26 the note that the USDA values are approximations, when
// there are USDA values. An empty field leaves its cell as the template has it.
CellLayout outlet_protection_cells(const FieldLookup& outlet, const FieldLookup& dissipators,
                                   const store::ProjectContext& context, double unit_divisor);

}  // namespace pelvane::report
