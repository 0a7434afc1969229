// Writing form LD-347 for a network of 10,000 pipes: open the template copy, write
// 27 cells per row (texts where the form holds record texts, numbers elsewhere)
// and save. Run: build/bench/bench_workbook

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "report/report_writer.h"
#include "report/xlsx/workbook.h"

namespace {

namespace fs = std::filesystem;

void write_ld347(benchmark::State& state) {
    const int pipes = static_cast<int>(state.range(0));
    const fs::path folder = *pelvane::platform::make_private_folder("pelvane-bench-");
    fs::create_directories(folder);
    const fs::path file = folder / "ld347.xlsx";
    pelvane::report::Workbook::open(fs::path(PELVANE_PROGRAM_DIR) / pelvane::report::kLd347Template)
        .save(file);
    const bool text_column[28] = {false, true,  true,  true,  false, false, true,
                                  false, false, false, false, false, false, false,
                                  false, false, false, false, false, false, false,
                                  false, true,  false, false, false, true,  true};
    for (auto _ : state) {
        auto book = pelvane::report::Workbook::open(file);
        for (int pipe = 0; pipe < pipes; ++pipe) {
            const int row = 12 + pipe;
            for (int column = 1; column <= 27; ++column) {
                if (text_column[column]) {
                    book.set_text(row, column, "S-" + std::to_string(pipe));
                } else {
                    book.set_number(row, column, pipe * 0.731 + column / 7.0);
                }
            }
        }
        book.save(folder / "out.xlsx");
    }
    state.SetItemsProcessed(state.iterations() * pipes * 27);
    fs::remove_all(folder);
}

BENCHMARK(write_ld347)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
