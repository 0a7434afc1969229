#include "report/pipe_report_layout.h"

#include <gtest/gtest.h>

#include "report/report_layout_cells.h"
#include "store/pipe_table.h"

namespace pelvane::report {
namespace {

using testing::text_at;

store::ProjectContext project(bool legacy) {
    store::ProjectContext p;
    p.units = "METRIC";
    p.designer = "K. Lee";
    p.project_name = "O'Brien Road";
    p.county = "Pulaski";
    p.noaa_station = "";  // an older release: the station cell stays empty
    p.state = "VA";
    p.legacy_database_mode = legacy;
    return p;
}

// Every column holds its own name, so a cell that shows the wrong column says so.
store::PipeRecord named_pipe() {
    store::PipeRecord pipe;
    for (const store::Column column : store::kPipeColumns) {
        pipe.set(column, std::string(column.name()));
    }
    return pipe;
}

TEST(PipeReportLayout, HeadingAndPipeCellsHoldTheStoredTexts) {
    const CellLayout cells = pipe_report_layout(project(false), named_pipe(), "12/5/2024");
    EXPECT_EQ(text_at(cells, 2, 9), "12/5/2024");
    EXPECT_EQ(text_at(cells, 6, 3), "O'Brien Road");
    EXPECT_EQ(text_at(cells, 8, 3), "<none>");

    const std::vector<std::tuple<int, int, std::string>> expected{
        {11, 3, "PIPE_NUMBER"},    {20, 4, "NODEIN_NO"}, {21, 8, "NODEOUT_TOPELE"},
        {32, 8, "PIPE_DISCHARGE"}, {39, 6, "FLOW_TYPE"}, {29, 2, "PRENODE1"},
        {30, 3, "PRECA2"},         {31, 4, "PRETC3"},    {32, 5, "PREFLOWTIME4"},
    };
    for (const auto& [row, column, name] : expected) {
        EXPECT_EQ(text_at(cells, row, column), name) << row << "," << column;
    }
    EXPECT_EQ(text_at(cells, 21, 9), "<none>");  // the lower structure has no shaping
    for (const LayoutCell& cell : cells) EXPECT_EQ(cell.kind, LayoutCell::Kind::Text);
}

TEST(PipeReportLayout, LegacyProjectsLeaveTheFourthPreviousPipeAlone) {
    const CellLayout cells = pipe_report_layout(project(true), named_pipe(), "1/2/2025");
    EXPECT_EQ(text_at(cells, 31, 2), "PRENODE3");
    EXPECT_EQ(text_at(cells, 31, 5), "PREFLOWTIME3");
    for (int column = 2; column <= 5; ++column) {
        EXPECT_EQ(text_at(cells, 32, column), "<none>") << column;
    }
    EXPECT_EQ(text_at(cells, 32, 8), "PIPE_DISCHARGE");  // the discharge column is not the row
}

}  // namespace
}  // namespace pelvane::report
