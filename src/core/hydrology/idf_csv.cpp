#include "core/hydrology/idf_csv.h"

#include <algorithm>

#include "core/text/encoding.h"

namespace pelvane::hydrology {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

int line_at(std::string_view text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// The text as UTF-8, without its byte order mark.
std::string utf8_text(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        throw CsvError({.kind = IdfProblem::Kind::Utf16Text, .line = 1});
    }
    const bool marked = text.starts_with(kUtf8Mark);
    if (marked) text.remove_prefix(kUtf8Mark.size());
    const std::size_t bad = text::first_invalid_utf8(text);
    if (bad == std::string_view::npos) return std::string(text);
    // A file that says it is UTF-8 and is not was damaged; guessing would change it.
    if (marked) {
        throw CsvError({.kind = IdfProblem::Kind::NotUtf8Line, .line = line_at(text, bad)});
    }
    return text::windows1252_to_utf8(text);
}

}  // namespace

std::vector<CsvLine> read_csv(std::string_view raw, char separator) {
    const std::string decoded = utf8_text(raw);
    const std::string_view text = decoded;

    // Where the current cell stands: nothing read yet, plain text, inside quotes, or
    // just after its closing quote (where only a comma or the line end may follow).
    enum class Cell { Start, Plain, Quoted, Closed };
    Cell state = Cell::Start;
    std::vector<CsvLine> lines;
    CsvRow cells;
    std::string cell;
    bool started = false;  // the record holds anything, even an empty cell
    int line = 1;
    int record_line = 1;
    int quote_line = 1;

    const auto end_cell = [&] {
        cells.push_back(std::move(cell));
        cell.clear();
        state = Cell::Start;
    };
    const auto end_record = [&] {
        if (started) end_cell();
        lines.push_back({record_line, std::move(cells)});
        cells.clear();
        started = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (state == Cell::Quoted) {
            if (c != '"') {
                if (c == '\n') ++line;
                cell += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else {
                state = Cell::Closed;
            }
            continue;
        }
        const bool crlf = c == '\r' && (i + 1 == text.size() || text[i + 1] == '\n');
        if (c == '\n' || crlf) {
            if (crlf && i + 1 < text.size()) ++i;
            end_record();
            record_line = ++line;
            continue;
        }
        started = true;
        if (c == separator) {
            end_cell();
        } else if (state == Cell::Closed) {
            throw CsvError({.kind = IdfProblem::Kind::TextAfterQuote,
                            .line = line,
                            .quote_line = quote_line != line ? quote_line : 0});
        } else if (c == '"' && state == Cell::Start) {
            state = Cell::Quoted;
            quote_line = line;
        } else {
            state = Cell::Plain;
            cell += c;
        }
    }
    if (state == Cell::Quoted) {
        throw CsvError({.kind = IdfProblem::Kind::UnclosedQuote, .line = quote_line});
    }
    if (started) end_record();
    return lines;
}

}  // namespace pelvane::hydrology
