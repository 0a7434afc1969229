#include "forms/pipe_grid_rows.h"

#include <algorithm>

#include "store/pipe_table.h"

namespace pelvane::forms {

std::span<const GridColumn> grid_columns(bool legacy) {
    return std::span<const GridColumn>(kGridColumns).first(legacy ? 16 : 17);
}

std::vector<store::Column> grid_store_columns(bool legacy) {
    std::vector<store::Column> columns;
    for (const GridColumn& c : grid_columns(legacy)) columns.push_back(c.column);
    return columns;
}

std::vector<GridRow> read_grid_rows(const store::Database& db, bool legacy) {
    return store::PipeTable(db).texts_by_number(grid_store_columns(legacy));
}

bool unsolved(std::span<const std::string> results) {
    return std::ranges::all_of(results, [](const std::string& text) {
        return text.find_first_not_of(' ') == std::string::npos;
    });
}

PipeColumnsList read_all_columns(const store::Database& db) {
    const store::PipeTable pipes(db);
    return {pipes.columns(), pipes.own_texts_by_number()};
}

}  // namespace pelvane::forms
