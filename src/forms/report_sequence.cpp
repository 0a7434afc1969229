#include "forms/report_sequence.h"

#include <filesystem>

#include "core/text/number_text.h"
#include "forms/input_conventions.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;

// An empty name (the dialog cancelled) or the bare filter pattern names no file.
bool names_no_file(const std::string& chosen) {
    if (text::trim(chosen).empty()) return true;
    const std::string name = fs::path(chosen).filename().string();
    return name == "*.xlsx" || name == "*.pdf";
}

}  // namespace

std::optional<report::WrittenReport> run_report(Ui& ui, store::ProjectContext& context,
                                                const ReportSpec& spec,
                                                const report::FillCells& fill,
                                                const report::OfficeConverter* office) {
    FileDialog dialog;
    dialog.save = true;
    dialog.title = spec.dialog_title;
    dialog.filter = spec.dialog_filter;
    if (office != nullptr) dialog.filter += std::string("|") + kPdfFilter;
    dialog.initial_folder = save_dialog_folder(context);
    dialog.default_extension = ".xlsx";
    const std::string chosen = ui.choose_file(dialog);
    if (names_no_file(chosen)) {
        ui.message(kNoFileNameSelected, Icon::Exclamation);
        return std::nullopt;
    }

    const report::ReportFiles files = report::report_files_for(chosen);
    const bool exists = fs::exists(files.workbook) || (files.pdf && fs::exists(*files.pdf));
    if (!may_overwrite(ui, exists)) return std::nullopt;

    BusyPointer busy(ui);
    report::WrittenReport written{files, 0};
    try {
        written.skipped_cells = report::write_workbook(context.program_folder / spec.template_name,
                                                       files.workbook, fill);
    } catch (const report::WorkbookError& e) {
        ui.message(e.what(), Icon::Exclamation);
        return std::nullopt;
    }
    remember_folder(context, fs::absolute(files.workbook));
    fs::path shown = files.workbook;
    if (files.pdf) {
        try {
            report::export_pdf(office, files.workbook, *files.pdf);
            shown = *files.pdf;
        } catch (const report::ConversionError& e) {
            // The workbook is written; it is shown instead of the PDF.
            written.files.pdf.reset();
            ui.message(e.what(), Icon::Exclamation);
        }
    }
    if (!spec.closing_message.empty()) ui.message(spec.closing_message, Icon::None);
    open_or_show_path(ui, shown.string());
    return written;
}

std::optional<report::WrittenReport> run_report(Ui& ui, store::ProjectContext& context,
                                                const ReportSpec& spec,
                                                const report::FillCells& fill) {
    const auto office = report::OfficeConverter::find();
    return run_report(ui, context, spec, fill, office ? &*office : nullptr);
}

}  // namespace pelvane::forms
