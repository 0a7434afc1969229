#pragma once
// The grid's File > Import Pipes... and Export Pipes...: a comma-separated pipe list
// read and shown with every problem before anything is written, then added by the
// same import as `pelvane import`; and the project's pipes written as `pelvane export`
// writes them.

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

    bool importable() const { return problems.empty(); }
    // "12 pipes will be added to the project." or "3 problems in 120 rows: ...".
    std::string summary() const;
};

// The list read and checked against the open project without writing anything.
ImportPreview preview_pipe_list(const store::ProjectContext& context, std::string file,
                                std::string_view csv_text);

// Import Pipes...: the file dialog, the preview (`confirm` shows it and returns
// true when the person chose Import; it is offered only for a list without
// problems), then the import. True when pipes were added.
bool import_pipe_list(store::ProjectContext& context, Ui& ui,
                      const std::function<bool(const ImportPreview&)>& confirm);

// Export Pipes...: the save dialog (in the project's folder), then every pipe with
// every column. True when the list was written.
bool export_pipe_list(store::ProjectContext& context, Ui& ui);

}  // namespace pelvane::forms
