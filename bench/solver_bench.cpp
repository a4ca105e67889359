// Timings of the deduction solver and of no-guess generation; the benchmark names stay fixed.
#include "core/game/block_neighbours.h"
#include "core/game/no_guess_generator.h"
#include "core/game/play_out.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace kubrix;

// A first click lands on the outside of the block: here the middle of its front face.
int firstCubeOf(int side)
{
    return (side / 2) * side + side / 2;
}

// The play from the first cube to the last safe one, over a fixed set of seeded layouts that
// it clears, one layout per iteration.
void solveExpert(benchmark::State& state)
{
    constexpr int kSide = 8;
    const int first = firstCubeOf(kSide);
    NoGuessGenerator generator(kSide, kSide, kSide);
    std::vector<std::vector<bool>> layouts;
    for (std::uint32_t seed = 1; seed <= 16; ++seed)
        if (auto layout = generator.generate(60, first, seed, {}))
            layouts.push_back(std::move(*layout));
    if (layouts.empty()) {
        state.SkipWithError("no layout to play");
        return;
    }
    const BlockNeighbours neighbours(kSide, kSide, kSide);
    PlayOut playOut(neighbours);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(playOut.clears(layouts[next], first));
        next = (next + 1) % layouts.size();
    }
}

// A fresh seed every time, so that the figure is the typical cost over many layouts.
void generate(benchmark::State& state, int side, int bombs)
{
    NoGuessGenerator generator(side, side, side);
    std::uint32_t seed = 1;
    double found = 0;
    for (auto _ : state) {
        const auto layout = generator.generate(bombs, firstCubeOf(side), seed++, {});
        found += layout ? 1 : 0;
        benchmark::DoNotOptimize(layout);
    }
    state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(solveExpert)->Name("Solver/SolveExpert")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generate, beginner, 4, 6)
    ->Name("Generate/NoGuessBeginner")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generate, expert, 8, 60)
    ->Name("Generate/NoGuessExpert")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(generate, side20, 20, 500)
    ->Name("Generate/NoGuess20")
    ->Unit(benchmark::kMillisecond);
