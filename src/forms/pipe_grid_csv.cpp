#include "forms/pipe_grid_csv.h"

namespace pelvane::forms {
namespace {

bool needs_quotes(std::string_view cell) {
    return cell.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

std::vector<CsvRecord> read_csv_records(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<CsvRecord> records;
    CsvRecord record{1, {}};
    std::string cell;
    bool quoted = false;      // inside a quoted cell
    bool cell_begun = false;  // the current record has content
    int line = 1;
    int quote_line = 0;

    const auto end_record = [&] {
        if (cell_begun) {
            record.cells.push_back(std::move(cell));
            records.push_back(std::move(record));
        }
        record = CsvRecord{line, {}};
        cell.clear();
        cell_begun = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    cell += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n') ++line;
                cell += c;
            }
            continue;
        }
        switch (c) {
            case '"':
                // Only a quote that opens a cell quotes it; elsewhere it is text.
                if (cell.empty()) {
                    quoted = true;
                    quote_line = line;
                } else {
                    cell += c;
                }
                cell_begun = true;
                break;
            case ',':
                record.cells.push_back(std::move(cell));
                cell.clear();
                cell_begun = true;
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') break;
                cell += c;
                cell_begun = true;
                break;
            case '\n':
                ++line;
                end_record();
                break;
            default:
                cell += c;
                cell_begun = true;
        }
    }
    if (quoted) throw CsvError(quote_line, "a quoted value is never closed");
    end_record();
    return records;
}

std::string csv_line(const std::vector<std::string>& cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        const std::string& cell = cells[i];
        if (!needs_quotes(cell)) {
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

}  // namespace pelvane::forms
