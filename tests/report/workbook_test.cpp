#include "report/xlsx/workbook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "report/report_writer.h"
#include "report/xlsx/cell_reference.h"
#include "report/xlsx_fixture.h"
#include "support/temp_folder.h"

using namespace pelvane::report;
using pelvane::testing::read_part;
using pelvane::testing::TempFolder;
using pelvane::testing::write_fixture;

namespace {

const char* kSheet = "xl/worksheets/form.xml";

// Row 1: shared string, styled number, formula with a stale cached result.
// Row 3: a styled empty cell and a rich shared string; row 4 is a formatted row;
// rows 6 and 7 share a formula whose master is A6.
const std::string kData =
    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"1\"><v>5</v></c>"
    "<c r=\"C1\" t=\"str\"><f>B1*2</f><v>10</v></c></row>"
    "<row r=\"3\" spans=\"1:2\" ht=\"20\" customHeight=\"1\"><c r=\"A3\" s=\"2\"/>"
    "<c r=\"B3\" t=\"s\"><v>2</v></c></row>"
    "<row r=\"4\" s=\"1\" customFormat=\"1\"><c r=\"A4\"><v>1</v></c></row>"
    "<row r=\"6\"><c r=\"A6\"><f t=\"shared\" ref=\"A6:A7\" si=\"0\">B6+1</f><v>1</v></c></row>"
    "<row r=\"7\"><c r=\"A7\"><f t=\"shared\" si=\"0\"/><v>1</v></c></row>";
const std::string kLayout =
    "<mergeCells count=\"1\"><mergeCell ref=\"A8:C8\"/></mergeCells>"
    "<pageMargins left=\"0.3\" right=\"0.3\" top=\"0.5\" bottom=\"0.5\" header=\"0.3\" "
    "footer=\"0.3\"/><pageSetup paperSize=\"1\" orientation=\"landscape\" fitToWidth=\"1\" "
    "fitToHeight=\"0\"/>";

class WorkbookTest : public ::testing::Test {
  protected:
    void SetUp() override { write_fixture(file_, kData, kLayout); }
    Workbook saved_and_reopened(Workbook& book) {
        book.save(file_);
        return Workbook::open(file_);
    }
    pugi::xml_node cell_node(const pugi::xml_document& sheet, const std::string& reference) {
        return sheet.select_node(("//c[@r='" + reference + "']").c_str()).node();
    }

    TempFolder folder_;
    std::filesystem::path file_ = folder_ / "report.xlsx";
};

}  // namespace

TEST_F(WorkbookTest, ReadsTheFirstSheetInSheetOrderWhateverItsPartIsCalled) {
    const Workbook book = Workbook::open(file_);
    EXPECT_EQ(book.sheet_name(), "Form");
    EXPECT_EQ(book.cell(1, 1).text, "Title");
    EXPECT_TRUE(book.cell(1, 2).is_number());
    EXPECT_EQ(book.cell(1, 2).number, 5.0);
    EXPECT_EQ(book.cell(3, 2).text, "Rich");  // runs joined, phonetic hint left out
    EXPECT_TRUE(book.cell(2, 1).empty());
    EXPECT_TRUE(book.cell(3, 1).empty());  // styled but without a value
    EXPECT_TRUE(book.cell(1, 3).empty());  // a formula's stale result is not a value
}

TEST_F(WorkbookTest, NumbersAndTextsReadBackExactlyAfterSaving) {
    const double numbers[] = {0.1 + 0.2, 1.0 / 3.0, -1234567.891, 1e-300, 6.02214076e23, 0.0};
    Workbook book = Workbook::open(file_);
    int row = 10;
    for (const double number : numbers) EXPECT_TRUE(book.set_number(row++, 2, number));
    EXPECT_TRUE(book.set_text(10, 1, "1"));
    const Workbook reopened = saved_and_reopened(book);
    row = 10;
    for (const double number : numbers) {
        const CellValue value = reopened.cell(row++, 2);
        ASSERT_TRUE(value.is_number());
        EXPECT_EQ(value.number, number);  // every bit of the double, not a rounded form
    }
    EXPECT_TRUE(reopened.cell(10, 1).is_text());  // a numeric text stays text
    EXPECT_EQ(reopened.cell(10, 1).text, "1");
}

