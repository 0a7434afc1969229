#include "report/ld347_layout.h"

#include <gtest/gtest.h>

#include "report/report_layout_cells.h"

namespace pelvane::report {
namespace {

using testing::kind_at;
using testing::number_at;
using testing::text_at;
using Kind = LayoutCell::Kind;

hgl::HglResult two_paths() {
    hgl::HglResult result;
    hgl::HglRow outfall;
    outfall.row = 11;
    outfall.field(1) = std::string("1");
    outfall.field(25) = std::string("100.00");
    hgl::HglRow first;
    first.row = 12;
    first.field(1) = std::string("2");
    first.field(2) = std::string("10+50");
    first.field(3) = std::string("100.00");
    first.field(5) = 101.2000000001;
    first.field(6) = std::string("48 X 24");
    first.field(9) = 0.00947;
    first.field(22) = std::string("NO");
    first.field(26) = std::string("108.00");
    first.field(27) = std::string("O.K.");
    hgl::HglRow second;  // after the empty row 13
    second.row = 14;
    second.field(1) = std::string("3");
    second.field(2) = std::string("1050.00");
    result.rows = {outfall, first, second};
    result.storm_frequency = "25";
    return result;
}

TEST(Ld347Layout, HeaderRowsAndStormFrequency) {
    store::ProjectContext project;
    project.project_name = "O'Brien Road";
    project.designer = "K. Lee";
    const CellLayout cells = ld347_layout(project, two_paths());
    EXPECT_EQ(text_at(cells, 1, 9), "O'Brien Road");
    EXPECT_EQ(text_at(cells, 1, 26), "K. Lee");
    EXPECT_EQ(text_at(cells, 11, 1), "1");
    EXPECT_EQ(text_at(cells, 11, 25), "100.00");
    EXPECT_EQ(kind_at(cells, 11, 25), Kind::Entry);  // the tailwater as typed
    // D4 comes last, after every row.
    EXPECT_EQ(cells.back().row, 4);
    EXPECT_EQ(cells.back().column, 4);
    EXPECT_EQ(cells.back().text, "25");
}

TEST(Ld347Layout, NumbersUnroundedStoredTextsAsStoredEmptyCellsLeftAlone) {
    const CellLayout cells = ld347_layout({}, two_paths());
    EXPECT_EQ(number_at(cells, 12, 5), 101.2000000001);
    EXPECT_EQ(number_at(cells, 12, 9), 0.00947);
    EXPECT_EQ(kind_at(cells, 12, 2), Kind::Text);
    EXPECT_EQ(kind_at(cells, 14, 2), Kind::Text);  // a station that reads as a number too
    EXPECT_EQ(text_at(cells, 14, 2), "1050.00");
    EXPECT_EQ(kind_at(cells, 12, 3), Kind::Entry);
    EXPECT_EQ(kind_at(cells, 12, 6), Kind::Text);
    EXPECT_EQ(kind_at(cells, 12, 22), Kind::Text);
    EXPECT_EQ(kind_at(cells, 12, 26), Kind::Entry);
    EXPECT_EQ(text_at(cells, 12, 27), "O.K.");
    EXPECT_EQ(text_at(cells, 12, 4), "<none>");
    for (int column = 1; column <= 27; ++column) {
        EXPECT_EQ(find_cell(cells, 13, column), nullptr) << column;
    }
    EXPECT_EQ(find_cell({}, 1, 1), nullptr);
}

}  // namespace
}  // namespace pelvane::report
