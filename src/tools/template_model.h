#pragma once
// A report template as its description in data/templates states it: one sheet of
// styled cells, merged ranges, column widths, row heights and print setup. The
// template generator turns it into the .xlsx file of the program folder.

#include <pugixml.hpp>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/xlsx/zip_package.h"

namespace pelvane::tools {

struct CellStyle {
    std::string font = "Arial";
    double size = 10.0;  // points
    bool bold = false;
    bool italic = false;
    std::string horizontal;  // "", "left", "center", "right", "centerContinuous"
    std::string vertical;    // "", "top", "center", "bottom"
    bool wrap = false;
    bool shrink = false;
    int indent = 0;
    bool left = false, right = false, top = false, bottom = false;  // borders
    std::string border_style = "thin";
    std::string fill;    // "RRGGBB" or "" for none
    std::string format;  // number format code, "" for General

    bool has_border() const { return left || right || top || bottom; }
    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

struct TemplateCell {
    int style = 0;  // index into SheetTemplate::styles
    std::optional<std::string> text;
    std::optional<double> number;
};

struct ColumnSpec {
    int first = 0, last = 0;
    double width = 0.0;  // characters of the default font
    int style = 0;       // the look of cells not yet written in the column
};

struct PageSpec {
    std::string orientation = "landscape";
    int paper = 1;  // 1 letter, 3 tabloid, 5 legal, 8 A3, 9 A4
    int fit_width = 1;
    int fit_height = 0;       // 0: as many pages as the rows need
    int title_first_row = 0;  // rows repeated on every printed page
    int title_last_row = 0;
    double margins[4] = {0.5, 0.5, 0.75, 0.75};  // left, right, top, bottom (inches)
    double header_margin = 0.3, footer_margin = 0.3;
    std::string header, footer;  // header and footer codes ("&LForm&RPage &P of &N")
    bool center_horizontally = false;
    std::vector<int> breaks;  // rows that start a new printed page
    std::string freeze;       // top-left cell of the scrolling part ("A12"), "" for none
    bool gridlines = true;
    int zoom = 100;
};

struct SheetTemplate {
    std::string sheet_name;
    std::string title;
    std::vector<CellStyle> styles;                      // [0] is the workbook's default look
    std::map<std::pair<int, int>, TemplateCell> cells;  // (row, column)
    std::vector<std::string> merges;                    // "A1:J1"
    std::vector<ColumnSpec> columns;
    std::map<int, double> row_heights;  // points
    PageSpec page;
};

// Reads a template description (XML); a std::runtime_error that names the element
// at fault when it is not understood.
SheetTemplate read_template_description(std::string_view xml);

// The workbook of a template: content types, relationships, workbook, styles,
// shared strings and the one worksheet.
report::ZipPackage build_template_package(const SheetTemplate& sheet);

inline constexpr const char* kMainNamespace =
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// A new part: the XML declaration and the root element in `name_space`.
pugi::xml_node start_part(pugi::xml_document& document, const char* root, const char* name_space);

// The styles part for a template's styles, in the order of their indexes.
std::string build_styles_part(const std::vector<CellStyle>& styles);

}  // namespace pelvane::tools
