// Rainfall coefficient tables: the CSV reading underneath and the tables read from it.

#include "core/hydrology/idf_table.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/hydrology/idf_csv.h"

namespace pelvane::hydrology {
namespace {

std::string header(const std::string& name, const std::string& letters,
                   const std::vector<int>& years) {
    std::string h = name;
    for (const int y : years) {
        for (const char l : letters) h += ",YEAR" + std::to_string(y) + l;
    }
    return h + "\n";
}

std::string values(int count, const std::string& value) {
    std::string v;
    for (int i = 0; i < count; ++i) v += "," + value;
    return v + "\n";
}

const std::vector<int> kAll{2, 5, 10, 25, 50, 100};
const std::vector<int> kLegacy{2, 10, 25, 50, 100};

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

TEST(IdfTable, TheHeaderChoosesTheTable) {
    const auto stations =
        parse_idf_table(header("NOAA_STATION", "BDE", kAll) + "\"Blacksburg  \"" +
                        values(18, "1.5") + "\n" + "\"Stuart's Draft\"" + values(18, "2"));
    ASSERT_TRUE(stations.ok()) << static_cast<int>(stations.problem().kind);
    EXPECT_EQ(stations->kind, IdfTableKind::Station);
    ASSERT_EQ(stations->rows.size(), 2u);
    EXPECT_EQ(stations->rows[0].name, "Blacksburg  ");
    EXPECT_EQ(stations->rows[1].line, 4);
    EXPECT_EQ(stations->rows[1].curves.at(100).e, 2.0);

    // Columns in any order: E before B still lands in E.
    std::string shuffled = "COUNTY_NAME,YEAR2E,YEAR2D,YEAR2B";
    for (const int y : {5, 10, 25, 50, 100}) {
        for (const char l : std::string("BDE")) shuffled += ",YEAR" + std::to_string(y) + l;
    }
    const auto counties = parse_idf_table(shuffled + "\nPulaski,0.8,12,60" + values(15, "1"));
    ASSERT_TRUE(counties.ok()) << static_cast<int>(counties.problem().kind);
    EXPECT_EQ(counties->kind, IdfTableKind::County);
    EXPECT_EQ(counties->rows[0].curves.at(2).b, 60.0);
    EXPECT_EQ(counties->rows[0].curves.at(2).e, 0.8);

    const auto legacy = parse_idf_table("COUNTY_NO," + header("COUNTY_NAME", "AB", kLegacy) +
                                        "77,Pulaski" + values(10, "3"));
    ASSERT_TRUE(legacy.ok()) << static_cast<int>(legacy.problem().kind);
    EXPECT_EQ(legacy->kind, IdfTableKind::LegacyCounty);
    EXPECT_EQ(legacy->rows[0].legacy.size(), 5u);
    EXPECT_TRUE(legacy->rows[0].curves.empty());
}

TEST(IdfTable, RefusesIncompleteOrMalformedTables) {
    const std::string h = header("NOAA_STATION", "BDE", kAll);
    using K = IdfProblem::Kind;
    const struct {
        std::string text;
        IdfProblem expected;
    } cases[] = {
        {"", {.kind = K::EmptyTable}},
        {"NAME,B,D,E\nx,1,2,3\n", {.kind = K::UnknownHeader}},
        {header("NOAA_STATION", "BD", kAll),
         {.kind = K::MissingColumns,
          .text = "YEAR2E, YEAR5E, YEAR10E, YEAR25E, YEAR50E, YEAR100E"}},
        {header("COUNTY_NAME", "AB", {2, 5, 10, 25, 50, 100}),
         {.kind = K::UnknownColumn, .text = "YEAR5A"}},
        {h, {.kind = K::NoRows}},
        {h + "Pulaski" + values(17, "1"),
         {.kind = K::CellCount, .line = 2, .found = 18, .expected = 19}},
        {h + "Pulaski" + values(17, "1").substr(0, 34) + ",abc\n",
         {.kind = K::NotANumber, .line = 2, .text = "abc", .column = "YEAR100E"}},
        {h + "Pulaski" + values(17, "1").substr(0, 34) + ",\n",
         {.kind = K::NotANumber, .line = 2, .text = "", .column = "YEAR100E"}},
        {h + "Pulaski" + values(18, "1") + "Pulaski" + values(18, "1"),
         {.kind = K::RepeatedName, .line = 3, .text = "Pulaski"}},
        {h + " " + values(18, "1"), {.kind = K::NoName, .line = 2}},
    };
    for (const auto& c : cases) {
        const auto parsed = parse_idf_table(c.text);
        ASSERT_FALSE(parsed.ok()) << c.text;
        const IdfProblem& p = parsed.problem();
        EXPECT_EQ(p.kind, c.expected.kind) << c.text;
        EXPECT_EQ(std::tie(p.line, p.text, p.column, p.found, p.expected),
                  std::tie(c.expected.line, c.expected.text, c.expected.column, c.expected.found,
                           c.expected.expected))
            << static_cast<int>(p.kind);
    }
}

}  // namespace
}  // namespace pelvane::hydrology
