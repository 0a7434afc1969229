#pragma once
// Writing a report: a copy of its template from the program folder, filled and
// saved under the chosen name, with a PDF of it when one is asked for. The
// interactive sequence (dialogs, questions, messages) builds on these steps; batch
// use calls write_report.

#include <filesystem>
#include <functional>
#include <optional>

#include "report/pdf_export.h"
#include "report/xlsx/workbook.h"

namespace pelvane::report {

// Template files of the program folder.
inline constexpr const char* kLd229Template = "LD229.xlsx";
inline constexpr const char* kLd347Template = "LD347.xlsx";
inline constexpr const char* kPipeReportTemplate = "STORMDRAINRESULTS.xlsx";
inline constexpr const char* kOutletProtectionTemplate = "OUTLETPROTECTION.xlsx";
inline constexpr const char* kChecksTemplate = "CHECKS.xlsx";

struct ReportFiles {
    std::filesystem::path workbook;            // always written
    std::optional<std::filesystem::path> pdf;  // also made when asked for
};

// The files a chosen name stands for: "x.pdf" asks for the PDF, with the workbook
// "x.xlsx" beside it; "x.xlsx" is the workbook alone; any other name gets ".xlsx"
// appended, since a workbook must end in .xlsx to open in a spreadsheet program.
ReportFiles report_files_for(const std::filesystem::path& chosen);

// The cells of one report, written into the opened copy.
using FillCells = std::function<void(Workbook&)>;

struct WrittenReport {
    ReportFiles files;
    int skipped_cells = 0;  // writes that could not be done and were left out
};

// Opens the template, fills it and saves it as `workbook` (replacing a regular file
// there only once the whole workbook is written); returns the number of skipped
// cells. A WorkbookError naming the template when it cannot be read, or the
// workbook when it cannot be written.
int write_workbook(const std::filesystem::path& template_file,
                   const std::filesystem::path& workbook, const FillCells& fill);

// All of it for batch use: the workbook and, when files.pdf is set, the PDF
// (a ConversionError when LibreOffice is missing or fails).
WrittenReport write_report(const std::filesystem::path& template_file, const ReportFiles& files,
                           const FillCells& fill, const OfficeConverter* converter);

}  // namespace pelvane::report
