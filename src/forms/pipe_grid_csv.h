#pragma once
// Lines of comma- or tab-separated pipe lists as spreadsheets read them: a cell
// holding the separator, a quote or a line break is quoted, a quote inside it
// doubled; every other cell is written exactly as it is, blanks included.
// hydrology::read_csv reads them back.

#include <string>
#include <string_view>
#include <vector>

namespace pelvane::forms {

// One record as a line of text, ending in a line feed.
std::string csv_line(const std::vector<std::string>& cells, char separator = ',');

// The separator of a pipe list: a tab when its first line holds one (spreadsheets
// copy cells as tab-separated text), otherwise a comma.
char list_separator(std::string_view text);

}  // namespace pelvane::forms
