// Timings of the core on the largest board; the benchmark names stay fixed across versions.
#include "core/base/clock.h"
#include "core/base/memory_settings_store.h"
#include "core/game/board.h"
#include "core/game/game.h"
#include "core/scene/board_scene.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kubrix;

constexpr int kSide = 20;

class QuietServices final : public SoundPlayer, public GameHost {
public:
    void playSound(SoundId) override {}
    void playMusic() override {}
    void stopMusic() override {}
    bool tutorialGame() const override { return false; }
    bool tutorialRunning() const override { return false; }
    void showRecordEntry(Game&) override {}
};

void generate20(benchmark::State& state)
{
    ManualClock clock;
    Board board(clock);
    for (auto _ : state) {
        clock.advance(1);
        board.generate(kSide, kSide, kSide, 500, -1);
        benchmark::DoNotOptimize(board.cubes().data());
    }
}

void floodExpose20(benchmark::State& state)
{
    ManualClock clock;
    QuietServices services;
    MemorySettingsStore store;
    Statistics statistics;
    Game game(GameServices{store, clock, statistics, services, services});
    game.initFromSettings();
    for (auto _ : state) {
        state.PauseTiming();
        clock.advance(1);
        game.newGame(4, kSide, kSide, kSide, 1);
        state.ResumeTiming();
        game.expose(0);
        benchmark::DoNotOptimize(game.board().cubes().data());
    }
}

// The worst case for the views: a 3D checkerboard of covered cubes, each showing six faces.
void makeCheckerboard(Board& board)
{
    for (int i = 0; i < board.cubeCount(); ++i) {
        const CubePosition p = board.positionOf(i);
        board.cube(i).covered = (p.x + p.y + p.z) % 2 == 0 ? 1 : 0;
    }
}

// The scene's rebuild after a move: one cube handed out for change, then the views built anew.
void refresh20(benchmark::State& state, bool worst, bool bevelled)
{
    ManualClock clock;
    Board board(clock);
    board.generate(kSide, kSide, kSide, 500, -1);
    if (worst)
        makeCheckerboard(board);
    BoardScene scene;
    SceneState view;
    view.bevelled = bevelled;
    for (auto _ : state) {
        board.cube(0);
        benchmark::DoNotOptimize(scene.update(board, view));
    }
}

} // namespace

BENCHMARK(generate20)->Name("Core/Generate20")->Unit(benchmark::kMillisecond);
BENCHMARK(floodExpose20)->Name("Core/FloodExpose20")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh20, fresh, false, false)
    ->Name("Core/Refresh/Fresh20")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh20, freshBevelled, false, true)
    ->Name("Core/Refresh/Fresh20Bevelled")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh20, worst, true, false)
    ->Name("Core/Refresh/Worst20")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(refresh20, worstBevelled, true, true)
    ->Name("Core/Refresh/Worst20Bevelled")
    ->Unit(benchmark::kMillisecond);
