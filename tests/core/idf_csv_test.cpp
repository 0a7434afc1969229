#include "core/hydrology/idf_csv.h"

#include <gtest/gtest.h>

namespace pelvane::hydrology {
namespace {

TEST(IdfCsv, KeepsCellsExactlyAndUnquotes) {
    const auto lines = read_csv(
        "\xEF\xBB\xBFNAME,X\r\n\r\n\"Blacksburg  \",12.5, x \n"
        "\"Stuart's Draft\",\"a \"\"b\"\", c\",,\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].cells, (CsvRow{"NAME", "X"}));
    EXPECT_TRUE(lines[1].cells.empty());
    EXPECT_EQ(lines[2].number, 3);
    EXPECT_EQ(lines[2].cells, (CsvRow{"Blacksburg  ", "12.5", " x "}));
    EXPECT_EQ(lines[3].cells, (CsvRow{"Stuart's Draft", "a \"b\", c", "", ""}));
}

TEST(IdfCsv, AQuotedCellMayHoldLineBreaksKeptAsWritten) {
    const auto lines = read_csv("A,B\r\n\"two\r\nlines\",x\"y\n3,\"\"\"\n\"\n4,5");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_EQ(lines[1].cells, (CsvRow{"two\r\nlines", "x\"y"}));
    EXPECT_EQ(lines[2].number, 4);
    EXPECT_EQ(lines[2].cells, (CsvRow{"3", "\"\n"}));
    EXPECT_EQ(lines[3].number, 6);
    EXPECT_EQ(lines[3].cells, (CsvRow{"4", "5"}));
}

// Text saved by a spreadsheet in Windows-1252 arrives as UTF-8; text in UTF-8
// stays as it is.
TEST(IdfCsv, TextThatIsNotUtf8IsReadAsWindows1252) {
    EXPECT_EQ(read_csv("Caf\xE9,\x93x\x94 \x80\x81\n")[0].cells,
              (CsvRow{"Caf\u00E9", "\u201Cx\u201D \u20AC\u0081"}));
    EXPECT_EQ(read_csv("Caf\u00E9,\U0001F327\n")[0].cells, (CsvRow{"Caf\u00E9", "\U0001F327"}));
    // Overlong and surrogate forms are not UTF-8.
    EXPECT_EQ(read_csv("\xC0\xAE,\xED\xA0\x80")[0].cells,
              (CsvRow{"\u00C0\u00AE", "\u00ED\u00A0\u20AC"}));
}

// Each refusal names the first line that cannot be read, in one pass over the text.
TEST(IdfCsv, RefusesAtTheFirstLineThatCannotBeRead) {
    const std::string many(32000, '\n');
    using K = IdfProblem::Kind;
    const struct {
        std::string text;
        int line;
        K kind;
        int quote_line = 0;  // an earlier line whose quote may be one too many
    } cases[] = {
        {"A,B\n1,\"open" + many + "2,3\n", 2, K::UnclosedQuote},
        {"A,B\n1,\"open\n2,\"3\",4\n", 3, K::TextAfterQuote, 2},
        {"A\n\"x\"y\n", 2, K::TextAfterQuote},
        {"\xFF\xFE"
         "A\0,\0",
         1, K::Utf16Text},
        {"\xEF\xBB\xBF"
         "A\nB\nCaf\xE9\n",
         3, K::NotUtf8Line},
    };
    for (const auto& c : cases) {
        try {
            read_csv(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const CsvError& e) {
            EXPECT_EQ(e.line(), c.line) << e.what();
            EXPECT_EQ(e.problem().kind, c.kind) << c.text;
            EXPECT_EQ(e.problem().quote_line, c.quote_line) << c.text;
        }
    }
}

}  // namespace
}  // namespace pelvane::hydrology
