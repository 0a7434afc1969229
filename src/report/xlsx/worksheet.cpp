#include "report/xlsx/worksheet.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "report/xlsx/xml_text.h"
#include "report/xlsx/zip_package.h"

namespace pelvane::report {
namespace {

bool is_named(pugi::xml_node node, const char* name) {
    return std::strcmp(node.name(), name) == 0;
}

int column_of(pugi::xml_node cell) {
    const auto at = parse_cell_reference(cell.attribute("r").value());
    return at ? at->column : 0;
}

bool attribute_true(pugi::xml_attribute attribute) {
    const std::string_view value = attribute.value();
    return value == "1" || value == "true";
}

// Other cells compute from the master of a shared or array formula; overwriting it
// would leave them without a formula, so such a cell is not written.
bool holds_formula_master(pugi::xml_node cell) {
    const pugi::xml_node formula = cell.child("f");
    if (!formula) return false;
    const std::string_view type = formula.attribute("t").value();
    return (type == "shared" || type == "array") && formula.attribute("ref");
}

void clear_value(pugi::xml_node cell) {
    for (const char* name : {"f", "v", "is"}) {
        while (const pugi::xml_node child = cell.child(name)) cell.remove_child(child);
    }
    for (const char* name : {"t", "cm", "vm"}) cell.remove_attribute(name);
}

}  // namespace

void Worksheet::Bounds::include(int row, int column) {
    if (first_row == 0 || row < first_row) first_row = row;
    if (row > last_row) last_row = row;
    if (first_column == 0 || column < first_column) first_column = column;
    if (column > last_column) last_column = column;
}

Worksheet::Worksheet(std::string_view xml) {
    parse_xml(document_, xml, "worksheet");
    const pugi::xml_node root = document_.document_element();
    if (!is_named(root, "worksheet")) throw WorkbookError("the first sheet is not a worksheet");
    sheet_data_ = root.child("sheetData");
    if (!sheet_data_) throw WorkbookError("the worksheet has no cell table");
    for (const pugi::xml_node col : root.child("cols").children("col")) {
        const std::string style = col.attribute("style").value();
        if (style.empty() || style == "0") continue;
        column_styles_.push_back(
            {col.attribute("min").as_int(), col.attribute("max").as_int(), style});
    }
    index_rows();
}

// One pass over the sheet: row index, missing references filled in (the format
// lets rows and cells leave them out and count on from the previous one), cached
// formula results dropped, used range measured.
void Worksheet::index_rows() {
    int previous_row = 0;
    for (pugi::xml_node row : sheet_data_.children("row")) {
        int number = row.attribute("r").as_int();
        if (number <= previous_row) {
            number = previous_row + 1;
            (row.attribute("r") ? row.attribute("r") : row.append_attribute("r")) = number;
        }
        previous_row = number;
        rows_.emplace_hint(rows_.end(), number, row);
        int previous_column = 0;
        for (pugi::xml_node cell : row.children("c")) {
            int column = column_of(cell);
            if (column <= previous_column) {
                column = previous_column + 1;
                pugi::xml_attribute r = cell.attribute("r");
                if (!r) r = cell.prepend_attribute("r");
                r.set_value(cell_reference(number, column).c_str());
            }
            previous_column = column;
            bounds_.include(number, column);
            if (cell.child("f")) {
                cell.remove_child("v");
                cell.remove_attribute("t");
            }
        }
    }
}

pugi::xml_node Worksheet::find_cell(CellPosition at) const {
    const auto row = rows_.find(at.row);
    if (row == rows_.end()) return {};
    // Cells are written left to right, so the wanted one is usually near the end.
    for (pugi::xml_node cell = row->second.last_child(); cell; cell = cell.previous_sibling()) {
        if (!is_named(cell, "c")) continue;
        const int column = column_of(cell);
        if (column == at.column) return cell;
        if (column < at.column) break;
    }
    return {};
}

std::string_view Worksheet::column_style(int column) const {
    for (const ColumnStyle& style : column_styles_) {
        if (column >= style.first && column <= style.last) return style.style;
    }
    return {};
}

pugi::xml_node Worksheet::make_cell(pugi::xml_node row, CellPosition at) {
    pugi::xml_node before;  // the first cell right of the new one
    for (pugi::xml_node cell = row.last_child(); cell; cell = cell.previous_sibling()) {
        if (!is_named(cell, "c")) continue;
        if (column_of(cell) < at.column) break;
        before = cell;
    }
    pugi::xml_node cell;
    if (before) {
        cell = row.insert_child_before("c", before);
    } else if (const pugi::xml_node extension = row.child("extLst")) {
        cell = row.insert_child_before("c", extension);
    } else {
        cell = row.append_child("c");
    }
    cell.append_attribute("r") = cell_reference(at.row, at.column).c_str();
    // A new cell looks like its row when the row is formatted, else like its column.
    const std::string style = attribute_true(row.attribute("customFormat")) && row.attribute("s")
                                  ? row.attribute("s").value()
                                  : std::string(column_style(at.column));
    if (!style.empty()) cell.append_attribute("s") = style.c_str();
    // The row's spans only hint at its cell range, but must still cover it.
    if (pugi::xml_attribute spans = row.attribute("spans")) {
        int first = 0, last = 0;
        if (std::sscanf(spans.value(), "%d:%d", &first, &last) == 2 &&
            (at.column < first || at.column > last)) {
            const std::string widened = std::to_string(std::min(first, at.column)) + ":" +
                                        std::to_string(std::max(last, at.column));
            spans.set_value(widened.c_str());
        }
    }
    bounds_.include(at.row, at.column);
    return cell;
}

pugi::xml_node Worksheet::writable_cell(pugi::xml_node row, CellPosition at) {
    pugi::xml_node cell = find_cell(at);
    if (!cell) return make_cell(row, at);
    if (holds_formula_master(cell)) return {};
    clear_value(cell);
    return cell;
}

bool Worksheet::set_text(CellPosition at, std::string_view text) {
    if (!at.valid()) return false;
    const auto row = rows_.find(at.row);
    if (row == rows_.end()) {
        if (text.empty()) {
            added_.erase(at);
        } else {
            added_.set_text(at, column_style(at.column), text);
            bounds_.include(at.row, at.column);
        }
        return true;
    }
    if (text.empty()) {
        const pugi::xml_node cell = find_cell(at);
        if (!cell) return true;
        if (holds_formula_master(cell)) return false;
        clear_value(cell);
        return true;
    }
    pugi::xml_node cell = writable_cell(row->second, at);
    if (!cell) return false;
    cell.append_attribute("t") = "inlineStr";
    pugi::xml_node content = cell.prepend_child("is").append_child("t");
    if (needs_space_preserve(text)) content.append_attribute("xml:space") = "preserve";
    content.append_child(pugi::node_pcdata).set_value(escape_cell_text(text).c_str());
    return true;
}

bool Worksheet::set_number(CellPosition at, double value) {
    if (!at.valid() || !std::isfinite(value)) return false;
    const auto row = rows_.find(at.row);
    if (row == rows_.end()) {
        added_.set_number(at, column_style(at.column), value);
        bounds_.include(at.row, at.column);
        return true;
    }
    pugi::xml_node cell = writable_cell(row->second, at);
    if (!cell) return false;
    cell.prepend_child("v")
        .append_child(pugi::node_pcdata)
        .set_value(round_trip_number(value).c_str());
    return true;
}

CellValue Worksheet::value(CellPosition at,
                           const std::function<std::string(std::size_t)>& shared_string) const {
    CellValue result;
    if (!at.valid()) return result;
    if (const AddedRows::Cell* added = added_.find(at)) {
        result.kind = added->is_text ? CellValue::Kind::Text : CellValue::Kind::Number;
        result.text = added->text;
        result.number = added->number;
        return result;
    }
    const pugi::xml_node cell = find_cell(at);
    if (!cell) return result;
    const std::string_view type = cell.attribute("t").value();
    if (type == "inlineStr") {
        result.text = string_item_text(cell.child("is"));
        result.kind = CellValue::Kind::Text;
        return result;
    }
    const pugi::xml_node v = cell.child("v");
    if (!v) return result;
    const std::string_view raw = v.text().get();
    if (type == "s") {
        result.kind = CellValue::Kind::Text;
        result.text = shared_string(static_cast<std::size_t>(v.text().as_ullong()));
    } else if (type == "str") {
        result.kind = CellValue::Kind::Text;
        result.text = unescape_cell_text(raw);
    } else if (type == "b") {
        result.kind = CellValue::Kind::Boolean;
        result.number = raw == "1" ? 1.0 : 0.0;
        result.text = raw == "1" ? "TRUE" : "FALSE";
    } else if (type == "e") {
        result.kind = CellValue::Kind::Error;
        result.text = raw;
    } else {
        const auto parsed = std::from_chars(raw.data(), raw.data() + raw.size(), result.number);
        if (parsed.ec == std::errc() && parsed.ptr == raw.data() + raw.size()) {
            result.kind = CellValue::Kind::Number;
        } else {
            result.kind = CellValue::Kind::Text;
            result.text = raw;
        }
    }
    return result;
}

void set_tab_selected(pugi::xml_node sheet_root, bool selected) {
    pugi::xml_node view = sheet_root.child("sheetViews").child("sheetView");
    if (!view) return;
    view.remove_attribute("tabSelected");
    if (selected) view.append_attribute("tabSelected") = "1";
}

void Worksheet::set_tab_selected(bool selected) {
    report::set_tab_selected(document_.document_element(), selected);
}

std::string Worksheet::used_range() const {
    std::string range = cell_reference(bounds_.first_row, bounds_.first_column);
    if (bounds_.last_row != bounds_.first_row || bounds_.last_column != bounds_.first_column) {
        range += ":" + cell_reference(bounds_.last_row, bounds_.last_column);
    }
    return range;
}

std::string Worksheet::xml() {
    if (pugi::xml_node dimension = document_.document_element().child("dimension");
        dimension && bounds_.first_row > 0) {
        (dimension.attribute("ref") ? dimension.attribute("ref")
                                    : dimension.append_attribute("ref"))
            .set_value(used_range().c_str());
    }
    std::string whole = write_xml(document_);
    return added_.empty() ? whole : row_xml_with_added_rows(whole);
}

Worksheet::RowsAround Worksheet::split_at_rows(const std::string& whole) {
    // Texts are escaped in the written part, so the only "<sheetData" is the tag.
    const std::size_t open = whole.find("<sheetData");
    const std::size_t tag_end = whole.find('>', open);
    if (open == std::string::npos || tag_end == std::string::npos) {
        throw WorkbookError("the worksheet has no cell table");
    }
    const bool was_empty = whole[tag_end - 1] == '/';
    const std::size_t close = was_empty ? tag_end + 1 : whole.find("</sheetData>", tag_end);
    if (close == std::string::npos) throw WorkbookError("the worksheet has no cell table");
    RowsAround around{whole.substr(0, was_empty ? tag_end - 1 : tag_end) + '>', {}};
    if (was_empty) around.tail = "</sheetData>";
    around.tail.append(whole, close);
    return around;
}

void Worksheet::append_rows(int last, std::map<int, pugi::xml_node>::const_iterator& kept,
                            std::string& out) const {
    auto added = added_.rows().begin();
    for (;;) {
        const bool kept_due = kept != rows_.end() && kept->first <= last;
        const bool added_due = added != added_.rows().end() && added->first <= last;
        if (!kept_due && !added_due) return;
        if (added_due && (!kept_due || added->first < kept->first)) {
            added_.append_row_xml(added->first, added->second, out);
            ++added;
        } else {
            append_xml(out, kept->second);
            ++kept;
        }
    }
}

// The written part with the content of its cell table replaced by the template's
// rows and the added rows in row order.
std::string Worksheet::row_xml_with_added_rows(const std::string& whole) const {
    const RowsAround around = split_at_rows(whole);
    std::size_t cells = 0;
    for (const auto& [number, row] : added_.rows()) cells += row.size();
    std::string out;
    out.reserve(whole.size() + cells * 64);
    out += around.head;
    auto kept = rows_.cbegin();
    append_rows(std::numeric_limits<int>::max(), kept, out);
    out += around.tail;
    return out;
}

namespace {
// The widest range a sheet can have, written first and replaced once the sheet's
// rows are all known; the replacement is padded with blanks to its length.
constexpr std::string_view kRangePlaceholder = "\"A1:XFD1048576\"";
constexpr std::size_t kStreamPiece = std::size_t{1} << 20;
}  // namespace

void Worksheet::begin_stream(std::ostream& out) {
    pugi::xml_node dimension = document_.document_element().child("dimension");
    if (dimension) {
        (dimension.attribute("ref") ? dimension.attribute("ref")
                                    : dimension.append_attribute("ref"))
            .set_value(
                std::string(kRangePlaceholder.substr(1, kRangePlaceholder.size() - 2)).c_str());
    }
    RowsAround around = split_at_rows(write_xml(document_));
    stream_ = Stream{&out, std::move(around.tail), {}, -1, rows_.cbegin(), 0};
    if (dimension) {
        const std::size_t at = around.head.find(kRangePlaceholder);
        if (at != std::string::npos) stream_.dimension_at = out.tellp() + std::streamoff(at);
    }
    out << around.head;
}

void Worksheet::end_row(int row) {
    if (row <= stream_.last_row) throw WorkbookError("the report's rows came out of order");
    stream_.last_row = row;
    append_rows(row, stream_.kept, stream_.pending);
    added_.erase_through(row);
    if (stream_.pending.size() >= kStreamPiece) {
        *stream_.out << stream_.pending;
        stream_.pending.clear();
    }
}

void Worksheet::end_stream() {
    append_rows(std::numeric_limits<int>::max(), stream_.kept, stream_.pending);
    added_.erase_through(std::numeric_limits<int>::max());
    std::ostream& out = *stream_.out;
    out << stream_.pending << stream_.tail;
    if (stream_.dimension_at >= 0 && bounds_.first_row > 0) {
        std::string range = '"' + used_range() + '"';
        range.resize(kRangePlaceholder.size(), ' ');
        const std::streampos end = out.tellp();
        out.seekp(stream_.dimension_at);
        out << range;
        out.seekp(end);
    }
    stream_ = Stream{};
}

}  // namespace pelvane::report
