#pragma once
// Reading a report layout's cells in the layout tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "report/layout_cell.h"

namespace pelvane::report::testing {

// The text of a text or entry cell; "<none>" when the layout leaves the cell alone,
// "<number>" for a number.
inline std::string text_at(const CellLayout& cells, int row, int column) {
    const LayoutCell* cell = find_cell(cells, row, column);
    if (cell == nullptr) return "<none>";
    if (cell->kind == LayoutCell::Kind::Number) return "<number>";
    return cell->text;
}

inline LayoutCell::Kind kind_at(const CellLayout& cells, int row, int column) {
    const LayoutCell* cell = find_cell(cells, row, column);
    EXPECT_NE(cell, nullptr) << "no cell at " << row << "," << column;
    return cell ? cell->kind : LayoutCell::Kind::Text;
}

// The number of a number cell; NaN (failing the comparison) otherwise.
inline double number_at(const CellLayout& cells, int row, int column) {
    const LayoutCell* cell = find_cell(cells, row, column);
    EXPECT_TRUE(cell != nullptr && cell->kind == LayoutCell::Kind::Number)
        << "no number at " << row << "," << column;
    return cell && cell->kind == LayoutCell::Kind::Number ? cell->number : std::nan("");
}

}  // namespace pelvane::report::testing
