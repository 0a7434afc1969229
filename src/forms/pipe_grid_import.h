#pragma once
// Pipe lists in and out of a project as comma- or tab-separated text whose header
// names PIPE columns. An import adds every row as a new pipe under the same checks as the
// pipe window (the values of each field, then the network rules: unique number, a
// structure starts one pipe, node in is not node out, the previous-pipe rules, no
// loop), all rows as one change: any refused row leaves the project as it was, and
// every problem of the file is reported at once. A paste may also change saved
// pipes: a row whose PIPE_NUMBER is saved gives that pipe new values under the
// same checks.

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

// What an import does with a row whose PIPE_NUMBER is a saved pipe.
enum class SavedPipes {
    Refuse,  // the number is taken (Import Pipes, `pelvane import`)
    Update,  // the row's columns replace the pipe's (the grid's Paste)
};

struct ImportCount {
    int added = 0;
    int updated = 0;  // saved pipes given values that differ from theirs
};

// The same with `saved` rows, recorded in the project's history as `step`. A pipe
// given new values loses its section results (capacity, flow type, velocity...)
// until it is solved again, as the pipe window clears them for a new solve: the
// grid then shows it unsolved rather than with results of other values. A pipe
// named twice in the text is refused.
ImportCount import_pipes(const store::ProjectContext& context, std::string_view csv_text,
                         ImportMode mode, SavedPipes saved, std::string_view step);

// Writes every pipe of the project with every column its PIPE table has (in table
// order), in the grid's order. An import of it into an empty project of the same
// project id gives the same pipes back.
void export_pipes(const store::Database& db, std::ostream& out);

}  // namespace pelvane::forms
