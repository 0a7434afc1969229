#pragma once
// Rows a report adds below the template's own: kept as plain values and written
// out as XML only when the sheet is saved. A tree node per cell and per value would
// cost several times the memory and time, and a report of ten thousand pipes adds a
// quarter of a million cells.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "report/xlsx/cell_reference.h"

namespace pelvane::report {

class AddedRows {
  public:
    struct Cell {
        int column = 0;
        int style = -1;  // index into the style names, -1 for none
        bool is_text = false;
        double number = 0.0;
        std::string text;
    };
    using Row = std::vector<Cell>;  // by column

    bool empty() const { return rows_.empty(); }
    const Cell* find(CellPosition at) const;
    // Sets a cell's value; a new cell gets `style` ("" for none).
    void set_text(CellPosition at, std::string_view style, std::string_view text);
    void set_number(CellPosition at, std::string_view style, double number);
    void erase(CellPosition at);
    // Forgets every row up to and with `last`.
    void erase_through(int last);

    const std::map<int, Row>& rows() const { return rows_; }
    // The <row> element of one added row.
    void append_row_xml(int row, const Row& cells, std::string& out) const;

  private:
    Cell& cell(CellPosition at, std::string_view style);

    std::map<int, Row> rows_;
    std::vector<std::string> styles_;
    // Reports write row after row, so the row of the last write is kept at hand.
    int last_row_ = 0;
    Row* last_cells_ = nullptr;
};

}  // namespace pelvane::report
