#include "report/ld229_layout.h"

#include <optional>
#include <string_view>

#include "core/text/number_text.h"

namespace pelvane::report {
namespace {

// A stored text read as a number; empty and non-numbers give nothing.
std::optional<double> stored_number(std::string_view text) {
    const text::ParsedNumber parsed = text::parse_number(text);
    if (!parsed.ok()) return std::nullopt;
    return parsed.value;
}

// A stored text read as a cell would be read back: empty is 0, a number its value,
// anything else nothing.
std::optional<double> cell_reading(std::string_view text) {
    const text::ParsedNumber parsed = text::parse_number(text);
    if (parsed.empty()) return 0.0;
    if (!parsed.ok()) return std::nullopt;
    return parsed.value;
}

bool is_circular(const store::PipeRecord& pipe) {
    return pipe.get("PIPE_SHAPE") == "Circular";
}

std::string size_text(const store::PipeRecord& pipe) {
    if (is_circular(pipe)) return pipe.get("PIPE_DIA");
    return pipe.get("SPAN") + " X " + pipe.get("RISE");
}

const std::string& rise_text(const store::PipeRecord& pipe) {
    return is_circular(pipe) ? pipe.get("PIPE_DIA") : pipe.get("RISE");
}

void add_header(CellLayout& cells, const store::ProjectContext& project,
                const store::PipeRecord* first_pipe) {
    if (first_pipe != nullptr) add_text(cells, 4, 3, first_pipe->get("PIPE_STORM_FREQ"));
    add_text(cells, 1, 13, project.project_name);
    add_text(cells, 1, 25, project.designer);
    add_text(cells, 2, 13, project.location);
    add_text(cells, 3, 13, ld229_county_or_station(project));
    add_text(cells, 5, 25, project.units);
}

void add_pipe_row(CellLayout& cells, int row, const store::PipeRecord& pipe, int decimals,
                  double divisor) {
    const auto entry = [&](int column, store::Column name) {
        add_entry(cells, row, column, pipe.get(name));
    };

    add_text(cells, row, 1, pipe.get("PIPE_NUMBER"));
    add_text(cells, row, 2, pipe.get("NODEIN_NO"));
    add_text(cells, row, 3, pipe.get("NODEIN_STATION"));
    add_text(cells, row, 4, pipe.get("NODEOUT_NO"));
    add_text(cells, row, 5, pipe.get("NODEOUT_STATION"));
    entry(6, "STRUCTURE_AREA");
    entry(8, "STRUCTURE_CA");
    const auto ca = stored_number(pipe.get("STRUCTURE_CA"));
    const auto area = stored_number(pipe.get("STRUCTURE_AREA"));
    if (ca && *ca > 0.0 && area && *area != 0.0) {
        add_number(cells, row, 7, text::round_half_away(*ca / *area, decimals));
    }
    entry(9, "ACCUMULATED_CA");
    entry(10, "ACCUMULATED_TC");
    entry(11, "PIPE_I");
    entry(12, "LATERAL_DISCHARGE");
    entry(13, "PIPE_DISCHARGE");
    entry(14, "PIPE_ELEIN");
    entry(15, "PIPE_ELEOUT");
    entry(16, "PIPE_LENGTH");
    entry(17, "PIPE_SLOPE");
    add_text(cells, row, 18, size_text(pipe));
    add_entry(cells, row, 19, rise_text(pipe));
    entry(20, "NUMOFPIPES");
    entry(21, "CAPACITY");
    entry(22, "FRICTION_SLOPE");
    entry(23, "PIPE_FLOWDEPTH");
    entry(24, "PIPE_AREAFLOW");
    entry(25, "HYD_RADIUS");
    entry(26, "PIPE_VELOCITY");
    entry(27, "ENERGY");

    // Flow time in minutes, rounded as the form shows it; the time at the lower
    // structure adds exactly that shown value.
    std::optional<double> minutes;
    if (const auto seconds = stored_number(pipe.get("FLOW_TIME"))) {
        minutes = text::round_half_away(*seconds / 60.0, decimals);
        add_number(cells, row, 28, *minutes);
    }
    if (const auto tc = cell_reading(pipe.get("ACCUMULATED_TC"))) {
        add_number(cells, row, 29, *tc + minutes.value_or(0.0));
    }

    const auto depth = stored_number(pipe.get("PIPE_FLOWDEPTH"));
    const auto rise = stored_number(rise_text(pipe));
    if (depth && rise && divisor != 0.0 && !(*depth < *rise / divisor)) {
        add_text(cells, row, 30, kPressureFlowMark);
    }
}

}  // namespace

std::string ld229_county_or_station(const store::ProjectContext& project) {
    return project.noaa_station.empty() ? project.county : project.noaa_station;
}

CellLayout ld229_layout(const store::ProjectContext& project,
                        std::span<const store::PipeRecord> pipes, std::string_view number_format,
                        double unit_divisor) {
    const int decimals = text::pattern_decimals(number_format);
    CellLayout cells;
    cells.reserve(8 + pipes.size() * 30);
    add_header(cells, project, pipes.empty() ? nullptr : &pipes.front());
    int row = kLd229FirstPipeRow;
    for (const store::PipeRecord& pipe : pipes)
        add_pipe_row(cells, row++, pipe, decimals, unit_divisor);
    return cells;
}

const std::vector<store::Column>& ld229_columns() {
    static const std::vector<store::Column> columns{"PIPE_NUMBER",
                                                    "NODEIN_NO",
                                                    "NODEIN_STATION",
                                                    "NODEOUT_NO",
                                                    "NODEOUT_STATION",
                                                    "STRUCTURE_AREA",
                                                    "STRUCTURE_CA",
                                                    "ACCUMULATED_CA",
                                                    "ACCUMULATED_TC",
                                                    "PIPE_I",
                                                    "LATERAL_DISCHARGE",
                                                    "PIPE_DISCHARGE",
                                                    "PIPE_ELEIN",
                                                    "PIPE_ELEOUT",
                                                    "PIPE_LENGTH",
                                                    "PIPE_SLOPE",
                                                    "PIPE_SHAPE",
                                                    "PIPE_DIA",
                                                    "SPAN",
                                                    "RISE",
                                                    "NUMOFPIPES",
                                                    "CAPACITY",
                                                    "FRICTION_SLOPE",
                                                    "PIPE_FLOWDEPTH",
                                                    "PIPE_AREAFLOW",
                                                    "HYD_RADIUS",
                                                    "PIPE_VELOCITY",
                                                    "ENERGY",
                                                    "FLOW_TIME",
                                                    "PIPE_STORM_FREQ"};
    return columns;
}

SheetCells ld229_sheet(const store::ProjectContext& project, std::string_view number_format,
                       double unit_divisor) {
    const store::PipeTable table(project.project_connection);
    const auto first = table.first_by_number(ld229_columns());
    SheetCells sheet;
    add_header(sheet.cells, project, first ? &*first : nullptr);
    const int decimals = text::pattern_decimals(number_format);
    sheet.rows = [&project, decimals, unit_divisor](const RowSink& sink) {
        int row = kLd229FirstPipeRow;
        CellLayout cells;
        store::PipeTable(project.project_connection)
            .each_by_number(ld229_columns(), [&](const store::PipeRecord& pipe) {
                cells.clear();
                add_pipe_row(cells, row++, pipe, decimals, unit_divisor);
                sink(cells);
            });
    };
    return sheet;
}

}  // namespace pelvane::report
