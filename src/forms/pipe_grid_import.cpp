#include "forms/pipe_grid_import.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

#include "core/hydrology/idf_csv.h"
#include "core/network/cycles.h"
#include "forms/idf_problems.h"
#include "forms/pipe_form.h"
#include "forms/pipe_grid_csv.h"
#include "forms/pipe_grid_rows.h"
#include "forms/pipe_import_checks.h"
#include "forms/pipe_rules.h"
#include "forms/project_history.h"
#include "store/pipe_table.h"

namespace pelvane::forms {
namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool known_pipe_column(const std::string& column) {
    return std::ranges::find(store::kPipeColumns, column, &store::Column::name) !=
           store::kPipeColumns.end();
}

std::string problem_list(const std::vector<ImportProblem>& problems) {
    std::string out;
    for (const ImportProblem& p : problems) out += (out.empty() ? "" : "\n") + p.text();
    return out;
}

// The header's column names, upper case; a name that is no PIPE column, or one
// named twice, refuses the file.
std::vector<store::Column> header_columns(const hydrology::CsvLine& header) {
    std::vector<store::Column> columns;
    std::set<std::string> seen;
    for (const std::string& cell : header.cells) {
        std::string column = upper(cell);
        if (!known_pipe_column(column)) {
            throw ImportError(header.number, "\"" + cell + "\" is not a column of the PIPE table");
        }
        if (!seen.insert(column).second) {
            throw ImportError(header.number, "the column " + column + " is named twice");
        }
        columns.push_back(store::Column::named(column));
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

// The row as a record of the project, or the problems that stop it.
std::optional<store::PipeRecord> record_of(const hydrology::CsvLine& row,
                                           const std::vector<store::Column>& columns,
                                           const store::PipeTable& pipes,
                                           const std::string& project_id,
                                           std::vector<ImportProblem>& problems) {
    if (row.cells.size() != columns.size()) {
        problems.push_back({row.number, "",
                            std::to_string(row.cells.size()) + " values for " +
                                std::to_string(columns.size()) + " columns"});
        return std::nullopt;
    }
    store::PipeRecord record;
    bool refused = false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const store::Column column = columns[i];
        if (!pipes.has_column(column)) {
            // Older project files lack a few columns; losing a value silently is worse
            // than refusing it.
            if (!row.cells[i].empty()) {
                const std::string name(column.name());
                problems.push_back(
                    {row.number, name, "this project's PIPE table has no column " + name});
                refused = true;
            }
            continue;
        }
        record.set(column, row.cells[i]);
    }
    if (refused) return std::nullopt;
    record.set("PROJECT_ID", project_id);
    return record;
}

// The saved pipe with the row's values, or nothing when they are its own. Its
// section results are cleared, and its slope when the length or an invert changes
// without one.
std::optional<store::PipeRecord> changed_pipe(const store::PipeTable& pipes,
                                              const store::PipeRecord& saved,
                                              const store::PipeRecord& given) {
    store::PipeRecord pipe = saved;
    bool changed = false;
    for (const auto& [column, text] : given.texts()) {
        changed = changed || (column.name() != "PROJECT_ID" && text != saved.get(column));
        pipe.set(column, text);
    }
    if (!changed) return std::nullopt;
    const auto differs = [&](store::Column c) {
        return given.holds(c) && given.get(c) != saved.get(c);
    };
    if (!given.holds("PIPE_SLOPE") &&
        (differs("PIPE_LENGTH") || differs("PIPE_ELEIN") || differs("PIPE_ELEOUT"))) {
        pipe.set("PIPE_SLOPE", "");
    }
    for (const store::Column column : result_columns()) {
        if (pipes.has_column(column)) pipe.set(column, "");
    }
    return pipe;
}

// Previous pipes that are no pipe of the project, and loops through node or
// previous-pipe links, once every row is in.
void check_network(const store::PipeTable& pipes, const std::vector<ImportedPipe>& added,
                   bool legacy, std::vector<ImportProblem>& problems) {
    const std::vector<store::Column> previous = previous_pipe_columns(legacy);
    std::vector<store::Column> columns{"PIPE_NUMBER", "NODEIN_NO", "NODEOUT_NO"};
    columns.insert(columns.end(), previous.begin(), previous.end());
    std::vector<network::PipeLinks> links;
    std::vector<network::PipeEnds> ends;
    for (auto& row : pipes.texts_in_table_order(columns)) {
        network::PipeLinks pipe{row[0], {}};
        std::move(row.begin() + 3, row.end(), pipe.previous.begin());
        links.push_back(std::move(pipe));
        ends.push_back({row[1], row[2]});
    }
    const network::PipeNetwork network(std::move(links), legacy);
    // The pipe window offers only saved pipes as previous pipes; a list may name
    // them in any order, so this waits until every row is in.
    for (const ImportedPipe& pipe : added) {
        for (const store::Column column : previous) {
            const std::string& named = pipe.record.get(column);
            if (!named.empty() && !network.find(named)) {
                problems.push_back(
                    {pipe.line, std::string(column.name()),
                     "the previous pipe " + named + " is not a pipe of the project"});
            }
        }
    }
    const std::vector<std::string> loop = network::find_cycle(network, ends);
    if (loop.empty()) return;
    std::string names;
    for (const std::string& number : loop) names += (names.empty() ? "" : ", ") + number;
    // Named at the first row of the list that takes part in it.
    int line = 0;
    for (const ImportedPipe& pipe : added) {
        if (std::find(loop.begin(), loop.end(), pipe.record.get("PIPE_NUMBER")) != loop.end()) {
            line = pipe.line;
            break;
        }
    }
    problems.push_back({line, "",
                        "the pipes " + names +
                            " form a loop: each drains into the next and the last into the first"});
}

}  // namespace

std::string ImportProblem::text() const {
    std::string where = line > 0 ? "line " + std::to_string(line) : "";
    if (!column.empty()) where += (where.empty() ? "" : ", ") + column;
    return where.empty() ? message : where + ": " + message;
}

ImportError::ImportError(std::vector<ImportProblem> problems)
    : std::runtime_error(problem_list(problems)), problems_(std::move(problems)) {}

int import_pipes(const store::ProjectContext& context, std::string_view csv_text, ImportMode mode) {
    return import_pipes(context, csv_text, mode, SavedPipes::Refuse, step_names::kImportPipes)
        .added;
}

ImportCount import_pipes(const store::ProjectContext& context, std::string_view csv_text,
                         ImportMode mode, SavedPipes saved, std::string_view step_name) {
    std::vector<hydrology::CsvLine> records;
    try {
        records = hydrology::read_csv(csv_text, list_separator(csv_text));
    } catch (const hydrology::CsvError& e) {
        throw ImportError(e.line(), csv_problem_text(e.problem()));
    }
    // Blank lines carry nothing.
    std::erase_if(records, [](const hydrology::CsvLine& line) { return line.cells.empty(); });
    if (records.empty()) throw ImportError(1, "the file has no header line");
    const std::vector<store::Column> columns = header_columns(records.front());

    const store::Database& db = context.project_connection;
    const store::PipeTable pipes(db);
    const bool legacy = context.legacy_database_mode;
    std::vector<ImportedPipe> written;
    ImportCount count;
    std::set<std::string> listed;
    std::vector<ImportProblem> problems;
    const CommandStep step(db, step_name);
    store::Transaction transaction(db);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const hydrology::CsvLine& row = records[r];
        auto record = record_of(row, columns, pipes, context.project_id, problems);
        if (!record) continue;
        const std::string number = record->get("PIPE_NUMBER");
        std::optional<store::PipeRecord> before;
        if (saved == SavedPipes::Update && !number.empty()) {
            if (!listed.insert(number).second) {
                problems.push_back(
                    {row.number, "PIPE_NUMBER", "the pipe " + number + " is named twice"});
                continue;
            }
            before = pipes.find(number);
            if (before) {
                record = changed_pipe(pipes, *before, *record);
                if (!record) continue;
            }
        }
        const auto refused_values = check_pipe_values(*record, context.units, legacy);
        for (const ColumnProblem& p : refused_values) {
            problems.push_back({row.number, p.column, p.message});
        }
        if (!refused_values.empty()) continue;
        const auto refused = before ? check_changed_pipe(pipes, *record, *before, legacy)
                                    : check_new_pipe(pipes, *record, legacy);
        if (refused) {
            problems.push_back({row.number, refused->column, refused->refusal.message});
            continue;
        }
        if (!before) {
            pipes.insert(*record);
            ++count.added;
        } else if (pipes.update(number, *record)) {
            ++count.updated;
        }
        written.push_back({row.number, std::move(*record)});
    }
    check_network(pipes, written, legacy, problems);
    if (!problems.empty()) {
        std::stable_sort(problems.begin(), problems.end(),
                         [](const auto& a, const auto& b) { return a.line < b.line; });
        throw ImportError(std::move(problems));
    }
    if (mode == ImportMode::Write) transaction.commit();
    return count;
}

void export_pipes(const store::Database& db, std::ostream& out) {
    const PipeColumnsList list = read_all_columns(db);
    out << csv_line(list.columns);
    for (const GridRow& row : list.rows) out << csv_line(row);
}

}  // namespace pelvane::forms
