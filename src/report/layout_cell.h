#pragma once
// The cells a report layout puts on its form, independent of the workbook they go
// into: the layouts are pure functions from records to these, and one writer puts
// them into the opened template copy.

#include <functional>
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
    bool operator==(const LayoutCell&) const = default;
};

using CellLayout = std::vector<LayoutCell>;

// Rows made one at a time as the sheet is written, so that a report of many pipes
// never holds all its cells: the stream hands each row's cells to the sink, rows
// in increasing order.
using RowSink = std::function<void(const CellLayout& row)>;
using RowStream = std::function<void(const RowSink& sink)>;

// What a report puts on its form: cells (the header, or everything) and rows made
// while the workbook is saved. The rows' stream may refer to what the caller
// keeps alive until then.
struct SheetCells {
    SheetCells() = default;
    SheetCells(CellLayout fixed) : cells(std::move(fixed)) {}  // NOLINT: a layout is one
    CellLayout cells;
    RowStream rows;
};

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
// The same, with the rows left for the workbook to write as it is saved.
void write_cells(Workbook& book, const SheetCells& sheet);

// The rows of a stream, with the cells before them, as one layout (for tests and
// for the reports of one page).
CellLayout collect(const SheetCells& sheet);

}  // namespace pelvane::report
