#pragma once
// Small workbooks written part by part, so tests can put into a file exactly the
// constructs a template may hold (shared strings, formulas, merged cells, a sheet
// whose part is not called sheet1.xml) and read the raw parts back.

#include <pugixml.hpp>

#include <filesystem>
#include <string>

namespace pelvane::testing {

// A workbook with two sheets: "Form" (first in sheet order, part
// xl/worksheets/form.xml) holding `sheet_data` (the <sheetData> children) and
// `after_data` (elements that follow <sheetData>: mergeCells, pageSetup, ...), and
// "Notes" (part xl/worksheets/sheet1.xml, selected). Shared strings: 0 "Title",
// 1 "Label", 2 "Rich" (in two runs). Styles 0 to 3 exist; column C has style 3.
// The workbook has a calculation chain and no calcPr.
void write_fixture(const std::filesystem::path& file, const std::string& sheet_data,
                   const std::string& after_data = "");

// The parsed part of a workbook file.
pugi::xml_document read_part(const std::filesystem::path& file, const std::string& part);

}  // namespace pelvane::testing
