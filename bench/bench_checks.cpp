// Design review of generated branching networks (bench/generated_network.h) with
// the default criteria and the grade line run from the outfall, so that every
// rule runs. The network breaks some rules on purpose: a small pipe every
// thirteenth, a discharge above the capacity in about one pipe in three,
// supercritical inflow every fifth and a lower-structure station that disagrees
// every eleventh; the grade line, climbing the long runs, stands above nearly every
// rim (about 1.9 violations a pipe in all).
//   build/bench/bench_checks
// Target: 10,000 pipes reviewed in under 0.2 s.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/checks/checks.h"
#include "generated_network.h"

namespace {

using namespace pelvane;
using bench::branching_network;

checks::CheckInput check_input(int count) {
    checks::CheckInput input;
    input.units = "ENGLISH";
    input.grade_line = checks::GradeLineStart{"1", "100.00"};
    std::vector<hgl::HglPipe> pipes = branching_network(count);
    // The station and rim of each structure, as the pipe starting there holds them.
    std::vector<std::string> station(pipes.size() + 2, "0.00");
    std::vector<std::string> rim(pipes.size() + 2, "106.00");
    for (const hgl::HglPipe& p : pipes) {
        const auto node = static_cast<std::size_t>(std::stoi(p.nodein_no));
        station[node] = p.nodein_station;
        rim[node] = p.nodein_topele;
    }
    for (std::size_t k = 1; k <= pipes.size(); ++k) {
        checks::CheckPipe c;
        c.hgl = std::move(pipes[k - 1]);
        if (k % 13 == 0) c.hgl.pipe_dia = "12";
        const auto lower = static_cast<std::size_t>(std::stoi(c.hgl.nodeout_no));
        c.nodeout_station = k % 11 == 0 ? "5.00" : station[lower];
        c.nodeout_topele = rim[lower];
        c.capacity = "20.000";
        c.flow_type = std::stod(c.hgl.pipe_discharge) > 20.0 ? "PRESSURE FLOW" : "PARTIAL FLOW";
        c.froude_no = k % 5 == 0 ? "1.40" : "0.80";
        input.pipes.emplace_back(c);
    }
    return input;
}

void BM_RunChecks(benchmark::State& state) {
    const checks::CheckInput input = check_input(static_cast<int>(state.range(0)));
    const checks::Criteria criteria = checks::Criteria::defaults(input.units);
    std::size_t violations = 0;
    for (auto _ : state) {
        auto found = checks::run_checks(input, criteria);
        violations = found.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["violations"] = static_cast<double>(violations);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RunChecks)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
