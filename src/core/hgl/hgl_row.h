#pragma once
// One row of the grade line form: 27 cells, each empty, a text as held in the pipe
// record (node, station, invert, size, length, velocity, shaping, top elevation,
// the tailwater as typed, "O.K."/"ADJUST") or an unrounded computed number.

#include <array>
#include <string>
#include <variant>

namespace pelvane::hgl {

using HglCell = std::variant<std::monostate, std::string, double>;

inline constexpr int kHglFieldCount = 27;
using HglFields = std::array<HglCell, kHglFieldCount>;

// Row `row` of the worksheet; fields[n - 1] is field (column) n. A pipe row refers
// to `downstream_row`, the row of the structure at the pipe's lower end, whose field
// 25 it starts from; the outfall row refers to none (0).
struct HglRow {
    int row = 0;
    int downstream_row = 0;
    HglFields fields{};

    const HglCell& field(int n) const { return fields[static_cast<std::size_t>(n - 1)]; }
    HglCell& field(int n) { return fields[static_cast<std::size_t>(n - 1)]; }
};

inline bool is_empty(const HglCell& cell) {
    return std::holds_alternative<std::monostate>(cell);
}

// A text written into a cell; writing "" leaves the cell empty.
inline HglCell text_cell(std::string text) {
    if (text.empty()) return HglCell{};
    return HglCell{std::move(text)};
}

}  // namespace pelvane::hgl
