#include "core/hydrology/idf_csv.h"

namespace pelvane::hydrology {

namespace {

// Splits one record; `open` tells whether it ends inside a quoted cell.
CsvRow split_record(std::string_view line, bool& open) {
    CsvRow cells;
    std::string cell;
    bool quoted = false;
    bool in_quotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (in_quotes) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cell.push_back('"');
                ++i;
            } else if (c == '"') {
                in_quotes = false;
            } else {
                cell.push_back(c);
            }
        } else if (c == '"' && !quoted && cell.empty()) {
            in_quotes = true;
            quoted = true;
        } else if (c == ',') {
            cells.push_back(std::move(cell));
            cell.clear();
            quoted = false;
        } else {
            cell.push_back(c);
        }
    }
    cells.push_back(std::move(cell));
    open = in_quotes;
    return cells;
}

}  // namespace

CsvRow split_csv_line(std::string_view line) {
    bool open = false;
    return split_record(line, open);
}

std::vector<CsvLine> read_csv(std::string_view text) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom) text.remove_prefix(bom.size());
    std::vector<CsvLine> lines;
    int number = 0;
    const auto next_line = [&] {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;
        return line;
    };
    while (!text.empty()) {
        const int first = number + 1;
        std::string record(next_line());
        bool open = false;
        CsvRow cells = record.empty() ? CsvRow{} : split_record(record, open);
        // A quoted cell that holds a line break goes on over the next line.
        while (open && !text.empty()) {
            record += '\n';
            record += next_line();
            cells = split_record(record, open);
        }
        lines.push_back({first, std::move(cells)});
    }
    return lines;
}

}  // namespace pelvane::hydrology
