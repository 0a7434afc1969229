#pragma once
// A1-style cell references and the escaping of cell texts in spreadsheet XML.

#include <optional>
#include <string>
#include <string_view>

namespace pelvane::report {

// The sheet limits of the file format.
inline constexpr int kMaxRow = 1048576;
inline constexpr int kMaxColumn = 16384;

struct CellPosition {
    int row = 0;     // from 1
    int column = 0;  // from 1 (A = 1)

    bool valid() const { return row >= 1 && row <= kMaxRow && column >= 1 && column <= kMaxColumn; }
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// 1 -> "A", 27 -> "AA", 16384 -> "XFD".
std::string column_letters(int column);
// "A" -> 1, "ad" -> 30; nullopt for anything that is not a column within the limits.
std::optional<int> column_number(std::string_view letters);
// (12, 3) -> "C12".
std::string cell_reference(int row, int column);
// "C12" -> (12, 3); "$C$12" is accepted too. nullopt when not a single valid cell.
std::optional<CellPosition> parse_cell_reference(std::string_view reference);

// Cell texts travel in XML elements that cannot hold most control characters; the
// format writes them as "_xHHHH_" and writes a literal "_xHHHH_" with its
// underscore escaped as "_x005F_". escape_cell_text produces that form (the XML
// writer still escapes <, & and >), unescape_cell_text reverses it.
std::string escape_cell_text(std::string_view text);
std::string unescape_cell_text(std::string_view text);

// Whether a text needs xml:space="preserve" to keep its blanks (leading or trailing
// spaces, tabs or line breaks).
bool needs_space_preserve(std::string_view text);

}  // namespace pelvane::report
