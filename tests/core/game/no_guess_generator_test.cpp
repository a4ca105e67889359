// No-guess layouts: cleared by the solver alone, reproducible, and never a hang when none exists.
#include "core/game/no_guess_generator.h"
#include "core/game/solver.h"
#include "player_view.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kubrix {
namespace {

// Plays as the hint would let a player: exposes every cube the solver proves safe, over and
// over, from what is shown alone. True when every safe cube gets exposed.
bool clearedByHints(test::PlayerView& view, int bombs, int first)
{
    Solver solver(view.neighbours.width(), view.neighbours.height(), view.neighbours.depth());
    view.expose(first);
    while (view.covered() > bombs) {
        bool progressed = false;
        for (const Deduction& d : solver.deduceAll(view.cells, bombs)) {
            EXPECT_EQ(d.bomb, view.layout[d.cube]) << "cube " << d.cube;
            if (!d.bomb && view.cells[d.cube] == Solver::kCovered) {
                view.expose(d.cube);
                progressed = true;
            }
        }
        if (!progressed)
            return false;
    }
    return true;
}

// Bounded by attempts only, so that a slow machine cannot change the outcome.
const GenerationBudget kByAttempts{1000, std::chrono::minutes(1)};

TEST(NoGuessGeneratorTest, LayoutsOfEveryLevelAreClearedByProofsAlone)
{
    const struct {
        int side, bombs;
    } levels[] = {{4, 6}, {6, 23}, {8, 60}};
    for (const auto& level : levels) {
        NoGuessGenerator generator(level.side, level.side, level.side);
        const int cubes = level.side * level.side * level.side;
        for (const std::uint32_t seed : {1U, 2U, 77U, 4000000000U}) {
            const int first = static_cast<int>(seed % static_cast<std::uint32_t>(cubes));
            const auto layout = generator.generate(level.bombs, first, seed, kByAttempts);
            ASSERT_TRUE(layout.has_value()) << level.side << " seed " << seed;
            EXPECT_EQ(std::count(layout->begin(), layout->end(), true), level.bombs);
            EXPECT_FALSE((*layout)[first]);
            EXPECT_TRUE(clearsWithoutGuess(level.side, level.side, level.side, *layout, first));
            test::PlayerView view(level.side, level.side, level.side, *layout);
            EXPECT_TRUE(clearedByHints(view, level.bombs, first)) << level.side << " " << seed;
            // The same arguments give the same layout, whatever was generated in between.
            ASSERT_TRUE(generator.generate(level.bombs, first, seed + 1, kByAttempts).has_value());
            EXPECT_EQ(generator.generate(level.bombs, first, seed, kByAttempts), layout);
        }
    }
}

TEST(NoGuessGeneratorTest, PlayOutTellsAGuessFromAProof)
{
    const struct {
        const char* what;
        int width, height, depth;
        std::vector<bool> layout;
        int first;
        bool cleared;
    } cases[] = {
        {"one bomb among three mutual neighbours", 2, 2, 1, {false, true, false, false}, 0, false},
        {"the total places the last bomb", 2, 1, 1, {false, true}, 0, true},
        {"a flood reaches the number that ends it", 4, 1, 1, {false, false, false, true}, 0, true},
        {"a bomb on the first cube", 2, 1, 1, {true, false}, 0, false},
        {"a layout of the wrong size", 2, 1, 1, {false}, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clearsWithoutGuess(c.width, c.height, c.depth, c.layout, c.first), c.cleared)
            << c.what;
}

// With 62 bombs in 64 cubes the one other safe cube either touches the first one (which then
// cannot tell which of its seven neighbours it is) or does not (and then 56 cubes hide it), so
// no layout can be played without a guess.
TEST(NoGuessGeneratorTest, ImpossibleAndInvalidRequestsEndWithNothing)
{
    NoGuessGenerator generator(4, 4, 4);
    const struct {
        int bombs, first;
        GenerationBudget budget;
    } cases[] = {
        {62, 0, {200, std::chrono::seconds(30)}},
        {62, 0, {1 << 30, std::chrono::milliseconds(200)}},
        {64, 0, {}},
        {6, 64, {}},
        {-1, 0, {}},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(generator.generate(c.bombs, c.first, 1, c.budget).has_value()) << c.bombs;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    }
    const auto full = generator.generate(63, 5, 1, kByAttempts);
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(std::count(full->begin(), full->end(), false), 1);
    EXPECT_FALSE((*full)[5]);
}

} // namespace
} // namespace kubrix
