#include "report/layout_cell.h"

#include "report/xlsx/workbook.h"

namespace pelvane::report {

void add_text(CellLayout& cells, int row, int column, std::string text) {
    if (text.empty()) return;
    cells.push_back({row, column, LayoutCell::Kind::Text, std::move(text), 0.0});
}

void add_entry(CellLayout& cells, int row, int column, std::string text) {
    if (text.empty()) return;
    cells.push_back({row, column, LayoutCell::Kind::Entry, std::move(text), 0.0});
}

void add_number(CellLayout& cells, int row, int column, double value) {
    cells.push_back({row, column, LayoutCell::Kind::Number, {}, value});
}

const LayoutCell* find_cell(const CellLayout& cells, int row, int column) {
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        if (it->row == row && it->column == column) return &*it;
    }
    return nullptr;
}

void write_cells(Workbook& book, const CellLayout& cells) {
    for (const LayoutCell& cell : cells) {
        switch (cell.kind) {
            case LayoutCell::Kind::Text:
                book.set_text(cell.row, cell.column, cell.text);
                break;
            case LayoutCell::Kind::Entry:
                book.set_entry(cell.row, cell.column, cell.text);
                break;
            case LayoutCell::Kind::Number:
                book.set_number(cell.row, cell.column, cell.number);
                break;
        }
    }
}

void write_cells(Workbook& book, const SheetCells& sheet) {
    write_cells(book, sheet.cells);
    if (sheet.rows) book.stream_rows(sheet.rows);
}

CellLayout collect(const SheetCells& sheet) {
    CellLayout all = sheet.cells;
    if (sheet.rows) {
        sheet.rows(
            [&all](const CellLayout& row) { all.insert(all.end(), row.begin(), row.end()); });
    }
    return all;
}

}  // namespace pelvane::report
