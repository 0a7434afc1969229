#include <gtest/gtest.h>

#include "report/xlsx/cell_reference.h"

using namespace pelvane::report;

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
