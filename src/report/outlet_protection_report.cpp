#include "report/outlet_protection_report.h"

#include "core/outlet/usda_method.h"
#include "core/text/number_text.h"
#include "core/units.h"

namespace pelvane::report {
namespace {

constexpr int kA = 1, kC = 3, kE = 5, kG = 7, kI = 9, kJ = 10;

// The fields of a column of the sheet, one per row from `first_row` on.
void column_of(CellLayout& cells, int first_row, int column, const FieldLookup& window,
               std::initializer_list<std::string_view> names) {
    int row = first_row;
    for (const std::string_view name : names) add_entry(cells, row++, column, window(name));
}

}  // namespace

CellLayout outlet_protection_cells(const FieldLookup& outlet, const FieldLookup& dissipators,
                                   const store::ProjectContext& context, double unit_divisor) {
    CellLayout cells;
    add_text(cells, 1, kC, context.project_name);
    add_text(cells, 1, kJ, context.designer);
    add_text(cells, 2, kC, context.location);
    add_text(cells, 3, kJ, std::string(is_english(context.units) ? kEnglish : kMetric));

    // Identifiers and words go in as texts; the rest as typed.
    add_text(cells, 5, kE, outlet("enodeout"));
    const auto size = text::parse_number(outlet("eDiaRise"));
    if (size.ok()) add_number(cells, 6, kE, size.value / unit_divisor);
    column_of(cells, 7, kE, outlet, {"E_Discharge", "dn_C", "V_C", "FR_C"});
    column_of(cells, 5, kI, outlet, {"velocity2", "dn_TW"});
    add_text(cells, 8, kI, outlet("Bed_Matl"));
    add_text(cells, 9, kI, outlet("D50bed"));
    add_entry(cells, 10, kI, outlet("Velocity_NS"));
    add_text(cells, 11, kG, outlet("outlet_protection"));
    column_of(cells, 13, kE, outlet, {"D16", "D84", "plindex"});
    column_of(cells, 12, kI, outlet, {"txt_D", "txt_W", "txt_L", "txtLocation"});

    add_text(cells, 17, kE, dissipators("txt_EC"));
    column_of(cells, 17, kI, dissipators, {"txtEC_L", "txtEC_W", "txtEC_T"});
    const std::string q2 = dissipators("C_Discharge");
    const auto q2_value = text::parse_number(q2);
    add_entry(cells, 21, kI, q2_value.ok() ? text::format_number(q2_value.value, "0.00") : q2);
    column_of(cells, 22, kI, dissipators, {"L_ROP", "W_ROP", "D50_size", "Thickness_Apron"});
    if (!dissipators("L_ROP").empty()) {
        add_text(cells, 26, kA, std::string(outlet::kUsdaApproximationNote));
    }
    column_of(cells, 36, kI, dissipators,
              {"L_Basin", "L_Pool", "L_Apron", "W_Exit", "D_Pool", "T_StoneA", "T_StoneB",
               "sizeD50", "V_Exit"});
    column_of(cells, 55, kI, dissipators,
              {"txtdE_usbr", "txtFRo_usbr", "txtHo", "txtHL", "txtHe", "txtdB", "txtVB"});
    for (int i = 0; i < 15; ++i) {
        add_entry(cells, 63 + i, kI, dissipators("USBRsize(" + std::to_string(i) + ")"));
    }
    column_of(cells, 81, kI, dissipators, {"txtdE_contra", "txtFRo_contra", "txtWbasin", "L2byh2"});
    column_of(
        cells, 86, kI, dissipators,
        {"txtLB", "txtL1", "txtL2", "txtL3", "txth1", "txth2", "txth3", "txtyc", "txtVelocityc"});
    return cells;
}

}  // namespace pelvane::report
