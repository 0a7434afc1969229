// sample_project: builds the sample project file from its sources: the template
// copy, the PROJECT record (SQL), the pipes (a pipe list, added under the same
// rules as the pipe window's), a link to the sample inlet database by its full
// path, and each pipe solved as the pipe window solves it (slope, typed discharge,
// section).

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/pipe/discharge_solve.h"
#include "core/pipe/section.h"
#include "core/text/number_text.h"
#include "forms/pipe_grid_import.h"
#include "store/pipe_table.h"
#include "store/project_database.h"
#include "tools/generator.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;

std::string read_text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The pipe window's slope: (El. IN - El. OUT) / length with "0.00000", "0.0" when
// one of them is empty. A pipe that does not fall is a mistake in the source.
std::string pipe_slope(const store::PipeRecord& pipe) {
    const auto length = text::parse_number(pipe.get("PIPE_LENGTH"));
    const auto in = text::parse_number(pipe.get("PIPE_ELEIN"));
    const auto out = text::parse_number(pipe.get("PIPE_ELEOUT"));
    if (length.empty() || in.empty() || out.empty()) return "0.0";
    if (!length.ok() || !in.ok() || !out.ok() || in.value <= out.value || length.value <= 0) {
        throw std::runtime_error("pipe " + pipe.get("PIPE_NUMBER") +
                                 ": length and invert elevations do not make a falling pipe");
    }
    return text::format_number((in.value - out.value) / length.value, "0.00000");
}

void solve(store::PipeRecord& pipe, const std::string& units) {
    pipe.set("PIPE_SLOPE", pipe_slope(pipe));
    // A typed discharge is the pipe's design discharge.
    if (pipe.get("DISCHARGEVAL") == "INP") {
        pipe.set("PIPE_DISCHARGE", pipe.get("STRUCTURE_DISCHARGE"));
    }
    const auto refusal = pipe::solve_refusal(pipe.get("PIPE_DISCHARGE"), pipe.get("PIPE_SLOPE"));
    if (refusal != pipe::SolveRefusal::None) {
        throw std::runtime_error("pipe " + pipe.get("PIPE_NUMBER") + ": " +
                                 std::string(pipe::solve_refusal_text(refusal)));
    }
    const pipe::SectionInput input{pipe.get("PIPE_DISCHARGE"), pipe.get("NUMOFPIPES"),
                                   pipe.get("PIPE_SLOPE"),     pipe.get("PIPE_MANN"),
                                   pipe.get("PIPE_LENGTH"),    pipe.get("PIPE_DIA"),
                                   pipe.get("SPAN"),           pipe.get("RISE"),
                                   pipe.get("PIPE_SHAPE"),     units};
    const pipe::SectionResult result = pipe::solve_pipe_section(input);
    if (result.failed()) {
        throw std::runtime_error("pipe " + pipe.get("PIPE_NUMBER") + ": " +
                                 result.failures.front().reason);
    }
    for (const auto& [column, text] : result.written) pipe.set(column, text);
}

int build_sample_project(const std::vector<std::string>& args) {
    if (args.size() != 5) {
        std::cerr << "usage: sample_project PROGRAM_FOLDER OUT.pvd PROJECT.sql PIPES.csv "
                     "INLETS.gwk\n";
        return 2;
    }
    const fs::path program_folder = args[0];
    const fs::path out = args[1];
    const fs::path partial = out.string() + ".partial";
    const fs::path inlets = fs::absolute(args[4]).lexically_normal();
    if (!fs::is_regular_file(inlets)) throw std::runtime_error("no inlet database " + args[4]);

    fs::remove(partial);
    store::create_project_file(program_folder, partial);
    {
        auto db = store::Database::open(partial);
        db.execute_script(read_text(args[2]));
        // The program folder is where the build put it, so the link is its full path
        // (as the details window keeps a browsed file).
        db.execute("UPDATE PROJECT SET INLET_DATABASE = ?", {inlets.string()});
    }
    store::ProjectContext context;
    context.program_folder = program_folder;
    store::open_project(context, partial);
    forms::import_pipes(context, read_text(args[3]));

    const store::PipeTable pipes(context.project_connection);
    store::Transaction transaction(context.project_connection);
    for (store::PipeRecord pipe : pipes.all_in_table_order()) {
        solve(pipe, context.units);
        pipes.update(pipe.get("PIPE_NUMBER"), pipe);
    }
    transaction.commit();
    store::close_project(context);
    context.coefficient_connection.close();
    fs::rename(partial, out);
    return 0;
}

PELVANE_GENERATOR({"sample_project", "PROGRAM_FOLDER OUT.pvd PROJECT.sql PIPES.csv INLETS.gwk",
                   build_sample_project});

}  // namespace
