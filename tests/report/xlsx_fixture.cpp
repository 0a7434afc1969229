#include "report/xlsx_fixture.h"

#include <stdexcept>

#include "report/xlsx/zip_package.h"

namespace pelvane::testing {
namespace {

const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* kRelations = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* kPackageRelations = "http://schemas.openxmlformats.org/package/2006/relationships";

std::string xml(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n" + body;
}

std::string relationship(const std::string& id, const std::string& kind,
                         const std::string& target) {
    return "<Relationship Id=\"" + id + "\" Type=\"" + std::string(kRelations) + "/" + kind +
           "\" Target=\"" + target + "\"/>";
}

}  // namespace

void write_fixture(const std::filesystem::path& file, const std::string& sheet_data,
                   const std::string& after_data) {
    const std::string main = kMain, relations = kRelations;
    const std::string type = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    report::ZipPackage package;
    package.put("[Content_Types].xml",
                xml("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                    "content-types\"><Default Extension=\"rels\" "
                    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                    "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
                    type + "sheet.main+xml\"/><Override PartName=\"/xl/worksheets/form.xml\" " +
                    "ContentType=\"" + type +
                    "worksheet+xml\"/><Override PartName=\"/xl/worksheets/sheet1.xml\" "
                    "ContentType=\"" +
                    type +
                    "worksheet+xml\"/><Override PartName=\"/xl/calcChain.xml\" "
                    "ContentType=\"" +
                    type + "calcChain+xml\"/></Types>"));
    package.put(
        "_rels/.rels",
        xml("<Relationships xmlns=\"" + std::string(kPackageRelations) + "\">" +
            relationship("rId1", "officeDocument", "xl/workbook.xml") + "</Relationships>"));
    package.put("xl/workbook.xml",
                xml("<workbook xmlns=\"" + main + "\" xmlns:r=\"" + relations +
                    "\"><bookViews><workbookView activeTab=\"1\"/></bookViews><sheets>"
                    "<sheet name=\"Form\" sheetId=\"2\" r:id=\"rId7\"/>"
                    "<sheet name=\"Notes\" sheetId=\"1\" r:id=\"rId2\"/></sheets>"
                    "<definedNames><definedName name=\"_xlnm.Print_Titles\" "
                    "localSheetId=\"0\">Form!$1:$2</definedName></definedNames></workbook>"));
    package.put("xl/_rels/workbook.xml.rels",
                xml("<Relationships xmlns=\"" + std::string(kPackageRelations) + "\">" +
                    relationship("rId2", "worksheet", "worksheets/sheet1.xml") +
                    relationship("rId7", "worksheet", "/xl/worksheets/form.xml") +
                    relationship("rId3", "sharedStrings", "sharedStrings.xml") +
                    relationship("rId4", "styles", "styles.xml") +
                    relationship("rId5", "calcChain", "calcChain.xml") + "</Relationships>"));
    package.put("xl/sharedStrings.xml",
                xml("<sst xmlns=\"" + main +
                    "\" count=\"3\" uniqueCount=\"3\"><si><t>Title</t></si><si><t>Label</t></si>"
                    "<si><r><t>Ri</t></r><r><rPr><b/></rPr><t>ch</t></r><rPh><t>x</t></rPh></si>"
                    "</sst>"));
    package.put("xl/styles.xml",
                xml("<styleSheet xmlns=\"" + main +
                    "\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"
                    "</numFmts><fonts count=\"1\"><font><sz val=\"10\"/><name val=\"Arial\"/>"
                    "</font></fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/>"
                    "</fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
                    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/>"
                    "</border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" "
                    "fillId=\"0\" borderId=\"0\"/></cellStyleXfs><cellXfs count=\"4\">"
                    "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                    "<xf numFmtId=\"2\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                    "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                    "<xf numFmtId=\"1\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
                    "</cellXfs></styleSheet>"));
    package.put("xl/calcChain.xml",
                xml("<calcChain xmlns=\"" + main + "\"><c r=\"C1\" i=\"2\"/></calcChain>"));
    package.put("xl/worksheets/form.xml",
                xml("<worksheet xmlns=\"" + main + "\" xmlns:r=\"" + relations +
                    "\"><dimension ref=\"A1:C3\"/><sheetViews><sheetView workbookViewId=\"0\"/>"
                    "</sheetViews><cols><col min=\"3\" max=\"3\" width=\"12\" style=\"3\" "
                    "customWidth=\"1\"/></cols><sheetData>" +
                    sheet_data + "</sheetData>" + after_data + "</worksheet>"));
    package.put("xl/worksheets/sheet1.xml",
                xml("<worksheet xmlns=\"" + main +
                    "\"><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/>"
                    "</sheetViews><sheetData><row r=\"1\"><c r=\"A1\"><v>99</v></c></row>"
                    "</sheetData></worksheet>"));
    package.write(file);
}

pugi::xml_document read_part(const std::filesystem::path& file, const std::string& part) {
    const auto package = report::ZipPackage::read(file);
    pugi::xml_document document;
    const std::string& data = package.data(part);
    if (!document.load_buffer(data.data(), data.size(),
                              pugi::parse_default | pugi::parse_ws_pcdata_single)) {
        throw std::runtime_error("not XML: " + part);
    }
    return document;
}

}  // namespace pelvane::testing
