// Reads the XML descriptions of the report templates (data/templates/*.xml).

#include <pugixml.hpp>

#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>

#include "core/text/number_text.h"
#include "report/xlsx/cell_reference.h"
#include "tools/template_model.h"

namespace pelvane::tools {
namespace {

using report::CellPosition;

[[noreturn]] void refuse(pugi::xml_node node, const std::string& why) {
    std::string where = "<" + std::string(node.name());
    if (const auto at = node.attribute("at")) where += " at=\"" + std::string(at.value()) + "\"";
    if (const auto id = node.attribute("id")) where += " id=\"" + std::string(id.value()) + "\"";
    throw std::runtime_error(where + ">: " + why);
}

double number_attribute(pugi::xml_node node, const char* name, double fallback) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) return fallback;
    const auto parsed = text::parse_number(attribute.value());
    if (!parsed.ok()) refuse(node, std::string(name) + " is not a number");
    return parsed.value;
}

bool yes_attribute(pugi::xml_node node, const char* name, bool fallback) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) return fallback;
    const std::string_view value = attribute.value();
    if (value == "yes") return true;
    if (value == "no") return false;
    refuse(node, std::string(name) + " must be yes or no");
}

struct Range {
    CellPosition first, last;
};

Range cell_range(pugi::xml_node node) {
    const std::string_view text = node.attribute("at").value();
    const auto colon = text.find(':');
    const auto first = report::parse_cell_reference(text.substr(0, colon));
    const auto last = colon == std::string_view::npos
                          ? first
                          : report::parse_cell_reference(text.substr(colon + 1));
    if (!first || !last || last->row < first->row || last->column < first->column) {
        refuse(node, "at must be a cell or a range of cells");
    }
    return {*first, *last};
}

// "A" or "F:I" (columns), "6" or "6:11" (rows).
std::pair<int, int> span(pugi::xml_node node, bool columns) {
    const std::string_view text = node.attribute("at").value();
    const auto colon = text.find(':');
    const auto read = [&](std::string_view part) -> int {
        if (columns) return report::column_number(part).value_or(0);
        const auto parsed = text::parse_number(part);
        return parsed.ok() ? static_cast<int>(parsed.value) : 0;
    };
    const int first = read(text.substr(0, colon));
    const int last = colon == std::string_view::npos ? first : read(text.substr(colon + 1));
    if (first < 1 || last < first) refuse(node, columns ? "at must be columns" : "at must be rows");
    return {first, last};
}

void read_borders(pugi::xml_node node, CellStyle& style) {
    std::istringstream words(node.attribute("border").value());
    std::string word;
    style.left = style.right = style.top = style.bottom = false;
    while (words >> word) {
        if (word == "all") {
            style.left = style.right = style.top = style.bottom = true;
        } else if (word == "left") {
            style.left = true;
        } else if (word == "right") {
            style.right = true;
        } else if (word == "top") {
            style.top = true;
        } else if (word == "bottom") {
            style.bottom = true;
        } else if (word != "none") {
            refuse(node, "unknown border " + word);
        }
    }
}

CellStyle read_style(pugi::xml_node node, const CellStyle& base) {
    CellStyle style = base;
    style.font = node.attribute("font").as_string(style.font.c_str());
    style.size = number_attribute(node, "size", style.size);
    style.bold = yes_attribute(node, "bold", style.bold);
    style.italic = yes_attribute(node, "italic", style.italic);
    style.horizontal = node.attribute("align").as_string(style.horizontal.c_str());
    style.vertical = node.attribute("valign").as_string(style.vertical.c_str());
    style.wrap = yes_attribute(node, "wrap", style.wrap);
    style.shrink = yes_attribute(node, "shrink", style.shrink);
    style.indent = static_cast<int>(number_attribute(node, "indent", style.indent));
    if (node.attribute("border")) read_borders(node, style);
    style.border_style = node.attribute("border-style").as_string(style.border_style.c_str());
    style.fill = node.attribute("fill").as_string(style.fill.c_str());
    style.format = node.attribute("format").as_string(style.format.c_str());
    return style;
}

PageSpec read_page(pugi::xml_node node) {
    PageSpec page;
    page.orientation = node.attribute("orientation").as_string("landscape");
    static const std::map<std::string, int> papers = {
        {"letter", 1}, {"tabloid", 3}, {"legal", 5}, {"a3", 8}, {"a4", 9}};
    const auto paper = papers.find(node.attribute("paper").as_string("letter"));
    if (paper == papers.end()) refuse(node, "unknown paper");
    page.paper = paper->second;
    page.fit_width = static_cast<int>(number_attribute(node, "fit-width", 1));
    page.fit_height = static_cast<int>(number_attribute(node, "fit-height", 0));
    if (node.attribute("print-titles")) {
        const std::string_view rows = node.attribute("print-titles").value();
        const auto colon = rows.find(':');
        page.title_first_row = static_cast<int>(text::number_or(rows.substr(0, colon), 0));
        page.title_last_row = colon == std::string_view::npos
                                  ? page.title_first_row
                                  : static_cast<int>(text::number_or(rows.substr(colon + 1), 0));
        if (page.title_first_row < 1 || page.title_last_row < page.title_first_row) {
            refuse(node, "print-titles must be rows like 1:11");
        }
    }
    if (node.attribute("margins")) {
        std::istringstream values(node.attribute("margins").value());
        for (double& margin : page.margins) {
            if (!(values >> margin))
                refuse(node, "margins must be four inches: left right top bottom");
        }
    }
    page.header_margin = number_attribute(node, "header-margin", page.header_margin);
    page.footer_margin = number_attribute(node, "footer-margin", page.footer_margin);
    page.header = node.attribute("header").value();
    page.footer = node.attribute("footer").value();
    page.center_horizontally = yes_attribute(node, "center", false);
    std::istringstream breaks(node.attribute("breaks").value());
    for (int row = 0; breaks >> row;) {
        if (row < 2) refuse(node, "breaks must be rows below the first");
        page.breaks.push_back(row);
    }
    if (!breaks.eof()) refuse(node, "breaks must be row numbers");
    page.freeze = node.attribute("freeze").value();
    if (!page.freeze.empty() && !report::parse_cell_reference(page.freeze)) {
        refuse(node, "freeze must be a cell");
    }
    page.gridlines = yes_attribute(node, "gridlines", true);
    page.zoom = static_cast<int>(number_attribute(node, "zoom", 100));
    return page;
}

