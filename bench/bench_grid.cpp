// Opening a project and listing its pipe network grid, on generated projects of
// 100 to 10,000 pipes with every PIPE column filled:
//   build/bench/bench_grid
// The target is well under a second for 10,000 pipes, from opening the file to the
// grid's rows.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/text/number_text.h"
#include "forms/pipe_grid_form.h"
#include "store/pipe_table.h"
#include "store/project_database.h"

namespace {

using namespace pelvane;
namespace fs = std::filesystem;
using text::format_number;

struct QuietUi : forms::Ui {
    using forms::Ui::message;
    void message(const std::string&, forms::Icon, const std::string&) override {}
    forms::Answer ask(const std::string&, forms::Buttons, forms::Icon,
                      const std::string&) override {
        return forms::Answer::No;
    }
    std::string choose_file(const forms::FileDialog&) override { return ""; }
    bool open_document(const std::string&) override { return true; }
};

struct NoWindows : forms::PipeGridForm::Windows {
    void show_pipe_form(const std::string&, const std::string&) override {}
    void show_renumber_dialog(forms::RenumberForm&) override {}
    void show_hgl() override {}
    void show_profile(const std::string&) override {}
    void show_plan() override {}
    void show_energy_dissipation() override {}
    void ld229_report() override {}
    void pipe_report() override {}
    void about() override {}
    void show_rainfall_data() override {}
    void show_sizing_dialog(forms::SizingForm&) override {}
    void show_size_picker(forms::SizePickerForm&) override {}
    bool confirm_import(const forms::ImportPreview&) override { return false; }
};

// A project of `pipe_count` pipes: pipe k starts at structure k + 1 and drains into
// the pipe that starts where it ends, so every pipe has up to four previous pipes.
fs::path generated_project(int pipe_count) {
    static std::map<int, fs::path> made;
    if (const auto it = made.find(pipe_count); it != made.end()) return it->second;
    fs::path file =
        fs::temp_directory_path() / ("pelvane_bench_grid_" + std::to_string(pipe_count) + ".pvd");
    store::create_project_file(PELVANE_PROGRAM_DIR, file);
    const auto db = store::Database::open(file);
    db.execute(
        "INSERT INTO PROJECT (MAJOR_RELEASE, PROJECT_ID, PROJECT_NAME, UNITS) "
        "VALUES ('2.1', 'B1', 'Bench', 'ENGLISH')");
    const store::PipeTable pipes(db);
    store::Transaction transaction(db);
    for (int k = 1; k <= pipe_count; ++k) {
        store::PipeRecord pipe;
        for (const auto column : store::kPipeColumns) {
            pipe.set(column,
                     format_number(0.37 * k + static_cast<double>(column.name().size()), "0.000"));
        }
        const int node = k + 1;
        const int below = std::max(1, (node + 2) / 4);
        pipe.set("PIPE_NUMBER", std::to_string(k));
        pipe.set("NODEIN_NO", std::to_string(node));
        pipe.set("NODEOUT_NO", std::to_string(below));
        pipe.set("PIPE_SHAPE", k % 4 == 0 ? "Box" : "Circular");
        pipe.set("PIPE_MAT", "Concrete");
        for (int row = 0; row < 4; ++row) {
            const int up = 4 * node - 2 + row - 1;  // the pipes that start at 4n-2 .. 4n+1
            pipe.set(store::previous_pipe_column(row + 1),
                     up <= pipe_count ? std::to_string(up) : "");
        }
        pipes.insert(pipe);
    }
    transaction.commit();
    made[pipe_count] = file;
    return file;
}

void BM_OpenProjectAndGrid(benchmark::State& state) {
    const fs::path file = generated_project(static_cast<int>(state.range(0)));
    QuietUi ui;
    NoWindows windows;
    for (auto _ : state) {
        store::ProjectContext context;
        context.program_folder = PELVANE_PROGRAM_DIR;
        store::open_project(context, file);
        forms::DesignSession session;
        forms::PipeGridForm grid(context, session, ui, windows);
        grid.open();
        benchmark::DoNotOptimize(grid.record_count());
        if (grid.record_count() != state.range(0)) state.SkipWithError("rows missing");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenProjectAndGrid)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Refresh: the rows read again from the open project.
void BM_GridRows(benchmark::State& state) {
    const fs::path file = generated_project(static_cast<int>(state.range(0)));
    const auto db = store::Database::open(file, store::Database::Mode::ReadOnly);
    for (auto _ : state) {
        auto rows = forms::read_grid_rows(db, false);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_GridRows)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
