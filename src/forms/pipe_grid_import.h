#pragma once
// Pipe lists in and out of a project as comma-separated text whose header names
// PIPE columns. An import adds every row as a new pipe under the same rules as the
// pipe window (unique number, a structure starts one pipe, node in is not node
// out, the previous-pipe rules), all rows as one change: the first refused row
// stops it, names its line and leaves the project as it was.

#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "store/project_context.h"

namespace pelvane::forms {

// A refused import; what() is "line N: " followed by the message.
class ImportError : public std::runtime_error {
  public:
    ImportError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message),
          line_(line),
          message_(message) {}
    int line() const { return line_; }
    // The message without the line, as the pipe window shows it.
    const std::string& message() const { return message_; }

  private:
    int line_;
    std::string message_;
};

// Adds the pipes of `csv_text` to the open project and returns how many were added.
// The header line names PIPE columns in any letter case and order; PIPE_NUMBER is
// required. Columns the file does not name are left empty. Every pipe belongs to
// the open project, so PROJECT_ID is the project's whatever the file says. Rows
// may come in any order: a previous pipe may be a row further down, but once all
// rows are in, every previous pipe must be a pipe of the project.
int import_pipes(const store::ProjectContext& context, std::string_view csv_text);

// Writes every pipe of the project with every column its PIPE table has (in table
// order), in the grid's order. An import of it into an empty project of the same
// project id gives the same pipes back.
void export_pipes(const store::Database& db, std::ostream& out);

}  // namespace pelvane::forms
