// Timings of whole frames, of the hover pick and of a first click on a real OpenGL context; the
// names stay fixed across versions.
#include "gl_bench_rig.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using kubrix::bench::BenchBoard;
using kubrix::bench::GlBenchRig;

GlBenchRig* rigShowing(benchmark::State& state, BenchBoard board)
{
    std::string whyNot;
    GlBenchRig* rig = GlBenchRig::get(whyNot);
    if (rig == nullptr) {
        state.SkipWithError(whyNot.c_str());
        return nullptr;
    }
    rig->show(board);
    return rig;
}

void frame(benchmark::State& state, BenchBoard board)
{
    GlBenchRig* rig = rigShowing(state, board);
    if (rig == nullptr)
        return;
    for (auto _ : state)
        rig->renderFrame();
}

void pick(benchmark::State& state, BenchBoard board)
{
    GlBenchRig* rig = rigShowing(state, board);
    if (rig == nullptr)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(rig->pickCentre());
}

// From the first click on a fresh 20^3 block with 500 bombs to the finished frame showing it.
void firstClick(benchmark::State& state)
{
    GlBenchRig* rig = rigShowing(state, BenchBoard::Fresh20);
    if (rig == nullptr)
        return;
    for (auto _ : state) {
        state.PauseTiming();
        rig->show(BenchBoard::Fresh20);
        state.ResumeTiming();
        rig->clickCentre();
    }
}

} // namespace

BENCHMARK(firstClick)->Name("Interaction/FirstClick20")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, expert, BenchBoard::Expert)
    ->Name("Frame/Expert")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, fresh, BenchBoard::Fresh20)
    ->Name("Frame/Fresh20")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, freshBevelled, BenchBoard::Fresh20Bevelled)
    ->Name("Frame/Fresh20Bevelled")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, worst, BenchBoard::Worst20)
    ->Name("Frame/Worst20")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, worstBevelled, BenchBoard::Worst20Bevelled)
    ->Name("Frame/Worst20Bevelled")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, worstPeeled, BenchBoard::Worst20Peeled)
    ->Name("Frame/Worst20Peeled")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(frame, freshHover, BenchBoard::Fresh20Hover)
    ->Name("Frame/Fresh20Hover")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pick, expert, BenchBoard::Expert)
    ->Name("Pick/Expert")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pick, fresh, BenchBoard::Fresh20)
    ->Name("Pick/Fresh20")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pick, freshBevelled, BenchBoard::Fresh20Bevelled)
    ->Name("Pick/Fresh20Bevelled")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pick, worst, BenchBoard::Worst20)
    ->Name("Pick/Worst20")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pick, worstBevelled, BenchBoard::Worst20Bevelled)
    ->Name("Pick/Worst20Bevelled")
    ->Unit(benchmark::kMillisecond);
