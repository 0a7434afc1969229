#include "forms/ld229_report.h"

#include "core/hgl/hgl_pipe.h"
#include "report/ld229_layout.h"
#include "store/pipe_table.h"

namespace pelvane::forms {

void set_report_constants(store::ProjectContext& context) {
    // The grade line's own constants are the ones both runs leave behind.
    const hgl::HglConstants constants = hgl::HglConstants::for_units(context.units);
    context.unit_constants.gravity = constants.gravity;
    context.unit_constants.unit_divisor = constants.unit_divisor;
}

report::CellLayout ld229_cells(const store::ProjectContext& context) {
    const auto pipes = store::PipeTable(context.project_connection).all_by_number();
    return report::ld229_layout(context, pipes);
}

std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context, Ui& ui,
                                                      const report::OfficeConverter* office) {
    set_report_constants(context);
    if (store::PipeTable(context.project_connection).count() == 0) {
        ui.message(kNoPipesToDisplay, Icon::Information);
        return std::nullopt;
    }
    return run_report(
        ui, context, kLd229Report,
        [&context](report::Workbook& book) { report::write_cells(book, ld229_cells(context)); },
        office);
}

std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context, Ui& ui) {
    const auto office = report::OfficeConverter::find();
    return run_ld229_report(context, ui, office ? &*office : nullptr);
}

}  // namespace pelvane::forms
