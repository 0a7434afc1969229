#pragma once
// One worksheet part held as an XML tree with an index of its rows, so that setting
// and reading cells never scans the whole sheet. Cells are created in order where
// they are missing; rows the template does not have are kept apart (AddedRows) and
// merged in row order when the part is written. Everything else in the part is
// kept as it was.

#include <pugixml.hpp>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "report/xlsx/added_rows.h"
#include "report/xlsx/cell_reference.h"
#include "report/xlsx/cell_value.h"

namespace pelvane::report {

// Marks the first view of a sheet part (worksheet or chart sheet) as the selected
// tab, or not.
void set_tab_selected(pugi::xml_node sheet_root, bool selected);

class Worksheet {
  public:
    // Parses the part; a WorkbookError when it is not a worksheet. Cached results of
    // formulas are dropped here: values written later would make them stale.
    explicit Worksheet(std::string_view xml);

    // False (nothing changes) when the position is outside the sheet or the cell
    // holds the master of a shared or array formula that other cells depend on.
    // An empty text empties the cell. The cell keeps its style; a new cell takes the
    // style of its row or column, as typing into an empty cell does.
    bool set_text(CellPosition at, std::string_view text);
    bool set_number(CellPosition at, double value);  // false also for NaN and infinities

    // `shared_string` resolves an index of the shared string table.
    CellValue value(CellPosition at,
                    const std::function<std::string(std::size_t)>& shared_string) const;

    // Marks the sheet's first view as the selected tab (or not).
    void set_tab_selected(bool selected);

    std::string xml();

    // The part written in pieces, for sheets of many added rows: begin_stream
    // writes it up to its rows; once the cells of a row are set, end_row writes
    // every row up to that one and forgets its added cells; end_stream writes the
    // rest and puts the used range into the part's dimension (`out` must be
    // seekable). Rows are ended in increasing order.
    void begin_stream(std::ostream& out);
    void end_row(int row);
    void end_stream();

  private:
    struct Bounds {
        int first_row = 0, last_row = 0, first_column = 0, last_column = 0;
        void include(int row, int column);
    };
    struct ColumnStyle {
        int first = 0, last = 0;
        std::string style;
    };

    void index_rows();
    pugi::xml_node find_cell(CellPosition at) const;
    pugi::xml_node make_cell(pugi::xml_node row, CellPosition at);
    pugi::xml_node writable_cell(pugi::xml_node row, CellPosition at);
    std::string_view column_style(int column) const;
    std::string row_xml_with_added_rows(const std::string& whole) const;
    // The written part around its rows: up to the open <sheetData> (a '>' added
    // when it was empty) and from the </sheetData> on.
    struct RowsAround {
        std::string head;
        std::string tail;
    };
    static RowsAround split_at_rows(const std::string& whole);
    // Appends the template's rows from `kept` and the added rows in row order, up
    // to and with row `last`; `kept` moves past what was written.
    void append_rows(int last, std::map<int, pugi::xml_node>::const_iterator& kept,
                     std::string& out) const;
    std::string used_range() const;

    pugi::xml_document document_;
    pugi::xml_node sheet_data_;
    std::map<int, pugi::xml_node> rows_;  // the template's rows
    AddedRows added_;
    std::vector<ColumnStyle> column_styles_;
    Bounds bounds_;

    struct Stream {
        std::ostream* out = nullptr;
        std::string tail;
        std::string pending;               // written out in pieces of about a megabyte
        std::streamoff dimension_at = -1;  // of the placeholder range, quotes included
        std::map<int, pugi::xml_node>::const_iterator kept;
        int last_row = 0;
    };
    Stream stream_;
};

}  // namespace pelvane::report
