// Schematic plan of generated branching networks (bench/generated_network.h), in
// the steps the plan window and `pelvane plan` take: the layout alone, the plan with
// its colours, its drawing, and painting that drawing offscreen on an image of a
// 17 x 11 in sheet at 96 dpi.
//   build/bench/bench_plan --benchmark_filter=...
// Target: 10,000 pipes laid out, drawn and painted in under 0.5 s.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <vector>

#include "draw/painter.h"
#include "forms/plan.h"
#include "generated_network.h"

namespace {

using namespace pelvane;
using bench::branching_network;

constexpr int kSheetWidth = 17 * 96;
constexpr int kSheetHeight = 11 * 96;

std::vector<forms::PlanPipeTexts> plan_texts(int count) {
    std::vector<forms::PlanPipeTexts> texts;
    for (const hgl::HglPipe& p : branching_network(count)) {
        texts.push_back({.pipe_number = p.pipe_number,
                         .nodein_no = p.nodein_no,
                         .nodeout_no = p.nodeout_no,
                         .pipe_velocity = p.pipe_velocity,
                         .pipe_flowdepth = p.pipe_flowdepth,
                         .pipe_shape = p.pipe_shape,
                         .pipe_dia = p.pipe_dia,
                         .rise = p.rise,
                         .pipe_discharge = p.pipe_discharge,
                         .capacity = ""});
    }
    return texts;
}

void paint_on_image(const forms::drawing::Drawing& drawing) {
    QImage image(kSheetWidth, kSheetHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw::paint(painter, drawing, QRectF(0, 0, kSheetWidth, kSheetHeight));
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}

void BM_PlanLayout(benchmark::State& state) {
    std::vector<network::PlanPipe> links;
    for (const forms::PlanPipeTexts& t : plan_texts(static_cast<int>(state.range(0)))) {
        links.push_back({t.nodein_no, t.nodeout_no});
    }
    for (auto _ : state) {
        network::PlanLayout layout = network::plan_layout(links);
        benchmark::DoNotOptimize(layout);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_MakePlan(benchmark::State& state) {
    const auto texts = plan_texts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        forms::Plan plan = forms::make_plan(texts, "ENGLISH", forms::PlanResult::Velocity);
        benchmark::DoNotOptimize(plan);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PlanDrawing(benchmark::State& state) {
    const auto texts = plan_texts(static_cast<int>(state.range(0)));
    const forms::Plan plan = forms::make_plan(texts, "ENGLISH", forms::PlanResult::Velocity);
    for (auto _ : state) {
        forms::drawing::Drawing drawing = forms::plan_drawing(plan);
        benchmark::DoNotOptimize(drawing);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PaintPlan(benchmark::State& state) {
    const draw::GuiForDrawing gui;
    const auto texts = plan_texts(static_cast<int>(state.range(0)));
    const forms::drawing::Drawing drawing =
        forms::plan_drawing(forms::make_plan(texts, "ENGLISH", forms::PlanResult::Velocity));
    for (auto _ : state) paint_on_image(drawing);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// What the target is about: from the pipes' texts to a painted image.
void BM_PlanToImage(benchmark::State& state) {
    const draw::GuiForDrawing gui;
    const auto texts = plan_texts(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const forms::Plan plan = forms::make_plan(texts, "ENGLISH", forms::PlanResult::Velocity);
        paint_on_image(forms::plan_drawing(plan));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_PlanLayout)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakePlan)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPlan)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlanToImage)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
