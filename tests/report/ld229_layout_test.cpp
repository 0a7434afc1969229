#include "report/ld229_layout.h"

#include <gtest/gtest.h>

#include "report/report_layout_cells.h"
#include "report/report_writer.h"
#include "store/project_database.h"
#include "support/report_projects.h"
#include "support/temp_folder.h"

namespace pelvane::report {
namespace {

using testing::kind_at;
using testing::number_at;
using testing::text_at;
using Kind = LayoutCell::Kind;

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

}  // namespace
}  // namespace pelvane::report
