// The parts of a template workbook: one worksheet with its styles and shared
// strings, the print setup and print titles, and the package's bookkeeping.

#include <map>

#include "core/text/number_text.h"
#include "report/xlsx/cell_reference.h"
#include "report/xlsx/xml_text.h"
#include "tools/template_model.h"

namespace pelvane::tools {
namespace {

constexpr const char* kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelationshipsNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kTypesNamespace =
    "http://schemas.openxmlformats.org/package/2006/content-types";
constexpr const char* kSpreadsheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.";

constexpr const char* kSheetPart = "xl/worksheets/sheet1.xml";

class SharedStrings {
  public:
    int index(const std::string& text) {
        ++uses_;
        const auto [it, added] = indexes_.try_emplace(text, static_cast<int>(texts_.size()));
        if (added) texts_.push_back(text);
        return it->second;
    }
    std::string part() const {
        pugi::xml_document document;
        pugi::xml_node root = start_part(document, "sst", kMainNamespace);
        root.append_attribute("count") = uses_;
        root.append_attribute("uniqueCount") = texts_.size();
        for (const std::string& text : texts_) {
            pugi::xml_node t = root.append_child("si").append_child("t");
            if (report::needs_space_preserve(text)) t.append_attribute("xml:space") = "preserve";
            t.text().set(report::escape_cell_text(text).c_str());
        }
        return report::write_xml(document);
    }

