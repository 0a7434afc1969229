#include "report/xlsx/cell_reference.h"

#include <cstdio>

namespace pelvane::report {
namespace {

bool is_hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

// "_xHHHH_" at `at`: the code, or -1.
int escape_code_at(std::string_view text, std::size_t at) {
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_') {
        return -1;
    }
    int code = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        if (!is_hex(text[i])) return -1;
        code = code * 16 + hex_value(text[i]);
    }
    return code;
}

void append_utf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

std::string column_letters(int column) {
    std::string letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

std::optional<int> column_number(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return std::nullopt;
    int column = 0;
    for (const char c : letters) {
        const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper < 'A' || upper > 'Z') return std::nullopt;
        column = column * 26 + (upper - 'A' + 1);
    }
    if (column > kMaxColumn) return std::nullopt;
    return column;
}

std::string cell_reference(int row, int column) {
    return column_letters(column) + std::to_string(row);
}

std::optional<CellPosition> parse_cell_reference(std::string_view reference) {
    std::size_t i = 0;
    if (i < reference.size() && reference[i] == '$') ++i;
    const std::size_t letters_start = i;
    while (i < reference.size() && ((reference[i] >= 'A' && reference[i] <= 'Z') ||
                                    (reference[i] >= 'a' && reference[i] <= 'z'))) {
        ++i;
    }
    const auto column = column_number(reference.substr(letters_start, i - letters_start));
    if (!column) return std::nullopt;
    if (i < reference.size() && reference[i] == '$') ++i;
    if (i == reference.size() || reference[i] == '0') return std::nullopt;
    long row = 0;
    for (; i < reference.size(); ++i) {
        if (reference[i] < '0' || reference[i] > '9') return std::nullopt;
        row = row * 10 + (reference[i] - '0');
        if (row > kMaxRow) return std::nullopt;
    }
    return CellPosition{static_cast<int>(row), *column};
}

std::string escape_cell_text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '_' && escape_code_at(text, i) >= 0) {
            out += "_x005F_";
            continue;
        }
        // Tab and line feed are allowed as they are; a carriage return would be
        // folded into a line feed by every XML reader, so it is escaped as well.
        if (c < 0x20 && c != '\t' && c != '\n') {
            char code[8];
            std::snprintf(code, sizeof code, "_x%04X_", c);
            out += code;
            continue;
        }
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::string unescape_cell_text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const int code = escape_code_at(text, i);
        if (code >= 0) {
            append_utf8(out, static_cast<unsigned>(code));
            i += 7;
        } else {
            out.push_back(text[i]);
            ++i;
        }
    }
    return out;
}

bool needs_space_preserve(std::string_view text) {
    return !text.empty() && (is_blank(text.front()) || is_blank(text.back()));
}

}  // namespace pelvane::report
