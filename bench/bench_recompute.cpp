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
#include "store/pipe_table.h"
#include "store/project_database.h"
#include "store/project_details.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;

// Pipe i (from 1) receives pipes 3(i - 1) + 2 onwards, three of them (one for every
// fifth pipe); listed downstream first. Every seventh pipe has a typed discharge,
// the others computed ones; the pipes near the outfalls are larger.
store::PipeRecord generated_pipe(int i, int count) {
    store::PipeRecord r;
    const std::string number = "P" + std::to_string(i);
    const bool typed = i % 7 == 0;
    const std::string ca = i % 2 == 0 ? "0.35" : "0.60";
    r.set("PIPE_NUMBER", number);
    r.set("NODEIN_NO", "S" + number);
    r.set("NODEIN_TYPE", typed ? "Junction Box" : "Inlet");
    r.set("PIPE_LENGTH", "120.000");
    r.set("PIPE_ELEIN", "101.200");
    r.set("PIPE_ELEOUT", "100.000");
    r.set("PIPE_SLOPE", "0.01000");
    r.set("PIPE_SHAPE", "Circular");
    r.set("PIPE_MAT", "Concrete");
    r.set("PIPE_DIA", i < count / 10 + 2 ? "60" : i < count / 3 + 2 ? "36" : "18");
    r.set("NUMOFPIPES", "1");
    r.set("PIPE_MANN", "0.013");
    r.set("PIPE_STORM_FREQ", i % 4 == 0 ? "25" : "10");
    r.set("PIPE_CF", i % 4 == 0 ? "1.1" : "1.0");
    r.set("STRUCTURE_CA", typed ? "0.0" : ca);
    r.set("STRUCTURE_AREA", typed ? "0.0" : ca);
    r.set("STRUCTURE_TC", i % 3 == 0 ? "8.000" : "5.0");
    r.set("STRUCTURE_DISCHARGE", typed ? "3.000" : "0.0");
    r.set("DISCHARGEVAL", typed ? "INP" : "CRM");
    r.set("LATERAL_DISCHARGE", "0.0");
    const int first = 3 * (i - 1) + 2;
    const int receives = i % 5 == 0 ? 1 : 3;
    for (int k = 0; k < receives && first + k <= count; ++k) {
        r.set("PRENODE" + std::to_string(k + 1), "P" + std::to_string(first + k));
    }
    return r;
}

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
    for (int i = 1; i <= count; ++i) pipes.insert(generated_pipe(i, count));
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
