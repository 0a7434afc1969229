// The styles part of a template workbook: fonts, fills, borders and number
// formats shared between the cell formats, one cell format per template style.

#include <pugixml.hpp>

#include <algorithm>
#include <map>
#include <tuple>

#include "core/text/number_text.h"
#include "report/xlsx/xml_text.h"
#include "tools/template_model.h"

namespace pelvane::tools {
namespace {

constexpr int kFirstCustomFormat = 164;  // lower ids are the format's built-in ones

// Index of `key` in `keys`, appended when new.
template <typename Key>
int index_of(std::vector<Key>& keys, const Key& key) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) return static_cast<int>(i);
    }
    keys.push_back(key);
    return static_cast<int>(keys.size() - 1);
}

using FontKey = std::tuple<std::string, double, bool, bool>;
using BorderKey = std::tuple<bool, bool, bool, bool, std::string>;

void add_value_child(pugi::xml_node parent, const char* name, const std::string& value) {
    parent.append_child(name).append_attribute("val") = value.c_str();
}

void add_font(pugi::xml_node fonts, const FontKey& key) {
    const auto& [name, size, bold, italic] = key;
    pugi::xml_node font = fonts.append_child("font");
    if (bold) font.append_child("b");
    if (italic) font.append_child("i");
    add_value_child(font, "sz", text::shortest_text(size));
    add_value_child(font, "name", name);
    add_value_child(font, "family", "2");
}

void add_fill(pugi::xml_node fills, const std::string& colour) {
    pugi::xml_node pattern = fills.append_child("fill").append_child("patternFill");
    if (colour.empty()) {
        pattern.append_attribute("patternType") = "none";
    } else if (colour == "gray125") {
        pattern.append_attribute("patternType") = "gray125";
    } else {
        pattern.append_attribute("patternType") = "solid";
        pattern.append_child("fgColor").append_attribute("rgb") = ("FF" + colour).c_str();
        pattern.append_child("bgColor").append_attribute("indexed") = "64";
    }
}

void add_border(pugi::xml_node borders, const BorderKey& key) {
    const auto& [left, right, top, bottom, style] = key;
    pugi::xml_node border = borders.append_child("border");
    for (const auto& [side, on] :
         {std::pair{"left", left}, std::pair{"right", right}, std::pair{"top", top},
          std::pair{"bottom", bottom}, std::pair{"diagonal", false}}) {
        pugi::xml_node edge = border.append_child(side);
        if (!on) continue;
        edge.append_attribute("style") = style.c_str();
        edge.append_child("color").append_attribute("indexed") = "64";
    }
}

}  // namespace

std::string build_styles_part(const std::vector<CellStyle>& styles) {
    std::vector<FontKey> fonts;
    // The format reserves the first two fills: none and the grey pattern.
    std::vector<std::string> fills = {"", "gray125"};
    std::vector<BorderKey> borders = {BorderKey{false, false, false, false, "thin"}};
    std::map<std::string, int> formats;

    struct Xf {
        int format = 0, font = 0, fill = 0, border = 0;
        const CellStyle* style = nullptr;
    };
    std::vector<Xf> xfs;
    for (const CellStyle& style : styles) {
        Xf xf;
        xf.style = &style;
        xf.font = index_of(fonts, FontKey{style.font, style.size, style.bold, style.italic});
        if (!style.fill.empty()) xf.fill = index_of(fills, style.fill);
        if (style.has_border()) {
            xf.border = index_of(borders, BorderKey{style.left, style.right, style.top,
                                                    style.bottom, style.border_style});
        }
        if (!style.format.empty()) {
            const auto found = formats.find(style.format);
            xf.format = found != formats.end()
                            ? found->second
                            : formats[style.format] =
                                  kFirstCustomFormat + static_cast<int>(formats.size());
        }
        xfs.push_back(xf);
    }

    pugi::xml_document document;
    pugi::xml_node root = start_part(document, "styleSheet", kMainNamespace);

    if (!formats.empty()) {
        pugi::xml_node list = root.append_child("numFmts");
        list.append_attribute("count") = formats.size();
        std::vector<std::pair<int, std::string>> by_id;
        for (const auto& [code, id] : formats) by_id.emplace_back(id, code);
        std::sort(by_id.begin(), by_id.end());
        for (const auto& [id, code] : by_id) {
            pugi::xml_node format = list.append_child("numFmt");
            format.append_attribute("numFmtId") = id;
            format.append_attribute("formatCode") = code.c_str();
        }
    }
    pugi::xml_node font_list = root.append_child("fonts");
    font_list.append_attribute("count") = fonts.size();
    for (const auto& font : fonts) add_font(font_list, font);
    pugi::xml_node fill_list = root.append_child("fills");
    fill_list.append_attribute("count") = fills.size();
    for (const auto& fill : fills) add_fill(fill_list, fill);
    pugi::xml_node border_list = root.append_child("borders");
    border_list.append_attribute("count") = borders.size();
    for (const auto& border : borders) add_border(border_list, border);

    pugi::xml_node style_xfs = root.append_child("cellStyleXfs");
    style_xfs.append_attribute("count") = 1;
    pugi::xml_node base_xf = style_xfs.append_child("xf");
    for (const char* name : {"numFmtId", "fontId", "fillId", "borderId"}) {
        base_xf.append_attribute(name) = 0;
    }

    pugi::xml_node cell_xfs = root.append_child("cellXfs");
    cell_xfs.append_attribute("count") = xfs.size();
    for (const Xf& entry : xfs) {
        pugi::xml_node xf = cell_xfs.append_child("xf");
        xf.append_attribute("numFmtId") = entry.format;
        xf.append_attribute("fontId") = entry.font;
        xf.append_attribute("fillId") = entry.fill;
        xf.append_attribute("borderId") = entry.border;
        xf.append_attribute("xfId") = 0;
        if (entry.format != 0) xf.append_attribute("applyNumberFormat") = 1;
        if (entry.font != 0) xf.append_attribute("applyFont") = 1;
        if (entry.fill != 0) xf.append_attribute("applyFill") = 1;
        if (entry.border != 0) xf.append_attribute("applyBorder") = 1;
        const CellStyle& style = *entry.style;
        if (!style.horizontal.empty() || !style.vertical.empty() || style.wrap || style.shrink ||
            style.indent > 0) {
            xf.append_attribute("applyAlignment") = 1;
            pugi::xml_node alignment = xf.append_child("alignment");
            if (!style.horizontal.empty()) {
                alignment.append_attribute("horizontal") = style.horizontal.c_str();
            }
            if (!style.vertical.empty()) {
                alignment.append_attribute("vertical") = style.vertical.c_str();
            }
            if (style.indent > 0) alignment.append_attribute("indent") = style.indent;
            if (style.wrap) alignment.append_attribute("wrapText") = 1;
            if (style.shrink) alignment.append_attribute("shrinkToFit") = 1;
        }
    }
    pugi::xml_node cell_styles = root.append_child("cellStyles");
    cell_styles.append_attribute("count") = 1;
    pugi::xml_node normal = cell_styles.append_child("cellStyle");
    normal.append_attribute("name") = "Normal";
    normal.append_attribute("xfId") = 0;
    normal.append_attribute("builtinId") = 0;
    root.append_child("dxfs").append_attribute("count") = 0;
    return report::write_xml(document);
}

}  // namespace pelvane::tools
