#include "forms/energy_dissipation_report.h"

#include "forms/energy_dissipation_form.h"
#include "forms/pipe_energy_form.h"
#include "forms/report_sequence.h"
#include "report/outlet_protection_report.h"

namespace pelvane::forms {

report::FillCells outlet_protection_fill(const PipeEnergyForm& outlet,
                                         const EnergyDissipationForm& dissipators,
                                         const store::ProjectContext& context) {
    const auto lookup = [](const FormModel& window) {
        return [&window](std::string_view name) { return window.fields.text(name); };
    };
    // The cells are taken when the command runs, so the workbook shows the
    // windows as the engineer saw them.
    auto cells = report::outlet_protection_cells(lookup(outlet), lookup(dissipators), context);
    return [cells = std::move(cells)](report::Workbook& book) { report::write_cells(book, cells); };
}

std::optional<report::WrittenReport> write_outlet_protection_report(
    Ui& ui, store::ProjectContext& context, const PipeEnergyForm& outlet,
    const EnergyDissipationForm& dissipators) {
    return run_report(ui, context, kOutletProtectionReport,
                      outlet_protection_fill(outlet, dissipators, context));
}

}  // namespace pelvane::forms
