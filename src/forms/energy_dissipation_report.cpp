#include "forms/energy_dissipation_report.h"

#include "forms/energy_dissipation_form.h"
#include "forms/pipe_energy_form.h"
#include "forms/report_sequence.h"
#include "report/outlet_protection_report.h"

namespace pelvane::forms {

report::CellLayout outlet_protection_cells(const PipeEnergyForm& outlet,
                                           const EnergyDissipationForm& dissipators) {
    const auto lookup = [](const FormModel& window) {
        // The report names the fields it shows; a name no window lists throws.
        return
            [&window](std::string_view name) { return window.fields.text(FieldName::named(name)); };
    };
    return report::outlet_protection_cells(lookup(outlet), lookup(dissipators), outlet.context(),
                                           outlet.session().unit_constants.unit_divisor);
}

std::optional<report::WrittenReport> write_outlet_protection_report(
    Ui& ui, const PipeEnergyForm& outlet, const EnergyDissipationForm& dissipators) {
    // The cells are taken when the command runs: the workbook shows the windows as
    // the engineer saw them.
    const report::CellLayout cells = outlet_protection_cells(outlet, dissipators);
    return run_report(ui, outlet.context(), kOutletProtectionReport,
                      [&cells](report::Workbook& book) { report::write_cells(book, cells); });
}

}  // namespace pelvane::forms
