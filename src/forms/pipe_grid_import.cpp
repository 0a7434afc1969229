#include "forms/pipe_grid_import.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

#include "core/hydrology/idf_csv.h"
#include "forms/pipe_grid_csv.h"
#include "forms/pipe_grid_rows.h"
#include "forms/pipe_rules.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool known_pipe_column(const std::string& column) {
    return std::find(store::kPipeColumns.begin(), store::kPipeColumns.end(), column) !=
           store::kPipeColumns.end();
}

// The header's column names, upper case; a name that is no PIPE column, or one
// named twice, refuses the file.
std::vector<std::string> header_columns(const hydrology::CsvLine& header) {
    std::vector<std::string> columns;
    std::set<std::string> seen;
    for (const std::string& cell : header.cells) {
        std::string column = upper(cell);
        if (!known_pipe_column(column)) {
            throw ImportError(header.number, "\"" + cell + "\" is not a column of the PIPE table");
        }
        if (!seen.insert(column).second) {
            throw ImportError(header.number, "the column " + column + " is named twice");
        }
        columns.push_back(std::move(column));
    }
    if (!seen.count("PIPE_NUMBER")) {
        throw ImportError(header.number, "the header must name the PIPE_NUMBER column");
    }
    return columns;
}

struct ImportedPipe {
    int line = 0;
    store::PipeRecord record;
};

store::PipeRecord record_of(const hydrology::CsvLine& row, const std::vector<std::string>& columns,
                            const store::PipeTable& pipes, const std::string& project_id) {
    if (row.cells.size() != columns.size()) {
        throw ImportError(row.number, std::to_string(row.cells.size()) + " values for " +
                                          std::to_string(columns.size()) + " columns");
    }
    store::PipeRecord record;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string& column = columns[i];
        if (!pipes.has_column(column)) {
            // Older project files lack a few columns; losing a value silently is worse
            // than refusing it.
            if (!row.cells[i].empty()) {
                throw ImportError(row.number, "this project's PIPE table has no column " + column);
            }
            continue;
        }
        record.set(column, row.cells[i]);
    }
    record.set("PROJECT_ID", project_id);
    return record;
}

}  // namespace

int import_pipes(const store::ProjectContext& context, std::string_view csv_text) {
    std::vector<hydrology::CsvLine> records = hydrology::read_csv(csv_text);
    // Blank lines carry nothing.
    std::erase_if(records, [](const hydrology::CsvLine& line) { return line.cells.empty(); });
    if (records.empty()) throw ImportError(1, "the file has no header line");
    const std::vector<std::string> columns = header_columns(records.front());

    const store::Database& db = context.project_connection;
    const store::PipeTable pipes(db);
    const bool legacy = context.legacy_database_mode;
    std::vector<ImportedPipe> added;
    store::Transaction transaction(db);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const hydrology::CsvLine& row = records[r];
        store::PipeRecord record = record_of(row, columns, pipes, context.project_id);
        if (const auto refused = check_new_pipe(pipes, record, legacy)) {
            throw ImportError(row.number, refused->message);
        }
        pipes.insert(record);
        added.push_back({row.number, std::move(record)});
    }
    // The pipe window offers only saved pipes as previous pipes; a list may name
    // them in any order, so this waits until every row is in.
    for (const ImportedPipe& pipe : added) {
        for (const std::string& column : previous_pipe_columns(legacy)) {
            const std::string& previous = pipe.record.get(column);
            if (!previous.empty() && !pipes.exists(previous)) {
                throw ImportError(
                    pipe.line, "the previous pipe " + previous + " is not a pipe of the project");
            }
        }
    }
    transaction.commit();
    return static_cast<int>(added.size());
}

void export_pipes(const store::Database& db, std::ostream& out) {
    const PipeColumnsList list = read_all_columns(db);
    out << csv_line(list.columns);
    for (const GridRow& row : list.rows) out << csv_line(row);
}

}  // namespace pelvane::forms
