// pelvane hgl: the hydraulic grade line of a project from a structure upstream, as
// the HGL window's Compute HGL, printed and optionally written onto form LD-347.

#include <algorithm>
#include <optional>
#include <variant>

#include "cli/commands/report_command.h"
#include "cli/json_output.h"
#include "cli/option_values.h"
#include "cli/project_session.h"
#include "core/text/number_text.h"
#include "forms/hgl_form.h"
#include "forms/input_conventions.h"
#include "report/ld347_layout.h"
#include "report/report_writer.h"

namespace {

using namespace pelvane;

// A computed value as a JSON number (unrounded), a record text as the string
// stored, an empty cell as null.
cli::JsonObject cell_json(const hgl::HglCell& cell) {
    if (const double* value = std::get_if<double>(&cell)) return *value;
    if (const std::string* text = std::get_if<std::string>(&cell)) return *text;
    return nullptr;
}

std::string cell_text(const hgl::HglCell& cell) {
    if (const double* value = std::get_if<double>(&cell)) return text::shortest_text(*value);
    if (const std::string* text = std::get_if<std::string>(&cell)) return *text;
    return {};
}

cli::JsonObject rows_json(const hgl::HglResult& result) {
    cli::JsonObject rows = cli::JsonObject::array();
    for (const hgl::HglRow& row : result.rows) {
        cli::JsonObject fields = cli::JsonObject::array();
        for (const hgl::HglCell& cell : row.fields) fields.push_back(cell_json(cell));
        rows.push_back({{"row", row.row}, {"fields", std::move(fields)}});
    }
    cli::JsonObject out;
    out["rows"] = std::move(rows);
    out["storm_frequency"] = result.storm_frequency;
    return out;
}

void print_rows(std::ostream& out, const hgl::HglResult& result) {
    for (const hgl::HglRow& row : result.rows) {
        out << "row " << row.row << ":";
        for (const hgl::HglCell& cell : row.fields) out << "\t" << cell_text(cell);
        out << "\n";
    }
    out << "storm_frequency: " << result.storm_frequency << "\n";
}

int run_hgl(const cli::Args& args, cli::CommandContext& command) {
    args.allow_only({"--outfall", "--tailwater", "-o", "--pdf", "--json"});
    const auto [outfall, typed] = cli::grade_line_options(args);
    if (args.flag("--pdf") && !args.option("-o")) {
        throw cli::CommandError("--pdf needs -o OUT.xlsx", 2);
    }
    // As the window's field holds it once the person has left it.
    const std::string tailwater = forms::format_on_leave(typed, forms::kTailwaterPattern);

    cli::ProjectSession session(command, cli::project_file_argument(args), store::Access::Compute);
    store::ProjectContext& context = session.context();
    // The pipes are let go before the workbook is written: a large network holds
    // both only while the grade line is computed.
    const forms::GradeLineReport made = [&context, &tailwater, &outfall = outfall] {
        const auto pipes = forms::hgl_pipes(context);
        const auto nodes = hgl::outfall_nodes(pipes);
        if (std::find(nodes.begin(), nodes.end(), outfall) == nodes.end()) {
            throw cli::CommandError("no pipe ends at structure '" + outfall + "'");
        }
        return forms::grade_line_report(context, pipes, outfall, tailwater);
    }();
    const hgl::HglResult& result = made.result;

    std::optional<report::WrittenReport> written;
    if (args.option("-o")) {
        written =
            cli::write_report_files(args, command, report::kLd347Template, made.sheet(context));
    }
    if (args.flag("--json")) {
        cli::JsonObject out = rows_json(result);
        if (written) out.update(cli::written_json(*written));
        command.out << cli::json_text(out) << "\n";
    } else {
        print_rows(command.out, result);
        if (written) cli::print_object(command.out, cli::written_json(*written), false);
    }
    return 0;
}

PELVANE_COMMAND({"hgl",
                 "FILE.pvd --outfall NODE --tailwater ELEV [-o OUT.xlsx] [--pdf] [--json]",
                 "hydraulic grade line upstream from a structure (form LD-347 with -o)",
                 {"--pdf", "--json"},
                 run_hgl});

}  // namespace
