#pragma once
// The sequence every report runs: the save dialog, the checks of the chosen name,
// the template copy, filling it, the closing message and opening the result with
// the desktop's default application. Each report supplies its template, dialog
// title, filter and closing message, and the cells through a callback.

#include <optional>
#include <string>

#include "forms/ui.h"
#include "report/report_writer.h"
#include "store/project_context.h"

namespace pelvane::forms {

struct ReportSpec {
    std::string template_name;  // file in the program folder
    std::string dialog_title;
    std::string dialog_filter;    // "Form LD229 files (*.xlsx)|*.xlsx"
    std::string closing_message;  // "" for none; shown without an icon
};

inline const ReportSpec kLd229Report{report::kLd229Template, "Enter New File Name for Form LD229",
                                     "Form LD229 files (*.xlsx)|*.xlsx", ""};
inline const ReportSpec kLd347Report{report::kLd347Template, "Enter New File Name for Form LD347",
                                     "Form LD347 files (*.xlsx)|*.xlsx",
                                     "Finished! Please check and Save your results"};
inline const ReportSpec kPipeReport{report::kPipeReportTemplate,
                                    "Enter New File Name for Pipe Report",
                                    "Pipe Report files (*.xlsx)|*.xlsx", ""};
inline const ReportSpec kOutletProtectionReport{report::kOutletProtectionTemplate,
                                                "Enter New File Name for OUTLET PROTECTION",
                                                "OUTLET PROTECTION files (*.xlsx)|*.xlsx", ""};

inline constexpr const char* kNoFileNameSelected = "No File Name selected!";
// Offered in the save dialog when LibreOffice can make the PDF.
inline constexpr const char* kPdfFilter = "PDF files (*.pdf)|*.pdf";

// Runs the sequence. `office` makes PDFs (the dialog offers them only when it is
// given). Returns the files written, or nullopt when the person stopped at the
// dialog or the overwrite question, or a file step failed (its message shown).
// A cell that cannot be written is skipped and the report goes on.
std::optional<report::WrittenReport> run_report(Ui& ui, store::ProjectContext& context,
                                                const ReportSpec& spec,
                                                const report::FillCells& fill,
                                                const report::OfficeConverter* office);

// The same with LibreOffice looked up on the PATH.
std::optional<report::WrittenReport> run_report(Ui& ui, store::ProjectContext& context,
                                                const ReportSpec& spec,
                                                const report::FillCells& fill);

}  // namespace pelvane::forms
