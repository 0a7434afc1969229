#include "forms/pipe_report.h"

#include <ctime>

#include "forms/ld229_report.h"
#include "platform/platform.h"
#include "report/pipe_report_layout.h"
#include "store/pipe_table.h"

namespace pelvane::forms {

std::string today_text() {
    const std::tm local = platform::local_now();
    return std::to_string(local.tm_mon + 1) + "/" + std::to_string(local.tm_mday) + "/" +
           std::to_string(local.tm_year + 1900);
}

std::optional<report::CellLayout> pipe_report_cells(const store::ProjectContext& context,
                                                    std::string_view pipe_number,
                                                    std::string_view today) {
    const store::PipeTable table(context.project_connection);
    std::optional<store::PipeRecord> pipe;
    if (pipe_number.empty()) {
        auto pipes = table.all_by_number();
        if (!pipes.empty()) pipe = std::move(pipes.front());
    } else {
        pipe = table.find(pipe_number);
    }
    if (!pipe) return std::nullopt;
    return report::pipe_report_layout(context, *pipe, today);
}

std::optional<report::WrittenReport> run_pipe_report(store::ProjectContext& context, Ui& ui,
                                                     const std::string& selected_pipe_number,
                                                     const report::OfficeConverter* office) {
    if (store::PipeTable(context.project_connection).count() == 0) {
        ui.message(kNoPipesToDisplay, Icon::Information);
        return std::nullopt;
    }
    const auto cells = pipe_report_cells(context, selected_pipe_number, today_text());
    if (!cells) return std::nullopt;
    return run_report(
        ui, context, kPipeReport,
        [&cells](report::Workbook& book) { report::write_cells(book, *cells); }, office);
}

std::optional<report::WrittenReport> run_pipe_report(store::ProjectContext& context, Ui& ui,
                                                     const std::string& selected_pipe_number) {
    const auto office = report::OfficeConverter::find();
    return run_pipe_report(context, ui, selected_pipe_number, office ? &*office : nullptr);
}

}  // namespace pelvane::forms
