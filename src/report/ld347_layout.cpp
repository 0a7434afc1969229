#include "report/ld347_layout.h"

#include <variant>

namespace pelvane::report {
namespace {

// Fields whose texts are names or words, never quantities: the structure, its
// station, the pipe size ("36 X 24"), the shaping and the check.
bool is_word_field(int field) {
    return field == 1 || field == 2 || field == 6 || field == 22 || field == 27;
}

void add_row(CellLayout& cells, const hgl::HglRow& row) {
    for (int field = 1; field <= hgl::kHglFieldCount; ++field) {
        const hgl::HglCell& cell = row.field(field);
        if (const double* value = std::get_if<double>(&cell)) {
            add_number(cells, row.row, field, *value);
        } else if (const std::string* text = std::get_if<std::string>(&cell)) {
            if (is_word_field(field)) {
                add_text(cells, row.row, field, *text);
            } else {
                add_entry(cells, row.row, field, *text);
            }
        }
    }
}

}  // namespace

SheetCells ld347_sheet(const store::ProjectContext& project, const hgl::HglResult& result) {
    SheetCells sheet;
    add_text(sheet.cells, 1, 9, project.project_name);
    add_text(sheet.cells, 1, 26, project.designer);
    add_text(sheet.cells, 4, 4, result.storm_frequency);
    sheet.rows = [&result](const RowSink& sink) {
        CellLayout cells;
        for (const hgl::HglRow& row : result.rows) {
            cells.clear();
            add_row(cells, row);
            sink(cells);
        }
    };
    return sheet;
}

CellLayout ld347_layout(const store::ProjectContext& project, const hgl::HglResult& result) {
    return collect(ld347_sheet(project, result));
}

}  // namespace pelvane::report
