#include "forms/pipe_grid_rows.h"

#include "store/pipe_table.h"

namespace pelvane::forms {

std::span<const GridColumn> grid_columns(bool legacy) {
    return std::span<const GridColumn>(kGridColumns).first(legacy ? 16 : 17);
}

std::vector<GridRow> read_grid_rows(const store::Database& db, bool legacy) {
    const auto columns = grid_columns(legacy);
    std::vector<GridRow> rows;
    for (const store::PipeRecord& pipe : store::PipeTable(db).all_by_number()) {
        GridRow row;
        row.reserve(columns.size());
        for (const GridColumn& c : columns) row.push_back(pipe.get(c.column));
        rows.push_back(std::move(row));
    }
    return rows;
}

PipeColumnsList read_all_columns(const store::Database& db) {
    const store::PipeTable pipes(db);
    PipeColumnsList list{pipes.columns(), {}};
    for (const store::PipeRecord& pipe : pipes.all_by_number()) {
        GridRow row;
        row.reserve(list.columns.size());
        for (const auto& column : list.columns) row.push_back(pipe.get(column));
        list.rows.push_back(std::move(row));
    }
    return list;
}

}  // namespace pelvane::forms
