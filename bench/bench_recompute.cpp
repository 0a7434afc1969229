// Network recompute of generated branching networks in a project made from the
// template, station Pulaski: read every pipe, recompute in flow order, solve and
// save in one transaction. Each run starts from a fresh copy of the same file.
//   build/bench/bench_recompute --benchmark_filter=...
// Target: 10,000 pipes recomputed and saved in under one second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "forms/network_recompute.h"
#include "generated_pipes.h"
#include "store/pipe_table.h"
#include "store/project_database.h"
#include "store/project_details.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;

// The base project of `count` pipes, made once per size.
fs::path base_project(int count) {
    const fs::path folder = fs::temp_directory_path() / "pelvane_bench_recompute";
    fs::create_directories(folder);
    const fs::path file = folder / ("base_" + std::to_string(count) + ".pvd");
    store::create_project_file(PELVANE_PROGRAM_DIR, file);
    store::ProjectContext context;
    context.program_folder = PELVANE_PROGRAM_DIR;
    store::open_project(context, file);
    store::ProjectDetails details;
    details.project_id = "BENCH";
    details.county = "Pulaski";
    details.noaa_station = "Pulaski";
    store::save_project_details(context, details, store::DetailsWindow::NoaaStation);
    const store::PipeTable pipes(context.project_connection);
    store::Transaction transaction(context.project_connection);
    for (int i = 1; i <= count; ++i) pipes.insert(bench::generated_pipe(i, count));
    transaction.commit();
    return file;
}

void BM_RecomputeNetwork(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const fs::path base = base_project(count);
    const fs::path work = base.parent_path() / ("work_" + std::to_string(count) + ".pvd");
    forms::UnattendedUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(base, work, fs::copy_options::overwrite_existing);
        store::ProjectContext context;
        context.program_folder = PELVANE_PROGRAM_DIR;
        store::open_project(context, work);
        state.ResumeTiming();

        const forms::RecomputeSummary summary = forms::recompute_network(context, ui);
        if (!summary.complete() || summary.saved != count) {
            state.SkipWithError(forms::recompute_summary_text(summary, 3).c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
    fs::remove(work);
    fs::remove(base);
}
BENCHMARK(BM_RecomputeNetwork)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
