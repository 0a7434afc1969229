#include "forms/ld229_report.h"

#include "report/ld229_layout.h"
#include "store/pipe_table.h"

namespace pelvane::forms {

report::SheetCells ld229_cells(const store::ProjectContext& context, const DesignSession& session) {
    return report::ld229_sheet(context, session.number_format, session.unit_constants.unit_divisor);
}

std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context,
                                                      DesignSession& session, Ui& ui,
                                                      const report::OfficeConverter* office) {
    session.enter_grade_line_report(context);
    if (store::PipeTable(context.project_connection).count() == 0) {
        ui.message(kNoPipesToDisplay, Icon::Information);
        return std::nullopt;
    }
    return run_report(
        ui, context, kLd229Report,
        [&context, &session](report::Workbook& book) {
            report::write_cells(book, ld229_cells(context, session));
        },
        office);
}

std::optional<report::WrittenReport> run_ld229_report(store::ProjectContext& context,
                                                      DesignSession& session, Ui& ui) {
    const auto office = report::OfficeConverter::find();
    return run_ld229_report(context, session, ui, office ? &*office : nullptr);
}

}  // namespace pelvane::forms
