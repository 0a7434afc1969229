#include "report/xlsx/xml_text.h"

#include <charconv>
#include <cstring>

#include "report/xlsx/cell_reference.h"
#include "report/xlsx/zip_package.h"

namespace pelvane::report {
namespace {

struct StringWriter : pugi::xml_writer {
    explicit StringWriter(std::string& target) : out(target) {}
    std::string& out;
    void write(const void* data, std::size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

}  // namespace

void parse_xml(pugi::xml_document& document, std::string_view xml, std::string_view part) {
    // A text of blanks only ("<t> </t>") is a value and must survive.
    const unsigned options =
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result result =
        document.load_buffer(xml.data(), xml.size(), options, pugi::encoding_utf8);
    if (!result) {
        throw WorkbookError("the workbook part " + std::string(part) + " is damaged (" +
                            result.description() + ")");
    }
}

std::string write_xml(const pugi::xml_document& document) {
    std::string out;
    StringWriter writer(out);
    document.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return out;
}

void append_xml(std::string& out, pugi::xml_node node) {
    StringWriter writer(out);
    node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
}

std::string round_trip_number(double value) {
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, written.ptr);
}

std::string string_item_text(pugi::xml_node item) {
    std::string text;
    for (const pugi::xml_node child : item.children()) {
        if (std::strcmp(child.name(), "t") == 0) {
            text += child.text().get();
        } else if (std::strcmp(child.name(), "r") == 0) {
            text += child.child("t").text().get();
        }
    }
    return unescape_cell_text(text);
}

}  // namespace pelvane::report
