// Section solves per shape, small and large pipes, with the plain depth scan and the
// program's scanner side by side. The scans dominate: up to 10,000 passes per foot.
//   build/bench/bench_section --benchmark_filter=Circular

#include <benchmark/benchmark.h>

#include "../tests/core/section_literal_scan.h"
#include "core/pipe/section.h"

namespace {

using pelvane::pipe::SectionInput;

SectionInput pipe_of(const char* shape, const char* dia, const char* span, const char* rise,
                     const char* discharge) {
    SectionInput in;
    in.shape = shape;
    in.dia = dia;
    in.span = span;
    in.rise = rise;
    in.discharge = discharge;
    in.barrels = "1";
    in.slope = "0.005";
    in.mann = "0.013";
    in.length = "250";
    in.units = "ENGLISH";
    return in;
}

// Discharges at about four fifths of capacity, where the normal depth is deep.
const SectionInput kCircularSmall = pipe_of("Circular", "18", "", "", "6");
const SectionInput kCircularLarge = pipe_of("Circular", "72", "", "", "240");
const SectionInput kBoxSmall = pipe_of("Box", "", "24", "18", "20");
const SectionInput kBoxLarge = pipe_of("Box", "", "144", "96", "1100");
const SectionInput kEllipseSmall = pipe_of("Elliptical", "", "38", "24", "21");
const SectionInput kEllipseLarge = pipe_of("Elliptical", "", "151", "97", "750");
const SectionInput kArchSmall = pipe_of("Arch-Conc", "", "36", "22", "14");
const SectionInput kArchLarge = pipe_of("Arch-Conc", "", "142", "91", "610");

void solve_plain(benchmark::State& state, const SectionInput& input) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            pelvane::pipe::solve_pipe_section(input, pelvane::testing::literal_scanner()));
    }
}

void solve_fast(benchmark::State& state, const SectionInput& input) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(pelvane::pipe::solve_pipe_section(input));
    }
}

BENCHMARK_CAPTURE(solve_plain, Circular_18in, kCircularSmall);
BENCHMARK_CAPTURE(solve_fast, Circular_18in, kCircularSmall);
BENCHMARK_CAPTURE(solve_plain, Circular_72in, kCircularLarge);
BENCHMARK_CAPTURE(solve_fast, Circular_72in, kCircularLarge);
BENCHMARK_CAPTURE(solve_plain, Box_24x18in, kBoxSmall);
BENCHMARK_CAPTURE(solve_fast, Box_24x18in, kBoxSmall);
BENCHMARK_CAPTURE(solve_plain, Box_144x96in, kBoxLarge);
BENCHMARK_CAPTURE(solve_fast, Box_144x96in, kBoxLarge);
BENCHMARK_CAPTURE(solve_plain, Elliptical_38x24in, kEllipseSmall);
BENCHMARK_CAPTURE(solve_fast, Elliptical_38x24in, kEllipseSmall);
BENCHMARK_CAPTURE(solve_plain, Elliptical_151x97in, kEllipseLarge);
BENCHMARK_CAPTURE(solve_fast, Elliptical_151x97in, kEllipseLarge);
BENCHMARK_CAPTURE(solve_plain, Arch_36x22in, kArchSmall);
BENCHMARK_CAPTURE(solve_fast, Arch_36x22in, kArchSmall);
BENCHMARK_CAPTURE(solve_plain, Arch_142x91in, kArchLarge);
BENCHMARK_CAPTURE(solve_fast, Arch_142x91in, kArchLarge);

}  // namespace
