// Import of a generated pipe list into an empty project made from the template:
// every row checked as the pipe window checks a new pipe, then added, in one
// transaction. Compare with bench_recompute on the same network (what
// `pelvane solve --all` does): the import should take no longer than three times it.
// The list is left in the temporary folder (pelvane_bench_import/pipes_N.csv) for
// timing `pelvane import` itself.
//   build/bench/bench_import --benchmark_filter=...

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "forms/pipe_grid_import.h"
#include "generated_pipes.h"
#include "store/project_database.h"
#include "store/project_details.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;

void BM_ImportPipeList(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const fs::path folder = fs::temp_directory_path() / "pelvane_bench_import";
    fs::create_directories(folder);
    const std::string csv = bench::generated_list(count);
    std::ofstream(folder / ("pipes_" + std::to_string(count) + ".csv"), std::ios::binary) << csv;
    const fs::path work = folder / "work.pvd";
    for (auto _ : state) {
        state.PauseTiming();
        store::create_project_file(PELVANE_PROGRAM_DIR, work);
        store::ProjectContext context;
        context.program_folder = PELVANE_PROGRAM_DIR;
        store::open_project(context, work);
        store::ProjectDetails details;
        details.project_id = "BENCH";
        details.county = "Pulaski";
        details.noaa_station = "Pulaski";
        store::save_project_details(context, details, store::DetailsWindow::NoaaStation);
        state.ResumeTiming();

        if (forms::import_pipes(context, csv) != count) {
            state.SkipWithError("not every pipe was added");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    fs::remove(work);
}
BENCHMARK(BM_ImportPipeList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
