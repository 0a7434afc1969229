#pragma once
// Comma-separated texts of pipe lists, as spreadsheets write and read them: a cell
// holding a comma, a quote or a line break is quoted, a quote inside it doubled.
// Every other cell is kept exactly as written, blanks included.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pelvane::forms {

struct CsvRecord {
    int line = 0;  // 1-based line on which the record starts
    std::vector<std::string> cells;
};

// A text that is not comma-separated values; what() names the line.
class CsvError : public std::runtime_error {
  public:
    CsvError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
    int line() const { return line_; }

  private:
    int line_;
};

// The records of a text (LF or CRLF line ends; a byte order mark at the start is
// dropped). A quoted cell may span lines. Blank lines are skipped. A quoted cell
// that is never closed is a CsvError.
std::vector<CsvRecord> read_csv_records(std::string_view text);

// One record as a line of text, ending in a line feed.
std::string csv_line(const std::vector<std::string>& cells);

}  // namespace pelvane::forms
