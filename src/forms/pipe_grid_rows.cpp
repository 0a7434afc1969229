#include "forms/pipe_grid_rows.h"

#include "store/pipe_table.h"

namespace pelvane::forms {

std::span<const GridColumn> grid_columns(bool legacy) {
    return std::span<const GridColumn>(kGridColumns).first(legacy ? 16 : 17);
}

std::vector<GridRow> read_grid_rows(const store::Database& db, bool legacy) {
    std::vector<std::string_view> columns;
    for (const GridColumn& c : grid_columns(legacy)) columns.push_back(c.column);
    return store::PipeTable(db).texts_by_number(columns);
}

PipeColumnsList read_all_columns(const store::Database& db) {
    const store::PipeTable pipes(db);
    const std::vector<std::string_view> columns(pipes.columns().begin(), pipes.columns().end());
    return {pipes.columns(), pipes.texts_by_number(columns)};
}

}  // namespace pelvane::forms
