#include "forms/pipe_grid_csv.h"

namespace pelvane::forms {

std::string csv_line(const std::vector<std::string>& cells, char separator) {
    const std::string quoted{separator, '"', '\r', '\n'};
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += separator;
        const std::string& cell = cells[i];
        if (cell.find_first_of(quoted) == std::string::npos) {
            out += cell;
            continue;
        }
        out += '"';
        for (char c : cell) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out + '\n';
}

char list_separator(std::string_view text) {
    const std::string_view first = text.substr(0, text.find('\n'));
    return first.find('\t') != std::string_view::npos ? '\t' : ',';
}

}  // namespace pelvane::forms
