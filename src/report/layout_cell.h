#pragma once
// The cells a report layout puts on its form, independent of the workbook they go
// into: the layouts are pure functions from records to these, and one writer puts
// them into the opened template copy.

#include <string>
#include <vector>

namespace pelvane::report {

class Workbook;

struct LayoutCell {
    enum class Kind {
        Text,    // a text as it is (identifiers, stations, words)
        Entry,   // a stored text typed into the cell: a number when it reads as one
        Number,  // a computed value, unrounded unless its rule rounds it
    };
    int row = 0;     // from 1
    int column = 0;  // from 1 (A)
    Kind kind = Kind::Text;
    std::string text;
    double number = 0.0;
};

using CellLayout = std::vector<LayoutCell>;

// Appends a text or entry cell; an empty text adds nothing, so the template's cell
// stays as it is.
void add_text(CellLayout& cells, int row, int column, std::string text);
void add_entry(CellLayout& cells, int row, int column, std::string text);
void add_number(CellLayout& cells, int row, int column, double value);

// The cell at (row, column), or nullptr; the last one written wins, as in the sheet.
const LayoutCell* find_cell(const CellLayout& cells, int row, int column);

// Writes the cells in order. A cell the workbook refuses is skipped (and counted
// by the workbook) and the others are still written.
void write_cells(Workbook& book, const CellLayout& cells);

}  // namespace pelvane::report
