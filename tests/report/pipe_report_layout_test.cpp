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
    EXPECT_EQ(text_at(cells, 1, 9), "METRIC");
    EXPECT_EQ(text_at(cells, 2, 9), "12/5/2024");
    EXPECT_EQ(text_at(cells, 3, 9), "K. Lee");
    EXPECT_EQ(text_at(cells, 6, 3), "O'Brien Road");
    EXPECT_EQ(text_at(cells, 7, 3), "Pulaski");
    EXPECT_EQ(text_at(cells, 8, 3), "<none>");
    EXPECT_EQ(text_at(cells, 7, 8), "VA");

    const std::vector<std::tuple<int, int, std::string>> expected{
        {11, 3, "PIPE_NUMBER"},    {12, 3, "PIPE_LENGTH"},     {12, 6, "PIPE_SHAPE"},
        {12, 9, "PIPE_MAT"},       {13, 3, "PIPE_ELEIN"},      {13, 6, "PIPE_DIA"},
        {13, 9, "PIPE_MANN"},      {14, 3, "PIPE_ELEOUT"},     {14, 6, "SPAN"},
        {14, 9, "NUMOFPIPES"},     {15, 3, "PIPE_SLOPE"},      {15, 6, "RISE"},
        {20, 4, "NODEIN_NO"},      {20, 5, "NODEIN_STATION"},  {20, 6, "NODEIN_OFFSET"},
        {20, 7, "NODEIN_OFFLOC"},  {20, 8, "NODEIN_TOPELE"},   {20, 9, "NODEIN_SHAPING"},
        {21, 4, "NODEOUT_NO"},     {21, 5, "NODEOUT_STATION"}, {21, 6, "NODEOUT_OFFSET"},
        {21, 7, "NODEOUT_OFFLOC"}, {21, 8, "NODEOUT_TOPELE"},  {25, 9, "PIPE_STORM_FREQ"},
        {26, 3, "STRUCTURE_AREA"}, {26, 6, "STRUCTURE_CA"},    {30, 8, "LATERAL_DISCHARGE"},
        {31, 8, "ACCUMULATED_TC"}, {32, 8, "PIPE_DISCHARGE"},  {36, 3, "CAPACITY"},
        {36, 6, "PIPE_FLOWDEPTH"}, {36, 9, "CRITICAL_DEPTH"},  {37, 3, "PIPE_AREAFLOW"},
        {37, 6, "PIPE_VELOCITY"},  {37, 9, "FLOW_TIME"},       {38, 3, "PIPE_WP"},
        {38, 6, "FROUDE_NO"},      {39, 3, "HYD_RADIUS"},      {39, 6, "FLOW_TYPE"},
        {29, 2, "PRENODE1"},       {30, 3, "PRECA2"},          {31, 4, "PRETC3"},
        {32, 5, "PREFLOWTIME4"},   {32, 2, "PRENODE4"},
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
