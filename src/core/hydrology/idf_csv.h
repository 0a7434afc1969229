#pragma once
// The comma-separated texts the rainfall data come in: NOAA precipitation-frequency
// exports, transcribed coefficient tables and the county and station lists; pipe
// lists are read the same way. Cells are kept exactly as written (a quoted
// "Blacksburg  " keeps its blanks, a quoted line break keeps its CR LF); only the
// quotes around a cell are removed and a doubled quote inside one becomes one quote.

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/hydrology/idf_result.h"

namespace pelvane::hydrology {

using CsvRow = std::vector<std::string>;

struct CsvLine {
    int number = 0;  // 1-based line number in the text (where the record starts), for messages
    CsvRow cells;
};

// A text that cannot be read as comma-separated cells: the problem (one of the
// kinds of the comma-separated text) and its line. what() is for a log only.
class CsvError : public std::runtime_error {
  public:
    explicit CsvError(IdfProblem problem)
        : std::runtime_error("unreadable comma-separated text at line " +
                             std::to_string(problem.line)),
          problem_(std::move(problem)) {}
    int line() const { return problem_.line; }
    const IdfProblem& problem() const { return problem_; }

  private:
    IdfProblem problem_;
};

// Splits a text into records (ending in LF or CRLF) and each record into cells. A
// quoted cell may hold line breaks: its record then goes on over the following
// lines. Blank lines are kept as lines with no cells. A UTF-8 byte order mark at
// the start is dropped; a text that is not UTF-8 is read as Windows-1252, the code
// page spreadsheets on Windows save in. A CsvError names the first line that
// cannot be read: text after the closing quote of a cell, a quote that is never
// closed, a UTF-16 file, or bytes that are not UTF-8 in a file marked as UTF-8.
// One pass over the text, whatever it holds. `separator` is a comma, or a tab for
// text copied from a spreadsheet.
std::vector<CsvLine> read_csv(std::string_view text, char separator = ',');

}  // namespace pelvane::hydrology
