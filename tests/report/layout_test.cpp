// The cells of the report layouts: LD-229, LD-347 and the pipe report.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "report/ld229_layout.h"
#include "report/ld347_layout.h"
#include "report/pipe_report_layout.h"
#include "report/report_writer.h"
#include "store/pipe_table.h"
#include "store/project_database.h"
#include "support/report_projects.h"
#include "support/temp_folder.h"

namespace pelvane::report {
namespace {

using Kind = LayoutCell::Kind;

// The text of a text or entry cell; "<none>" when the layout leaves the cell alone,
// "<number>" for a number.
std::string text_at(const CellLayout& cells, int row, int column) {
    const LayoutCell* cell = find_cell(cells, row, column);
    if (cell == nullptr) return "<none>";
    if (cell->kind == LayoutCell::Kind::Number) return "<number>";
    return cell->text;
}

LayoutCell::Kind kind_at(const CellLayout& cells, int row, int column) {
    const LayoutCell* cell = find_cell(cells, row, column);
    EXPECT_NE(cell, nullptr) << "no cell at " << row << "," << column;
    return cell ? cell->kind : LayoutCell::Kind::Text;
}

// The number of a number cell; NaN (failing the comparison) otherwise.
double number_at(const CellLayout& cells, int row, int column) {
    const LayoutCell* cell = find_cell(cells, row, column);
    EXPECT_TRUE(cell != nullptr && cell->kind == LayoutCell::Kind::Number)
        << "no number at " << row << "," << column;
    return cell && cell->kind == LayoutCell::Kind::Number ? cell->number : std::nan("");
}

store::ProjectContext english_project() {
    store::ProjectContext project;
    project.project_name = "O'Brien Road";
    project.designer = "K. Lee";
    project.location = "Route 29";
    project.county = "Pulaski";
    project.noaa_station = "Pulaski 2 NE";
    project.units = "ENGLISH";
    return project;
}

// Three decimals and rises in inches, as the grid leaves them in an English project.
CellLayout english_layout(const store::ProjectContext& project,
                          std::span<const store::PipeRecord> pipes) {
    return ld229_layout(project, pipes, "0.000", 12.0);
}

struct ColumnText {
    store::Column column;
    const char* text;
};

store::PipeRecord pipe(std::string number, std::initializer_list<ColumnText> values = {}) {
    store::PipeRecord r;
    r.set("PIPE_NUMBER", std::move(number));
    r.set("PIPE_SHAPE", "Circular");
    r.set("PIPE_DIA", "18");
    for (const auto& [column, text] : values) r.set(column, text);
    return r;
}

TEST(Ld229Layout, TheCountyShowsWhenTheProjectHasNoStation) {
    auto project = english_project();
    project.noaa_station.clear();
    const CellLayout cells = english_layout(project, {});
    EXPECT_EQ(text_at(cells, 3, 13), "Pulaski");
    EXPECT_EQ(text_at(cells, 4, 3), "<none>");  // no pipe, no frequency
}

TEST(Ld229Layout, StoredValuesAreWrittenAsStoredOnePipePerRow) {
    const std::vector<store::PipeRecord> pipes{
        pipe("10", {{"NODEIN_NO", "O'Brien 2"},
                    {"NODEIN_STATION", "10+50"},
                    {"NODEOUT_NO", "1"},
                    {"STRUCTURE_AREA", "1.30"},
                    {"PIPE_SLOPE", "0.00500"},
                    {"PIPE_DISCHARGE", "12.345"},
                    {"ENERGY", "1.234"}}),
        pipe("9", {{"PIPE_SHAPE", "Box"}, {"SPAN", "48"}, {"RISE", "24"}, {"NUMOFPIPES", "2"}}),
    };
    const CellLayout cells = english_layout(english_project(), pipes);
    EXPECT_EQ(text_at(cells, 12, 1), "10");
    EXPECT_EQ(kind_at(cells, 12, 3), Kind::Text);  // a station is a name, never a number
    EXPECT_EQ(text_at(cells, 12, 3), "10+50");
    EXPECT_EQ(text_at(cells, 12, 6), "1.30");
    EXPECT_EQ(kind_at(cells, 12, 6), Kind::Entry);
    EXPECT_EQ(text_at(cells, 12, 18), "18");
    EXPECT_EQ(text_at(cells, 12, 5), "<none>");  // empty in the record: the form's cell stays

    EXPECT_EQ(text_at(cells, 13, 18), "48 X 24");
    EXPECT_EQ(text_at(cells, 13, 19), "24");
    EXPECT_EQ(text_at(cells, 13, 20), "2");
    EXPECT_EQ(find_cell(cells, 14, 1), nullptr);
}

TEST(Ld229Layout, RunoffCoefficientIsCaOverAreaRoundedWithTheNumberFormat) {
    auto project = english_project();
    const std::vector<store::PipeRecord> pipes{
        pipe("1", {{"STRUCTURE_AREA", "1.30"}, {"STRUCTURE_CA", "0.85"}}),
        pipe("2", {{"STRUCTURE_AREA", "1.30"}, {"STRUCTURE_CA", ""}}),
        pipe("3", {{"STRUCTURE_AREA", "1.30"}, {"STRUCTURE_CA", "0.0"}}),
        pipe("4", {{"STRUCTURE_AREA", "0.0"}, {"STRUCTURE_CA", "0.5"}}),  // nothing to divide by
    };
    CellLayout cells = english_layout(project, pipes);
    EXPECT_DOUBLE_EQ(number_at(cells, 12, 7), 0.654);  // 0.6538...
    EXPECT_EQ(text_at(cells, 13, 7), "<none>");
    EXPECT_EQ(text_at(cells, 15, 7), "<none>");

    cells = ld229_layout(project, pipes, "0.0000", 12.0);
    EXPECT_DOUBLE_EQ(number_at(cells, 12, 7), 0.6538);
}

TEST(Ld229Layout, FlowTimeInMinutesAndTheTimeAtTheLowerStructure) {
    const std::vector<store::PipeRecord> pipes{
        pipe("1", {{"FLOW_TIME", "100.000"}, {"ACCUMULATED_TC", "5.2"}}),
        pipe("2", {{"ACCUMULATED_TC", "7.5"}}),  // not solved: no flow time
        pipe("3", {{"FLOW_TIME", "30"}}),
    };
    const CellLayout cells = english_layout(english_project(), pipes);
    // 1.6667 min is shown as 1.667, and that shown value is what is added.
    EXPECT_DOUBLE_EQ(number_at(cells, 12, 28), 1.667);
    EXPECT_DOUBLE_EQ(number_at(cells, 12, 29), 5.2 + 1.667);
    EXPECT_EQ(text_at(cells, 13, 28), "<none>");
    EXPECT_DOUBLE_EQ(number_at(cells, 13, 29), 7.5);
    EXPECT_DOUBLE_EQ(number_at(cells, 14, 29), 0.5);  // an empty time counts 0
}

TEST(Ld229Layout, PressureFlowWhenTheDepthReachesTheRise) {
    auto project = english_project();
    const std::vector<store::PipeRecord> pipes{
        pipe("1", {{"PIPE_FLOWDEPTH", "1.500"}}),  // equals 18 in
        pipe("2", {{"PIPE_FLOWDEPTH", "1.499"}}),
        pipe("3",
             {{"PIPE_SHAPE", "Box"}, {"SPAN", "48"}, {"RISE", "24"}, {"PIPE_FLOWDEPTH", "2.000"}}),
        pipe("4", {{"PIPE_FLOWDEPTH", ""}}),  // not solved
    };
    CellLayout cells = english_layout(project, pipes);
    EXPECT_EQ(text_at(cells, 12, 30), "Pressure Flow");
    EXPECT_EQ(text_at(cells, 13, 30), "<none>");
    EXPECT_EQ(text_at(cells, 14, 30), "Pressure Flow");
    EXPECT_EQ(text_at(cells, 15, 30), "<none>");

    // Metric: 450 mm against a depth in metres.
    const std::vector<store::PipeRecord> metric{
        pipe("1", {{"PIPE_DIA", "450"}, {"PIPE_FLOWDEPTH", "0.450"}}),
        pipe("2", {{"PIPE_DIA", "450"}, {"PIPE_FLOWDEPTH", "0.449"}})};
    cells = ld229_layout(project, metric, "0.000", 1000.0);
    EXPECT_EQ(text_at(cells, 12, 30), "Pressure Flow");
    EXPECT_EQ(text_at(cells, 13, 30), "<none>");
}

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
    EXPECT_EQ(text_at(cells, 4, 4), "25");
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
