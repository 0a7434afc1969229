#include "report/pipe_report_layout.h"

#include <array>
#include <span>
#include <string>

namespace pelvane::report {
namespace {

struct Placed {
    int row;
    int column;
    store::Column name;
};

// Pipe data, structures, storm frequency, area and C x A, in writing order.
// clang-format off
constexpr std::array kPipeCells = std::to_array<Placed>({
    {11, 3, "PIPE_NUMBER"},
    {12, 3, "PIPE_LENGTH"}, {12, 6, "PIPE_SHAPE"}, {12, 9, "PIPE_MAT"},
    {13, 3, "PIPE_ELEIN"},  {13, 6, "PIPE_DIA"},   {13, 9, "PIPE_MANN"},
    {14, 3, "PIPE_ELEOUT"}, {14, 6, "SPAN"},       {14, 9, "NUMOFPIPES"},
    {15, 3, "PIPE_SLOPE"},  {15, 6, "RISE"},
    {20, 4, "NODEIN_NO"},  {20, 5, "NODEIN_STATION"},  {20, 6, "NODEIN_OFFSET"},
    {20, 7, "NODEIN_OFFLOC"},  {20, 8, "NODEIN_TOPELE"},  {20, 9, "NODEIN_SHAPING"},
    {21, 4, "NODEOUT_NO"}, {21, 5, "NODEOUT_STATION"}, {21, 6, "NODEOUT_OFFSET"},
    {21, 7, "NODEOUT_OFFLOC"}, {21, 8, "NODEOUT_TOPELE"},
    {25, 9, "PIPE_STORM_FREQ"}, {26, 3, "STRUCTURE_AREA"}, {26, 6, "STRUCTURE_CA"},
});

// Discharge column H, then the hydraulic results.
constexpr std::array kResultCells = std::to_array<Placed>({
    {30, 8, "LATERAL_DISCHARGE"}, {31, 8, "ACCUMULATED_TC"}, {32, 8, "PIPE_DISCHARGE"},
    {36, 3, "CAPACITY"},      {36, 6, "PIPE_FLOWDEPTH"}, {36, 9, "CRITICAL_DEPTH"},
    {37, 3, "PIPE_AREAFLOW"}, {37, 6, "PIPE_VELOCITY"},  {37, 9, "FLOW_TIME"},
    {38, 3, "PIPE_WP"},       {38, 6, "FROUDE_NO"},
    {39, 3, "HYD_RADIUS"},    {39, 6, "FLOW_TYPE"},
});
// clang-format on

constexpr int kFirstPreviousRow = 29;

void add_placed(CellLayout& cells, const store::PipeRecord& pipe, std::span<const Placed> placed) {
    for (const Placed& p : placed) add_text(cells, p.row, p.column, pipe.get(p.name));
}

}  // namespace

CellLayout pipe_report_layout(const store::ProjectContext& project, const store::PipeRecord& pipe,
                              std::string_view today) {
    CellLayout cells;
    add_text(cells, 1, 9, project.units);
    add_text(cells, 2, 9, std::string(today));
    add_text(cells, 3, 9, project.designer);
    add_text(cells, 6, 3, project.project_name);
    add_text(cells, 7, 3, project.county);
    add_text(cells, 8, 3, project.noaa_station);
    add_text(cells, 7, 8, project.state);
    add_placed(cells, pipe, kPipeCells);

    const int previous_pipes = project.legacy_database_mode ? 3 : 4;
    for (int k = 1; k <= previous_pipes; ++k) {
        const int row = kFirstPreviousRow + k - 1;
        add_text(cells, row, 2, pipe.get(store::previous_pipe_column(k)));
        add_text(cells, row, 3, pipe.get(store::previous_ca_column(k)));
        add_text(cells, row, 4, pipe.get(store::previous_tc_column(k)));
        add_text(cells, row, 5, pipe.get(store::previous_flow_time_column(k)));
    }
    add_placed(cells, pipe, kResultCells);
    return cells;
}

}  // namespace pelvane::report
