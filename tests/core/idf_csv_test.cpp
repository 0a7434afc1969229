#include "core/hydrology/idf_csv.h"

#include <gtest/gtest.h>

namespace pelvane::hydrology {
namespace {

TEST(IdfCsv, KeepsCellsExactlyAndUnquotes) {
    EXPECT_EQ(split_csv_line("\"Blacksburg  \",12.5, x "), (CsvRow{"Blacksburg  ", "12.5", " x "}));
    EXPECT_EQ(split_csv_line("\"Stuart's Draft\",\"a \"\"b\"\", c\",,"),
              (CsvRow{"Stuart's Draft", "a \"b\", c", "", ""}));

    const auto lines = read_csv("\xEF\xBB\xBFNAME,X\r\n\r\nA,1\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].cells, (CsvRow{"NAME", "X"}));
    EXPECT_TRUE(lines[1].cells.empty());
    EXPECT_EQ(lines[2].number, 3);
    EXPECT_EQ(lines[2].cells, (CsvRow{"A", "1"}));
}

TEST(IdfCsv, AQuotedCellMayHoldLineBreaks) {
    const auto lines = read_csv("A,B\r\n\"two\nlines\",x\"y\n3,\"\"\"\n\"\n4,5");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_EQ(lines[1].cells, (CsvRow{"two\nlines", "x\"y"}));
    EXPECT_EQ(lines[2].number, 4);
    EXPECT_EQ(lines[2].cells, (CsvRow{"3", "\"\n"}));
    EXPECT_EQ(lines[3].number, 6);
    EXPECT_EQ(lines[3].cells, (CsvRow{"4", "5"}));
}

}  // namespace
}  // namespace pelvane::hydrology
