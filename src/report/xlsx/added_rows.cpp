#include "report/xlsx/added_rows.h"

#include <algorithm>

#include "report/xlsx/xml_text.h"

namespace pelvane::report {
namespace {

void append_escaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out.push_back(c);
        }
    }
}

}  // namespace

const AddedRows::Cell* AddedRows::find(CellPosition at) const {
    const auto row = rows_.find(at.row);
    if (row == rows_.end()) return nullptr;
    const auto cell =
        std::lower_bound(row->second.begin(), row->second.end(), at.column,
                         [](const Cell& cell, int column) { return cell.column < column; });
    return cell != row->second.end() && cell->column == at.column ? &*cell : nullptr;
}

AddedRows::Cell& AddedRows::cell(CellPosition at, std::string_view style) {
    if (last_cells_ == nullptr || last_row_ != at.row) {
        // Rows of a report are alike: a new row makes room for as many cells as the
        // row written before it.
        const std::size_t expected = last_cells_ != nullptr ? last_cells_->size() : 0;
        last_cells_ = &rows_[at.row];
        last_row_ = at.row;
        if (last_cells_->empty()) last_cells_->reserve(expected);
    }
    Row& cells = *last_cells_;
    auto place = cells.end();
    if (!cells.empty() && cells.back().column >= at.column) {
        place = std::lower_bound(cells.begin(), cells.end(), at.column,
                                 [](const Cell& cell, int column) { return cell.column < column; });
        if (place != cells.end() && place->column == at.column) return *place;
    }
    Cell added;
    added.column = at.column;
    if (!style.empty()) {
        const auto known = std::find(styles_.begin(), styles_.end(), style);
        added.style = static_cast<int>(known - styles_.begin());
        if (known == styles_.end()) styles_.emplace_back(style);
    }
    return *cells.insert(place, std::move(added));
}

void AddedRows::set_text(CellPosition at, std::string_view style, std::string_view text) {
    Cell& target = cell(at, style);
    target.is_text = true;
    target.text.assign(text);
}

void AddedRows::set_number(CellPosition at, std::string_view style, double number) {
    Cell& target = cell(at, style);
    target.is_text = false;
    target.text.clear();
    target.number = number;
}

void AddedRows::erase(CellPosition at) {
    const auto row = rows_.find(at.row);
    if (row == rows_.end()) return;
    std::erase_if(row->second, [&](const Cell& cell) { return cell.column == at.column; });
    if (row->second.empty()) {
        if (last_cells_ == &row->second) last_cells_ = nullptr;
        rows_.erase(row);
    }
}

void AddedRows::erase_through(int last) {
    rows_.erase(rows_.begin(), rows_.upper_bound(last));
    last_row_ = 0;
    last_cells_ = nullptr;
}

void AddedRows::append_row_xml(int row, const Row& cells, std::string& out) const {
    const std::string number = std::to_string(row);
    out += "<row r=\"";
    out += number;
    out += "\">";
    for (const Cell& cell : cells) {
        out += "<c r=\"";
        out += column_letters(cell.column);
        out += number;
        out += '"';
        if (cell.style >= 0) {
            out += " s=\"";
            append_escaped(out, styles_[cell.style]);
            out += '"';
        }
        if (cell.is_text) {
            out += needs_space_preserve(cell.text)
                       ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">"
                       : " t=\"inlineStr\"><is><t>";
            append_escaped(out, escape_cell_text(cell.text));
            out += "</t></is></c>";
        } else {
            out += "><v>";
            out += round_trip_number(cell.number);
            out += "</v></c>";
        }
    }
    out += "</row>";
}

}  // namespace pelvane::report
