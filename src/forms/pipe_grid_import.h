#pragma once
// Pipe lists in and out of a project as comma-separated text whose header names
// PIPE columns. An import adds every row as a new pipe under the same checks as the
// pipe window (the values of each field, then the network rules: unique number, a
// structure starts one pipe, node in is not node out, the previous-pipe rules, no
// loop), all rows as one change: any refused row leaves the project as it was, and
// every problem of the file is reported at once.

#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/project_context.h"

namespace pelvane::forms {

// One refused value or row of a list: its line (0 for the saved pipes of the
// project), the PIPE column ("" for the row as a whole) and the message.
struct ImportProblem {
    int line = 0;
    std::string column;
    std::string message;

    // "line N, COLUMN: message", "line N: message" or the message alone.
    std::string text() const;
};

// A refused import: every problem found, in line order. what() lists them one per
// line.
class ImportError : public std::runtime_error {
  public:
    explicit ImportError(std::vector<ImportProblem> problems);
    ImportError(int line, const std::string& message) : ImportError({{line, "", message}}) {}
    const std::vector<ImportProblem>& problems() const { return problems_; }
    // The first problem's line and message, as the pipe window shows it.
    int line() const { return problems_.front().line; }
    const std::string& message() const { return problems_.front().message; }

  private:
    std::vector<ImportProblem> problems_;
};

enum class ImportMode {
    Write,   // add the pipes when nothing is refused
    DryRun,  // check everything and write nothing
};

// Adds the pipes of `csv_text` to the open project and returns how many were added
// (with DryRun, how many would be). The header line names PIPE columns in any
// letter case and order; PIPE_NUMBER is required. Columns the file does not name
// are left empty. Every pipe belongs to the open project, so PROJECT_ID is the
// project's whatever the file says. Rows may come in any order: a previous pipe may
// be a row further down, but once all rows are in, every previous pipe must be a
// pipe of the project.
int import_pipes(const store::ProjectContext& context, std::string_view csv_text,
                 ImportMode mode = ImportMode::Write);

// Writes every pipe of the project with every column its PIPE table has (in table
// order), in the grid's order. An import of it into an empty project of the same
// project id gives the same pipes back.
void export_pipes(const store::Database& db, std::ostream& out);

}  // namespace pelvane::forms