class Reader {
  public:
    SheetTemplate read(pugi::xml_node root);

  private:
    int style_index(pugi::xml_node node);
    TemplateCell& cell_at(int row, int column, int style);
    void style_range(const Range& range, int style);

    SheetTemplate sheet_;
    std::map<std::string, CellStyle, std::less<>> named_;
};

int Reader::style_index(pugi::xml_node node) {
    const pugi::xml_attribute id = node.attribute("style");
    if (!id) return 0;
    const auto found = named_.find(std::string_view(id.value()));
    if (found == named_.end()) refuse(node, "no style " + std::string(id.value()));
    for (std::size_t i = 0; i < sheet_.styles.size(); ++i) {
        if (sheet_.styles[i] == found->second) return static_cast<int>(i);
    }
    sheet_.styles.push_back(found->second);
    return static_cast<int>(sheet_.styles.size() - 1);
}

TemplateCell& Reader::cell_at(int row, int column, int style) {
    TemplateCell& cell = sheet_.cells[{row, column}];
    cell.style = style;
    return cell;
}

void Reader::style_range(const Range& range, int style) {
    for (int row = range.first.row; row <= range.last.row; ++row) {
        for (int column = range.first.column; column <= range.last.column; ++column) {
            cell_at(row, column, style);
        }
    }
}

SheetTemplate Reader::read(pugi::xml_node root) {
    if (std::string_view(root.name()) != "template") refuse(root, "expected <template>");
    sheet_.sheet_name = root.attribute("sheet").as_string("Sheet1");
    sheet_.title = root.attribute("title").value();
    sheet_.styles.emplace_back();
    for (const pugi::xml_node node : root.children()) {
        if (node.type() != pugi::node_element) continue;
        const std::string_view kind = node.name();
        if (kind == "page") {
            sheet_.page = read_page(node);
        } else if (kind == "font") {
            // The workbook's default look, which every style starts from.
            sheet_.styles[0] = read_style(node, sheet_.styles[0]);
        } else if (kind == "style") {
            const std::string id = node.attribute("id").value();
            if (id.empty() || named_.count(id)) refuse(node, "style ids must be given and unique");
            CellStyle base = sheet_.styles[0];
            if (const auto parent = node.attribute("base")) {
                const auto found = named_.find(std::string_view(parent.value()));
                if (found == named_.end())
                    refuse(node, "no base style " + std::string(parent.value()));
                base = found->second;
            }
            named_[id] = read_style(node, base);
        } else if (kind == "column") {
            const auto [first, last] = span(node, true);
            sheet_.columns.push_back(
                {first, last, number_attribute(node, "width", 9.0), style_index(node)});
        } else if (kind == "row") {
            const auto [first, last] = span(node, false);
            for (int row = first; row <= last; ++row) {
                sheet_.row_heights[row] = number_attribute(node, "height", 12.75);
            }
        } else if (kind == "area") {
            style_range(cell_range(node), style_index(node));
        } else if (kind == "cell") {
            const Range range = cell_range(node);
            style_range(range, style_index(node));
            TemplateCell& anchor = sheet_.cells[{range.first.row, range.first.column}];
            if (const auto number = node.attribute("number")) {
                anchor.number = number_attribute(node, "number", 0);
            } else if (std::string text = node.text().get(); !text.empty()) {
                anchor.text = std::move(text);
            }
            if (!(range.first == range.last))
                sheet_.merges.emplace_back(node.attribute("at").value());
        } else if (kind == "series") {
            const Range range = cell_range(node);
            const int style = style_index(node);
            std::string_view items = node.text().get();
            int column = range.first.column;
            while (true) {
                const auto bar = items.find('|');
                const std::string item(items.substr(0, bar));
                TemplateCell& cell = cell_at(range.first.row, column++, style);
                if (!item.empty()) cell.text = item;
                if (bar == std::string_view::npos) break;
                items.remove_prefix(bar + 1);
            }
        } else {
            refuse(node, "unknown element");
        }
    }
    return sheet_;
}

}  // namespace

SheetTemplate read_template_description(std::string_view xml) {
    pugi::xml_document document;
    const auto result = document.load_buffer(xml.data(), xml.size());
    if (!result) {
        throw std::runtime_error(std::string("not XML: ") + result.description() + " at byte " +
                                 std::to_string(result.offset));
    }
    return Reader().read(document.document_element());
}

}  // namespace pelvane::tools
