#include "forms/report_sequence.h"

#include <filesystem>

#include "core/text/number_text.h"
#include "forms/input_conventions.h"

namespace pelvane::forms {
namespace {

namespace fs = std::filesystem;

// The lines of the progress dialog while a report is written.
constexpr const char* kWritingReport = "Writing ";
constexpr const char* kMakingPdf = "LibreOffice is making ";
constexpr const char* kReportStoppedEarly = "Stopped. Nothing was written.";

// An empty name (the dialog cancelled) or the bare filter pattern names no file.
bool names_no_file(const std::string& chosen) {
    if (text::trim(chosen).empty()) return true;
    const std::string name = fs::path(chosen).filename().string();
    return name == "*.xlsx" || name == "*.pdf";
}

// Where the person stopped the writing of a report.
enum class Stop { No, BeforeWorkbook, BeforePdf };

struct ReportWork {
    report::WrittenReport written;
    std::string workbook_problem;  // the workbook could not be written: nothing was
    std::string pdf_problem;       // the PDF could not be made: the workbook was
    Stop stop;
};

std::string stopped_before_pdf(const fs::path& workbook) {
    return "Stopped. " + workbook.filename().string() + " was written; its PDF was not made.";
}

// The long part of a report, which asks nothing and shows nothing: the workbook from
// its template, then the PDF. The person may stop it before each.
ReportWork write_report(Ui& ui, const store::ProjectContext& context, const ReportSpec& spec,
                        const report::ReportFiles& files, const report::FillCells& fill,
                        const report::OfficeConverter* office) {
    ReportWork work{{files, 0}, {}, {}, Stop::No};
    const int steps = files.pdf ? 2 : 1;
    if (!ui.progress(0, steps, std::string(kWritingReport) + files.workbook.filename().string())) {
        work.stop = Stop::BeforeWorkbook;
        return work;
    }
    BusyPointer busy(ui);
    try {
        work.written.skipped_cells = report::write_workbook(
            context.program_folder / spec.template_name, files.workbook, fill);
    } catch (const report::WorkbookError& e) {
        work.workbook_problem = e.what();
        return work;
    }
    if (files.pdf) {
        const std::string making = std::string(kMakingPdf) + files.pdf->filename().string();
        if (!ui.progress(1, steps, making)) {
            work.stop = Stop::BeforePdf;
            return work;
        }
        try {
            report::export_pdf(office, files.workbook, *files.pdf,
                               [&ui, &making, steps] { return !ui.progress(1, steps, making); });
        } catch (const report::ConversionStopped&) {
            work.stop = Stop::BeforePdf;
            return work;
        } catch (const report::ConversionError& e) {
            work.pdf_problem = e.what();
        }
    }
    ui.progress(steps, steps, {});
    return work;
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

    ReportWork work{{files, 0}, {}, {}, Stop::No};
    ui.run_long_work(std::string(kWritingReport) + files.workbook.filename().string(),
                     [&] { work = write_report(ui, context, spec, files, fill, office); });
    if (work.stop == Stop::BeforeWorkbook) {
        ui.message(kReportStoppedEarly, Icon::Information);
        return std::nullopt;
    }
    if (!work.workbook_problem.empty()) {
        ui.message(work.workbook_problem, Icon::Exclamation);
        return std::nullopt;
    }
    remember_folder(context, fs::absolute(files.workbook));
    if (work.stop == Stop::BeforePdf) {
        work.written.files.pdf.reset();
        ui.message(stopped_before_pdf(files.workbook), Icon::Information);
        return work.written;
    }
    fs::path shown = files.workbook;
    if (files.pdf) {
        if (work.pdf_problem.empty()) {
            shown = *files.pdf;
        } else {
            // The workbook is written; it is shown instead of the PDF.
            work.written.files.pdf.reset();
            ui.message(work.pdf_problem, Icon::Exclamation);
        }
    }
    if (!spec.closing_message.empty()) ui.message(spec.closing_message, Icon::None);
    open_or_show_path(ui, shown.string());
    return work.written;
}

std::optional<report::WrittenReport> run_report(Ui& ui, store::ProjectContext& context,
                                                const ReportSpec& spec,
                                                const report::FillCells& fill) {
    const auto office = report::OfficeConverter::find();
    return run_report(ui, context, spec, fill, office ? &*office : nullptr);
}

}  // namespace pelvane::forms
