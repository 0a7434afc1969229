#pragma once
// The grid's File > Import Pipes... and Export Pipes...: a comma-separated pipe list
// read and shown with every problem before anything is written, then added by the
// same import as `pelvane import`; and the project's pipes written as `pelvane export`
// writes them. The grid's Copy and Paste: the selected rows as tab-separated text, and
// rows from a spreadsheet previewed the same way, then added or updating the pipes
// they name.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/pipe_grid_import.h"
#include "forms/ui.h"
#include "store/project_context.h"

namespace pelvane::forms {

namespace pipe_list_texts {
inline constexpr const char* kImportCommand = "&Import Pipes\u2026";
inline constexpr const char* kExportCommand = "E&xport Pipes\u2026";
inline constexpr const char* kImportTitle = "Import Pipes";
inline constexpr const char* kExportTitle = "Export Pipes";
inline constexpr const char* kFilter = "Pipe lists (*.csv)|*.csv";
inline constexpr const char* kCannotRead = "The pipe list cannot be read: ";
inline constexpr const char* kImportButton = "&Import";
inline constexpr const char* kProblemsHeading =
    "Problems (nothing is imported until they are fixed):";
inline constexpr const char* kCopyCommand = "&Copy Rows";
inline constexpr const char* kPasteCommand = "&Paste Pipes";
inline constexpr const char* kPasteTitle = "Paste Pipes";
inline constexpr const char* kPasteButton = "&Paste";
inline constexpr const char* kPasteSource = "Pasted rows";
inline constexpr const char* kNothingToPaste =
    "Nothing to paste: the rows hold the values the pipes have already.";
}  // namespace pipe_list_texts

// What the preview shows of a pipe list: its header and first rows as written, and
// what importing it would do.
struct ImportPreview {
    // The rows shown; a list of more rows says how many there are.
    static constexpr std::size_t kShownRows = 200;

    std::string file;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::size_t row_count = 0;
    // Every problem the import would refuse; empty when the list can be imported.
    std::vector<ImportProblem> problems;
    int pipes_to_add = 0;
    int pipes_to_update = 0;
    // A paste updates the saved pipes its rows name; an import refuses them.
    bool paste = false;

    bool importable() const { return problems.empty(); }
    // "12 pipes will be added to the project.", "1 pipe will be updated and 2 added."
    // or "3 problems in 120 rows: ...".
    std::string summary() const;
};

// The list read and checked against the open project without writing anything.
ImportPreview preview_pipe_list(const store::ProjectContext& context, std::string file,
                                std::string_view csv_text, bool paste = false);

// Import Pipes...: the file dialog, the preview (`confirm` shows it and returns
// true when the person chose Import; it is offered only for a list without
// problems), then the import. True when pipes were added.
bool import_pipe_list(store::ProjectContext& context, Ui& ui,
                      const std::function<bool(const ImportPreview&)>& confirm);

// Paste: the rows of `text` (a header naming PIPE columns, then rows, separated by
// tabs or commas) previewed, then added or updating the pipes they name in one step
// of the project's history. True when the pipes were written.
bool paste_pipe_list(store::ProjectContext& context, Ui& ui, std::string_view text,
                     const std::function<bool(const ImportPreview&)>& confirm);

// Copy: the header of `columns` and `rows` as tab-separated text, which a paste or
// a spreadsheet reads back.
std::string copied_rows(const std::vector<std::string>& columns,
                        const std::vector<std::vector<std::string>>& rows);

// Export Pipes...: the save dialog (in the project's folder), then every pipe with
// every column. True when the list was written.
bool export_pipe_list(store::ProjectContext& context, Ui& ui);

}  // namespace pelvane::forms