TEST_F(WorkbookTest, TextsKeepXmlSpecialCharactersBlanksAndControlCharacters) {
    const std::string texts[] = {"O'Brien & <Sons> \"1\"",
                                 "  leading",
                                 "trailing  ",
                                 " ",
                                 "tab\there",
                                 "line\nbreak",
                                 "cr\rhere",
                                 "bell\x07",
                                 "_x0041_ stays literal",
                                 "\xCE\xB8 \xE2\x89\xA5 0.2 Q\xC2\xB2"};
    Workbook book = Workbook::open(file_);
    int row = 20;
    for (const auto& text : texts) EXPECT_TRUE(book.set_text(row++, 1, text));
    const Workbook reopened = saved_and_reopened(book);
    row = 20;
    for (const auto& text : texts) EXPECT_EQ(reopened.cell(row++, 1).text, text);

    const auto sheet = read_part(file_, kSheet);
    EXPECT_STREQ(cell_node(sheet, "A21").child("is").child("t").attribute("xml:space").value(),
                 "preserve");
    EXPECT_FALSE(cell_node(sheet, "A20").child("is").child("t").attribute("xml:space"));
}

TEST_F(WorkbookTest, NewRowsAndCellsAreKeptInOrder) {
    Workbook book = Workbook::open(file_);
    book.set_number(5, 3, 1);
    book.set_number(2, 10, 1);
    book.set_number(2, 1, 1);
    book.set_number(3, 3, 1);  // right of the existing A3 and B3
    book.set_number(4, 3, 1);
    book.set_number(4, 2, 1);  // between A4 and C4
    book.save(file_);

    const auto sheet = read_part(file_, kSheet);
    std::vector<std::string> order;
    int previous_row = 0;
    for (const auto row : sheet.child("worksheet").child("sheetData").children("row")) {
        EXPECT_GT(row.attribute("r").as_int(), previous_row);
        previous_row = row.attribute("r").as_int();
        int previous_column = 0;
        for (const auto cell : row.children("c")) {
            const auto at = parse_cell_reference(cell.attribute("r").value());
            ASSERT_TRUE(at);
            EXPECT_EQ(at->row, previous_row);
            EXPECT_GT(at->column, previous_column);
            previous_column = at->column;
            order.push_back(cell.attribute("r").value());
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"A1", "B1", "C1", "A2", "J2", "A3", "B3", "C3", "A4",
                                               "B4", "C4", "C5", "A6", "A7"}));
    EXPECT_STREQ(sheet.select_node("//row[@r='3']").node().attribute("spans").value(), "1:3");
    EXPECT_STREQ(sheet.child("worksheet").child("dimension").attribute("ref").value(), "A1:J7");
}

TEST_F(WorkbookTest, FormulasAreLeftToBeRecalculatedWhenTheWorkbookOpens) {
    Workbook book = Workbook::open(file_);
    book.set_number(1, 2, 21);
    book.save(file_);

    const auto sheet = read_part(file_, kSheet);
    const auto formula_cell = cell_node(sheet, "C1");
    EXPECT_STREQ(formula_cell.child("f").text().get(), "B1*2");
    EXPECT_FALSE(formula_cell.child("v"));
    EXPECT_FALSE(formula_cell.attribute("t"));
    EXPECT_FALSE(cell_node(sheet, "A7").child("v"));

    const auto workbook = read_part(file_, "xl/workbook.xml");
    const auto calculation = workbook.child("workbook").child("calcPr");
    EXPECT_STREQ(calculation.attribute("fullCalcOnLoad").value(), "1");
    EXPECT_STREQ(calculation.previous_sibling().name(), "definedNames");  // schema order
    EXPECT_STREQ(workbook.select_node("//workbookView").node().attribute("activeTab").value(), "0");

    // The stale calculation chain is gone with its relationship and content type.
    const auto package = ZipPackage::read(file_);
    EXPECT_FALSE(package.contains("xl/calcChain.xml"));
    EXPECT_EQ(package.data("xl/_rels/workbook.xml.rels").find("calcChain"), std::string::npos);
    EXPECT_EQ(package.data("[Content_Types].xml").find("calcChain"), std::string::npos);

    // The first sheet is the one selected, alone.
    EXPECT_STREQ(sheet.select_node("//sheetView").node().attribute("tabSelected").value(), "1");
    const auto notes = read_part(file_, "xl/worksheets/sheet1.xml");
    EXPECT_FALSE(notes.select_node("//sheetView").node().attribute("tabSelected"));
}

