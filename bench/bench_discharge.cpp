// Flow order and discharge accumulation over generated networks: a chain (the
// deepest network) and a tree of junctions with four previous pipes each.
//   build/bench/bench_discharge --benchmark_filter=...

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/network/flow_order.h"
#include "core/network/pipe_network.h"
#include "core/pipe/discharge.h"
#include "core/text/number_text.h"

namespace {

using pelvane::network::PipeLinks;
using pelvane::network::PipeNetwork;
using namespace pelvane::pipe;

// Pipe i (from 1) receives pipes `fan_in` * (i - 1) + 2 onwards, at most `fan_in`
// of them; fan_in 1 is a chain. Listed downstream first.
std::vector<PipeLinks> generated_network(int pipes, int fan_in) {
    std::vector<PipeLinks> network;
    network.reserve(pipes);
    for (int i = 1; i <= pipes; ++i) {
        PipeLinks links{"P" + std::to_string(i), {}};
        for (int k = 0; k < fan_in; ++k) {
            const int previous = fan_in * (i - 1) + 2 + k;
            if (previous <= pipes) links.previous[k] = "P" + std::to_string(previous);
        }
        network.push_back(std::move(links));
    }
    return network;
}

void flow_order_of(benchmark::State& state, int fan_in) {
    const PipeNetwork network(generated_network(static_cast<int>(state.range(0)), fan_in), false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(pelvane::network::flow_order(network));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FlowOrderChain(benchmark::State& state) {
    flow_order_of(state, 1);
}
void BM_FlowOrderTree(benchmark::State& state) {
    flow_order_of(state, 4);
}
BENCHMARK(BM_FlowOrderChain)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlowOrderTree)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_NetworkIndex(benchmark::State& state) {
    const auto pipes = generated_network(static_cast<int>(state.range(0)), 4);
    for (auto _ : state) {
        PipeNetwork network(pipes, false);
        benchmark::DoNotOptimize(network.first_listing("P2"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NetworkIndex)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Every pipe in flow order takes over its previous pipes again, computes its
// intensities and its design discharge, as the network recompute does before it
// solves the sections. The intensity is a county curve with its coefficients
// already loaded.
void BM_RecomputeDischarge(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const PipeNetwork network(generated_network(count, 4), false);
    const auto order = pelvane::network::flow_order(network).order;
    const DischargeSettings settings = DischargeSettings::for_project("ENGLISH", false);
    const IntensityLookup intensity = [](std::string& tc) -> std::optional<std::string> {
        const auto parsed = pelvane::text::parse_number(tc);
        if (!parsed.ok()) return std::nullopt;
        return pelvane::text::format_number(96.0 / std::pow(parsed.value + 13.0, 0.79), "0.000");
    };

    std::vector<FlowFields> fields(network.size());
    std::vector<std::string> flow_time(network.size(), "42.5");
    for (auto _ : state) {
        for (auto& f : fields) {
            f = FlowFields{};
            f.structure_ca = "0.45";
            f.structure_tc = "6.2";
            f.pipe_cf = "1.0";
            f.lateral_discharge = "0.0";
        }
        for (const std::size_t i : order) {
            std::array<PreviousPipeLink, kPreviousPipeRows> links;
            const auto previous = network.previous_of(i);
            for (int k = 0; k < kPreviousPipeRows; ++k) {
                if (!previous[k]) continue;
                const FlowFields& p = fields[*previous[k]];
                links[k].state = PreviousPipeLink::State::Found;
                links[k].pipe = {p.accumulated_ca, p.accumulated_tc, flow_time[*previous[k]],
                                 p.pipe_discharge};
            }
            FlowIntensities intensities;
            benchmark::DoNotOptimize(
                recompute_flow(fields[i], intensities, links, settings, intensity));
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_RecomputeDischarge)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
