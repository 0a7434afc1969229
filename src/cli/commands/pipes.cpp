// pelvane pipes: the pipe network grid of a project as a table, or as JSON.

#include <algorithm>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/json_output.h"
#include "cli/project_session.h"
#include "forms/pipe_grid_rows.h"

namespace {

using namespace pelvane;

// Columns padded to their widest text, two blanks apart; quantities right-aligned.
void print_table(std::ostream& out, const std::vector<std::string>& headings,
                 const std::vector<forms::GridRow>& rows, const std::vector<bool>& right) {
    std::vector<std::size_t> widths;
    for (const auto& h : headings) widths.push_back(h.size());
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    }
    const auto print_row = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string pad(widths[i] - cells[i].size(), ' ');
            line += right[i] ? pad + cells[i] : cells[i] + pad;
            line += "  ";
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    };
    print_row(headings);
    for (const auto& row : rows) print_row(row);
}

int run_pipes(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--json", "--all-columns"});
    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Inspect);
    const bool legacy = session.context().legacy_database_mode;
    const store::Database& db = session.database();

    std::vector<std::string> headings;
    std::vector<forms::GridRow> rows;
    std::vector<bool> right;
    if (args.flag("--all-columns")) {
        auto list = forms::read_all_columns(db);
        headings = std::move(list.columns);
        rows = std::move(list.rows);
        right.assign(headings.size(), false);
    } else {
        for (const auto& c : forms::grid_columns(legacy)) {
            headings.emplace_back(c.heading);
            right.push_back(c.quantity);
        }
        rows = forms::read_grid_rows(db, legacy);
    }

    if (args.flag("--json")) {
        cli::JsonObject list = cli::JsonObject::array();
        for (const auto& row : rows) {
            cli::JsonObject pipe = cli::JsonObject::object();
            for (std::size_t i = 0; i < headings.size(); ++i) pipe[headings[i]] = row[i];
            list.push_back(std::move(pipe));
        }
        command.out << cli::json_text(list) << "\n";
    } else {
        print_table(command.out, headings, rows, right);
    }
    return 0;
}

PELVANE_COMMAND({"pipes",
                 "FILE.pvd [--json] [--all-columns]",
                 "list the pipes as the pipe network grid shows them (every PIPE column with "
                 "--all-columns)",
                 {"--json", "--all-columns"},
                 run_pipes});

}  // namespace
