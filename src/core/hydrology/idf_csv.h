#pragma once
// The comma-separated texts the rainfall data come in: NOAA precipitation-frequency
// exports, transcribed coefficient tables and the county and station lists; pipe
// lists are read the same way. Cells are kept exactly as written (a quoted
// "Blacksburg  " keeps its blanks); only the quotes around a cell are removed and a
// doubled quote inside one becomes one quote.

#include <string>
#include <string_view>
#include <vector>

namespace pelvane::hydrology {

using CsvRow = std::vector<std::string>;

struct CsvLine {
    int number = 0;  // 1-based line number in the text (where the record starts), for messages
    CsvRow cells;
};

// Splits a text into lines (LF or CRLF; a UTF-8 byte order mark at the start is
// dropped) and each line into cells. A quoted cell may hold line breaks: its record
// then goes on over the following lines, and a quote never closed runs to the end
// of the text. Blank lines are kept as lines with no cells.
std::vector<CsvLine> read_csv(std::string_view text);

// Cells of one line.
CsvRow split_csv_line(std::string_view line);

}  // namespace pelvane::hydrology
