// The grade line onto form LD-347 for generated networks of 100 to 10,000 pipes:
//   build/bench/bench_ld347
// BM_Ld347Workbook: engine, layout and the workbook (template copy, cells, save).
// BM_Ld347FromProject: all of Compute HGL after the file dialog, reading the pipes
// from a project file too. The target is under one second for 10,000 pipes.
// BM_HglPipesFromProject: only the reading of the pipes from the project file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "forms/hgl_form.h"
#include "generated_network.h"
#include "platform/platform.h"
#include "report/ld347_layout.h"
#include "report/report_writer.h"
#include "store/pipe_table.h"
#include "store/project_database.h"

namespace {

namespace fs = std::filesystem;
using namespace pelvane;

const fs::path kProgramFolder(PELVANE_PROGRAM_DIR);

fs::path bench_folder() {
    fs::path folder = *pelvane::platform::make_private_folder("pelvane-bench-ld347-");
    fs::create_directories(folder);
    return folder;
}

void write_ld347(const store::ProjectContext& project, const hgl::HglResult& result,
                 const fs::path& out) {
    report::write_report(
        kProgramFolder / report::kLd347Template, {out, std::nullopt},
        [&](report::Workbook& book) {
            report::write_cells(book, report::ld347_sheet(project, result));
        },
        nullptr);
}

void BM_Ld347Workbook(benchmark::State& state) {
    const auto pipes = bench::branching_network(static_cast<int>(state.range(0)));
    const fs::path folder = bench_folder();
    store::ProjectContext project;
    project.project_name = "Generated network";
    for (auto _ : state) {
        const auto result = hgl::compute_grade_line(pipes, "1", "100.00", "ENGLISH");
        write_ld347(project, result, folder / "ld347.xlsx");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    fs::remove_all(folder);
}
BENCHMARK(BM_Ld347Workbook)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// What a solved pipe holds in a column the grade line does not read: a number
// text, or in the window buffers a list of them.
std::string filler(std::string_view column) {
    if (column != "PTCSTR" && column != "PTCSTR2" && column != "PCBUFSTR" &&
        column != "PAREABUFSTR") {
        return "12.345";
    }
    std::string list = "12.345";
    for (int i = 1; i < 20; ++i) list += ",12.345";
    return list;
}

// A project file holding the generated network, made once per size. Every column
// is filled as in a real project, so reading more columns than needed costs here
// what it costs there.
fs::path project_with(int pipe_count, const fs::path& folder) {
    fs::path file = folder / ("network-" + std::to_string(pipe_count) + ".pvd");
    store::create_project_file(kProgramFolder, file);
    const auto db = store::Database::open(file);
    db.execute(
        "INSERT INTO PROJECT (MAJOR_RELEASE, PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS) "
        "VALUES ('2.1', 'B1', 'Generated network', 'Pulaski', 'VA', 'ENGLISH')");
    const store::PipeTable table(db);
    store::Transaction transaction(db);
    for (const hgl::HglPipe& p : bench::branching_network(pipe_count)) {
        store::PipeRecord r;
        for (const store::Column column : store::kPipeColumns) r.set(column, filler(column.name()));
        for (const forms::HglColumn& c : forms::hgl_columns()) r.set(c.column, p.*c.member);
        table.insert(r);
    }
    transaction.commit();
    return file;
}

void BM_Ld347FromProject(benchmark::State& state) {
    const fs::path folder = bench_folder();
    const fs::path file = project_with(static_cast<int>(state.range(0)), folder);
    store::ProjectContext context;
    context.program_folder = kProgramFolder;
    store::open_project(context, file, store::Access::Inspect);
    for (auto _ : state) {
        const auto made =
            forms::grade_line_report(context, forms::hgl_pipes(context), "1", "100.00");
        write_ld347(context, made.result, folder / "ld347.xlsx");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    store::close_project(context);
    fs::remove_all(folder);
}
BENCHMARK(BM_Ld347FromProject)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The reading alone: the pipes the grade line needs, out of the project file.
void BM_HglPipesFromProject(benchmark::State& state) {
    const fs::path folder = bench_folder();
    const fs::path file = project_with(static_cast<int>(state.range(0)), folder);
    store::ProjectContext context;
    context.program_folder = kProgramFolder;
    store::open_project(context, file, store::Access::Inspect);
    for (auto _ : state) benchmark::DoNotOptimize(forms::hgl_pipes(context));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    store::close_project(context);
    fs::remove_all(folder);
}
BENCHMARK(BM_HglPipesFromProject)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