  private:
    std::map<std::string, int> indexes_;
    std::vector<std::string> texts_;
    int uses_ = 0;
};

std::string number_text(double value) {
    return text::shortest_text(value);
}

void add_views(pugi::xml_node root, const PageSpec& page) {
    pugi::xml_node view = root.append_child("sheetViews").append_child("sheetView");
    if (!page.gridlines) view.append_attribute("showGridLines") = 0;
    view.append_attribute("tabSelected") = 1;
    if (page.zoom != 100) view.append_attribute("zoomScale") = page.zoom;
    view.append_attribute("workbookViewId") = 0;
    const auto freeze = report::parse_cell_reference(page.freeze);
    if (!freeze || (freeze->row == 1 && freeze->column == 1)) return;
    const int rows = freeze->row - 1, columns = freeze->column - 1;
    const char* active = rows > 0 ? (columns > 0 ? "bottomRight" : "bottomLeft") : "topRight";
    pugi::xml_node pane = view.append_child("pane");
    if (columns > 0) pane.append_attribute("xSplit") = columns;
    if (rows > 0) pane.append_attribute("ySplit") = rows;
    pane.append_attribute("topLeftCell") = page.freeze.c_str();
    pane.append_attribute("activePane") = active;
    pane.append_attribute("state") = "frozen";
    pugi::xml_node selection = view.append_child("selection");
    selection.append_attribute("pane") = active;
    selection.append_attribute("activeCell") = page.freeze.c_str();
    selection.append_attribute("sqref") = page.freeze.c_str();
}

void add_print_setup(pugi::xml_node root, const PageSpec& page) {
    if (page.center_horizontally) {
        root.append_child("printOptions").append_attribute("horizontalCentered") = 1;
    }
    pugi::xml_node margins = root.append_child("pageMargins");
    const char* sides[] = {"left", "right", "top", "bottom"};
    for (int i = 0; i < 4; ++i) {
        margins.append_attribute(sides[i]) = number_text(page.margins[i]).c_str();
    }
    margins.append_attribute("header") = number_text(page.header_margin).c_str();
    margins.append_attribute("footer") = number_text(page.footer_margin).c_str();
    pugi::xml_node setup = root.append_child("pageSetup");
    setup.append_attribute("paperSize") = page.paper;
    setup.append_attribute("fitToWidth") = page.fit_width;
    setup.append_attribute("fitToHeight") = page.fit_height;
    setup.append_attribute("orientation") = page.orientation.c_str();
    if (!page.header.empty() || !page.footer.empty()) {
        pugi::xml_node codes = root.append_child("headerFooter");
        if (!page.header.empty()) codes.append_child("oddHeader").text().set(page.header.c_str());
        if (!page.footer.empty()) codes.append_child("oddFooter").text().set(page.footer.c_str());
    }
    if (!page.breaks.empty()) {
        pugi::xml_node breaks = root.append_child("rowBreaks");
        breaks.append_attribute("count") = page.breaks.size();
        breaks.append_attribute("manualBreakCount") = page.breaks.size();
        for (const int row : page.breaks) {
            // A break is stored as the zero-based index of the row that starts the page.
            pugi::xml_node brk = breaks.append_child("brk");
            brk.append_attribute("id") = row - 1;
            brk.append_attribute("max") = report::kMaxColumn - 1;
            brk.append_attribute("man") = 1;
        }
    }
}

std::string sheet_part(const SheetTemplate& sheet, SharedStrings& strings) {
    pugi::xml_document document;
    pugi::xml_node root = start_part(document, "worksheet", kMainNamespace);
    root.append_attribute("xmlns:r") = kRelationshipsNamespace;
    if (sheet.page.fit_width > 0 || sheet.page.fit_height > 0) {
        root.append_child("sheetPr").append_child("pageSetUpPr").append_attribute("fitToPage") = 1;
    }
    int last_row = 1, last_column = 1;
    for (const auto& [at, cell] : sheet.cells) {
        last_row = std::max(last_row, at.first);
        last_column = std::max(last_column, at.second);
    }
    root.append_child("dimension").append_attribute("ref") =
        ("A1:" + report::cell_reference(last_row, last_column)).c_str();
    add_views(root, sheet.page);
    root.append_child("sheetFormatPr").append_attribute("defaultRowHeight") = "12.75";

    if (!sheet.columns.empty()) {
        pugi::xml_node cols = root.append_child("cols");
        for (const ColumnSpec& spec : sheet.columns) {
            pugi::xml_node col = cols.append_child("col");
            col.append_attribute("min") = spec.first;
            col.append_attribute("max") = spec.last;
            col.append_attribute("width") = number_text(spec.width).c_str();
            if (spec.style != 0) col.append_attribute("style") = spec.style;
            col.append_attribute("customWidth") = 1;
        }
    }

    pugi::xml_node data = root.append_child("sheetData");
    std::map<int, pugi::xml_node> rows;
    const auto row_node = [&](int number) {
        auto [it, added] = rows.try_emplace(number);
        if (added) {
            // Rows are visited in order, so appending keeps them sorted.
            it->second = data.append_child("row");
            it->second.append_attribute("r") = number;
            if (const auto height = sheet.row_heights.find(number);
                height != sheet.row_heights.end()) {
                it->second.append_attribute("ht") = number_text(height->second).c_str();
                it->second.append_attribute("customHeight") = 1;
            }
        }
        return it->second;
    };
    std::map<int, bool> wanted_rows;
    for (const auto& [at, cell] : sheet.cells) wanted_rows[at.first] = true;
    for (const auto& [row, height] : sheet.row_heights) wanted_rows[row] = true;
    auto next_cell = sheet.cells.begin();
    for (const auto& [number, unused] : wanted_rows) {
        pugi::xml_node row = row_node(number);
        for (; next_cell != sheet.cells.end() && next_cell->first.first == number; ++next_cell) {
            const auto& [at, cell] = *next_cell;
            pugi::xml_node c = row.append_child("c");
            c.append_attribute("r") = report::cell_reference(at.first, at.second).c_str();
            // Always explicit: some readers give a cell without a style the look of
            // its column, which would put the pipe rows' borders into the heading.
            c.append_attribute("s") = cell.style;
            if (cell.text) {
                c.append_attribute("t") = "s";
                c.append_child("v").text().set(strings.index(*cell.text));
            } else if (cell.number) {
                c.append_child("v").text().set(number_text(*cell.number).c_str());
            }
        }
    }

    if (!sheet.merges.empty()) {
        pugi::xml_node merges = root.append_child("mergeCells");
        merges.append_attribute("count") = sheet.merges.size();
        for (const std::string& range : sheet.merges) {
            merges.append_child("mergeCell").append_attribute("ref") = range.c_str();
        }
    }
    add_print_setup(root, sheet.page);
    return report::write_xml(document);
}

std::string quoted_sheet_name(const std::string& name) {
    std::string quoted = "'";
    for (const char c : name) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

std::string workbook_part(const SheetTemplate& sheet) {
    pugi::xml_document document;
    pugi::xml_node root = start_part(document, "workbook", kMainNamespace);
    root.append_attribute("xmlns:r") = kRelationshipsNamespace;
    root.append_child("bookViews").append_child("workbookView").append_attribute("activeTab") = 0;
    pugi::xml_node entry = root.append_child("sheets").append_child("sheet");
    entry.append_attribute("name") = sheet.sheet_name.c_str();
    entry.append_attribute("sheetId") = 1;
    entry.append_attribute("r:id") = "rId1";
    if (sheet.page.title_first_row > 0) {
        pugi::xml_node name = root.append_child("definedNames").append_child("definedName");
        name.append_attribute("name") = "_xlnm.Print_Titles";
        name.append_attribute("localSheetId") = 0;
        const std::string rows = quoted_sheet_name(sheet.sheet_name) + "!$" +
                                 std::to_string(sheet.page.title_first_row) + ":$" +
                                 std::to_string(sheet.page.title_last_row);
        name.text().set(rows.c_str());
    }
    return report::write_xml(document);
}

std::string relationships(const std::vector<std::pair<std::string, std::string>>& targets) {
    pugi::xml_document document;
    pugi::xml_node root = start_part(document, "Relationships", kPackageRelationshipsNamespace);
    int id = 1;
    for (const auto& [type, target] : targets) {
        pugi::xml_node node = root.append_child("Relationship");
        node.append_attribute("Id") = ("rId" + std::to_string(id++)).c_str();
        node.append_attribute("Type") = type.c_str();
        node.append_attribute("Target") = target.c_str();
    }
    return report::write_xml(document);
}

std::string content_types() {
    pugi::xml_document document;
    pugi::xml_node root = start_part(document, "Types", kTypesNamespace);
    const auto add_default = [&](const char* extension, const char* type) {
        pugi::xml_node node = root.append_child("Default");
        node.append_attribute("Extension") = extension;
        node.append_attribute("ContentType") = type;
    };
    add_default("rels", "application/vnd.openxmlformats-package.relationships+xml");
    add_default("xml", "application/xml");
    const auto add_override = [&](const char* part, const std::string& type) {
        pugi::xml_node node = root.append_child("Override");
        node.append_attribute("PartName") = part;
        node.append_attribute("ContentType") = type.c_str();
    };
    const std::string spreadsheet = kSpreadsheetType;
    add_override("/xl/workbook.xml", spreadsheet + "sheet.main+xml");
    add_override("/xl/worksheets/sheet1.xml", spreadsheet + "worksheet+xml");
    add_override("/xl/styles.xml", spreadsheet + "styles+xml");
    add_override("/xl/sharedStrings.xml", spreadsheet + "sharedStrings+xml");
    add_override("/docProps/core.xml",
                 "application/vnd.openxmlformats-package.core-properties+xml");
    return report::write_xml(document);
}

std::string core_properties(const SheetTemplate& sheet) {
    pugi::xml_document document;
    pugi::xml_node root =
        start_part(document, "cp:coreProperties",
                   "http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    // start_part names the default namespace; the properties use prefixes instead.
    root.remove_attribute("xmlns");
    root.append_attribute("xmlns:cp") =
        "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
    root.append_attribute("xmlns:dc") = "http://purl.org/dc/elements/1.1/";
    root.append_child("dc:title").text().set(sheet.title.c_str());
    root.append_child("dc:creator").text().set("PelvaneVA");
    return report::write_xml(document);
}

}  // namespace

pugi::xml_node start_part(pugi::xml_document& document, const char* root, const char* name_space) {
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
    pugi::xml_node element = document.append_child(root);
    element.append_attribute("xmlns") = name_space;
    return element;
}

report::ZipPackage build_template_package(const SheetTemplate& sheet) {
    const std::string office =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    SharedStrings strings;
    const std::string worksheet = sheet_part(sheet, strings);

    report::ZipPackage package;
    package.put("[Content_Types].xml", content_types());
    package.put("_rels/.rels",
                relationships({{office + "officeDocument", "xl/workbook.xml"},
                               {"http://schemas.openxmlformats.org/package/2006/relationships/"
                                "metadata/core-properties",
                                "docProps/core.xml"}}));
    package.put("docProps/core.xml", core_properties(sheet));
    package.put("xl/workbook.xml", workbook_part(sheet));
    package.put("xl/_rels/workbook.xml.rels",
                relationships({{office + "worksheet", "worksheets/sheet1.xml"},
                               {office + "styles", "styles.xml"},
                               {office + "sharedStrings", "sharedStrings.xml"}}));
    package.put("xl/styles.xml", build_styles_part(sheet.styles));
    package.put("xl/sharedStrings.xml", strings.part());
    package.put(kSheetPart, worksheet);
    return package;
}

}  // namespace pelvane::tools
