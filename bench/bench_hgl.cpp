// Grade line of generated branching networks, engine only (no workbook):
//   build/bench/bench_hgl
// The target is well under a second for 10,000 pipes, which leaves the rest of the
// second to writing the workbook.

#include <benchmark/benchmark.h>

#include <vector>

#include "core/hgl/grade_line.h"
#include "generated_network.h"

namespace {

using pelvane::bench::branching_network;
using pelvane::hgl::HglPipe;

void BM_GradeLine(benchmark::State& state) {
    const std::vector<HglPipe> pipes = branching_network(static_cast<int>(state.range(0)));
    std::size_t rows = 0;
    for (auto _ : state) {
        auto result = pelvane::hgl::compute_grade_line(pipes, "1", "100.00", "ENGLISH");
        rows = result.rows.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GradeLine)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
