#pragma once
// Reading and writing the XML parts of a workbook with pugixml, the same way
// everywhere: declarations kept, blank-only texts kept, no reformatting.

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace pelvane::report {

// Parses `xml` into `document`; a WorkbookError naming `part` when it is not XML.
void parse_xml(pugi::xml_document& document, std::string_view xml, std::string_view part);
// The document as written to the package (UTF-8, no added indentation).
std::string write_xml(const pugi::xml_document& document);

// Appends the XML of one element (and its content) to `out`.
void append_xml(std::string& out, pugi::xml_node node);

// A number as stored in a cell: the shortest text that reads back as exactly the
// same double. (What the cell shows is up to its number format; this is storage,
// not display, so it keeps every digit the double has.)
std::string round_trip_number(double value);

// The text of a string item (<is> of a cell or <si> of the shared strings): its
// plain text or the text of its runs, unescaped; phonetic hints are left out.
std::string string_item_text(pugi::xml_node item);

}  // namespace pelvane::report
