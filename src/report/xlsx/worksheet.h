#pragma once
// One worksheet part held as an XML tree with an index of its rows, so that setting
// and reading cells never scans the whole sheet. Cells are created in order where
// they are missing; rows the template does not have are kept apart (AddedRows) and
// merged in row order when the part is written. Everything else in the part is
// kept as it was.

#include <pugixml.hpp>

#include <functional>
#include <map>
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

    pugi::xml_document document_;
    pugi::xml_node sheet_data_;
    std::map<int, pugi::xml_node> rows_;  // the template's rows
    AddedRows added_;
    std::vector<ColumnStyle> column_styles_;
    Bounds bounds_;
};

}  // namespace pelvane::report