TEST_F(WorkbookTest, WritesThatCannotBeDoneAreSkippedAndCounted) {
    Workbook book = Workbook::open(file_);
    EXPECT_FALSE(book.set_text(0, 1, "x"));
    EXPECT_FALSE(book.set_text(1, 0, "x"));
    EXPECT_FALSE(book.set_number(kMaxRow + 1, 1, 1));
    EXPECT_FALSE(book.set_text(1, kMaxColumn + 1, "x"));
    EXPECT_FALSE(book.set_number(20, 1, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(book.set_number(20, 1, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(book.set_text(6, 1, "x"));  // master of the shared formula of A6:A7
    EXPECT_EQ(book.failed_writes(), 7);
    EXPECT_TRUE(book.set_number(7, 1, 3));  // a dependent cell may be overwritten
    EXPECT_TRUE(book.set_number(kMaxRow, kMaxColumn, 1));
    EXPECT_EQ(book.failed_writes(), 7);
    book.save(file_);
    const auto sheet = read_part(file_, kSheet);
    EXPECT_FALSE(sheet.select_node("//row[@r='20']"));  // a refused write adds no row
    EXPECT_STREQ(cell_node(sheet, "A6").child("f").text().get(), "B6+1");
}

TEST_F(WorkbookTest, EntriesThatReadAsNumbersBecomeNumbers) {
    Workbook book = Workbook::open(file_);
    book.set_entry(10, 1, "12.50");
    book.set_entry(11, 1, " 7 ");
    book.set_entry(12, 1, "10+50");
    book.set_entry(13, 1, "1,000");
    EXPECT_EQ(book.cell(10, 1).number, 12.5);
    EXPECT_EQ(book.cell(11, 1).number, 7.0);
    EXPECT_EQ(book.cell(12, 1).text, "10+50");
    EXPECT_EQ(book.cell(13, 1).text, "1,000");
}

TEST(Workbook, FilesThatAreNotWorkbooksAreRefused) {
    TempFolder folder;
    EXPECT_THROW(Workbook::open(folder / "missing.xlsx"), WorkbookError);
    std::ofstream(folder / "text.xlsx") << "not a zip";
    EXPECT_THROW(Workbook::open(folder / "text.xlsx"), WorkbookError);
    ZipPackage package;
    package.put("readme.txt", "a zip but no workbook");
    package.write(folder / "other.xlsx");
    EXPECT_THROW(Workbook::open(folder / "other.xlsx"), WorkbookError);
}

TEST(Workbook, SavingReplacesTheTargetOrFailsWithoutLeavingAPartialFile) {
    TempFolder folder;
    const auto file = folder / "book.xlsx";
    write_fixture(file, kData);
    Workbook book = Workbook::open(file);
    book.set_text(1, 1, "changed");
    EXPECT_THROW(book.save(folder / "no such folder" / "book.xlsx"), WorkbookError);
    book.save(file);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(Workbook::open(file).cell(1, 1).text, "changed");

    // A report whose template cannot be read leaves the earlier workbook as it was.
    std::ofstream(folder / "broken template.xlsx") << "not a zip";
    EXPECT_THROW(write_workbook(folder / "broken template.xlsx", file, {}), WorkbookError);
    EXPECT_EQ(Workbook::open(file).cell(1, 1).text, "changed");
}

TEST(CellReference, ColumnsConvertBothWaysUpToTheSheetLimit) {
    const std::pair<int, const char*> columns[] = {{1, "A"},     {26, "Z"},     {27, "AA"},
                                                   {30, "AD"},   {52, "AZ"},    {702, "ZZ"},
                                                   {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [number, letters] : columns) {
        EXPECT_EQ(column_letters(number), letters);
        EXPECT_EQ(column_number(letters), number) << letters;
    }
    EXPECT_EQ(column_number("ad"), 30);
    for (const char* bad : {"", "XFE", "AAAA", "A1", "-"}) EXPECT_FALSE(column_number(bad)) << bad;
}

TEST(CellReference, ParsesSingleCellsOnly) {
    EXPECT_EQ(parse_cell_reference("C12"), (CellPosition{12, 3}));
    EXPECT_EQ(parse_cell_reference("$AD$1048576"), (CellPosition{1048576, 30}));
    EXPECT_EQ(cell_reference(12, 30), "AD12");
    for (const char* bad : {"", "C", "12", "C0", "C012", "A1048577", "1A", "A1B", "A1:B2"}) {
        EXPECT_FALSE(parse_cell_reference(bad)) << bad;
    }
}

TEST(CellReference, TextEscapesSurviveTheRoundTrip) {
    // Control characters and a literal escape sequence must come back unchanged;
    // tab and line feed stay as they are in the XML.
    const std::string texts[] = {"plain", "a\x01z", "cr\rlf\n", "_x0041_", "__x1234_x", "tab\t"};
    for (const auto& text : texts) EXPECT_EQ(unescape_cell_text(escape_cell_text(text)), text);
    EXPECT_EQ(escape_cell_text("a\x01"), "a_x0001_");
    EXPECT_EQ(escape_cell_text("_x0041_"), "_x005F_x0041_");
    EXPECT_EQ(unescape_cell_text("_x00E9_"), "\xC3\xA9");  // é written by other programs
    EXPECT_TRUE(needs_space_preserve(" a"));
    EXPECT_TRUE(needs_space_preserve("a\n"));
    EXPECT_FALSE(needs_space_preserve("a b"));
    EXPECT_FALSE(needs_space_preserve(""));
}
