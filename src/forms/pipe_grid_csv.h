#pragma once
// Lines of comma-separated pipe lists as spreadsheets read them: a cell holding a
// comma, a quote or a line break is quoted, a quote inside it doubled; every other
// cell is written exactly as it is, blanks included. hydrology::read_csv reads them
// back.

#include <string>
#include <vector>

namespace pelvane::forms {

// One record as a line of text, ending in a line feed.
std::string csv_line(const std::vector<std::string>& cells);

}  // namespace pelvane::forms
