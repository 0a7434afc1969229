#pragma once
// What the pipe network grid lists: one row per PIPE record, ordered by
// PIPE_NUMBER as text ("10" before "9"), in the grid's 17 columns (16 in legacy
// database mode, which has no fourth previous pipe). Values are shown as stored.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/units.h"
#include "store/columns.h"
#include "store/sqlite/database.h"

namespace pelvane::forms {

struct GridColumn {
    std::string_view heading;  // the grid's header text
    store::Column column;      // the PIPE column shown
    bool quantity = false;     // a length, size, elevation or discharge (shown right-aligned)
    // The unit the values are in, named by the project's units (none for a count).
    std::string_view UnitNames::*unit = nullptr;
};

// clang-format off
inline constexpr std::array<GridColumn, 17> kGridColumns = {{
    {"PIPE_ID", "PIPE_NUMBER"},
    {"NODE_IN", "NODEIN_NO"},
    {"NODE_OUT", "NODEOUT_NO"},
    {"LENGTH", "PIPE_LENGTH", true, &UnitNames::length},
    {"SHAPE", "PIPE_SHAPE"},
    {"NUMBER", "NUMOFPIPES", true},
    {"DIA", "PIPE_DIA", true, &UnitNames::size},
    {"SPAN", "SPAN", true, &UnitNames::size},
    {"RISE", "RISE", true, &UnitNames::size},
    {"ELEV_IN", "PIPE_ELEIN", true, &UnitNames::length},
    {"ELEV_OUT", "PIPE_ELEOUT", true, &UnitNames::length},
    {"MATERIAL", "PIPE_MAT"},
    {"DISCHARGE", "PIPE_DISCHARGE", true, &UnitNames::discharge},
    {"PRE_PIPE1", "PRENODE1"},
    {"PRE_PIPE2", "PRENODE2"},
    {"PRE_PIPE3", "PRENODE3"},
    {"PRE_PIPE4", "PRENODE4"},
}};
// clang-format on

// The grid's columns for a project: all 17, or the first 16 in legacy database mode.
std::span<const GridColumn> grid_columns(bool legacy);

// One grid row: the texts of the grid's columns, in column order.
using GridRow = std::vector<std::string>;

// The PIPE columns of the grid's columns, in order.
std::vector<store::Column> grid_store_columns(bool legacy);

// Reads the grid rows of the project's PIPE table. A column the file lacks reads as
// "".
std::vector<GridRow> read_grid_rows(const store::Database& db, bool legacy);

// Whether a pipe is unsolved: it keeps no result of a solve (`results` are its texts
// of the section result columns). An edit clears them until the next recompute, and a
// pipe never solved has none; a solve keeps at least its capacity or flow type.
bool unsolved(std::span<const std::string> results);

// Every PIPE column of every pipe: the columns the file's table has, in table
// order, and one row per pipe in the grid's order.
struct PipeColumnsList {
    std::vector<std::string> columns;
    std::vector<GridRow> rows;
};
PipeColumnsList read_all_columns(const store::Database& db);

}  // namespace pelvane::forms
