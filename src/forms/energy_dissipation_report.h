#pragma once
// The outlet protection report of the dissipator window ("Outlet Protection
// Results"): both windows' fields into a copy of the OUTLETPROTECTION template.

#include <optional>

#include "forms/ui.h"
#include "report/layout_cell.h"
#include "report/report_writer.h"
#include "store/project_context.h"

namespace pelvane::forms {

class PipeEnergyForm;
class EnergyDissipationForm;

// The report's cells from the two windows as they stand.
report::CellLayout outlet_protection_cells(const PipeEnergyForm& outlet,
                                           const EnergyDissipationForm& dissipators);

// The report sequence: save dialog, overwrite question, template copy, cells,
// and the result opened. No closing message.
std::optional<report::WrittenReport> write_outlet_protection_report(
    Ui& ui, const PipeEnergyForm& outlet, const EnergyDissipationForm& dissipators);

}  // namespace pelvane::forms
