// The solver against brute force on small positions, and its rules on positions made for them.
#include "core/game/block_neighbours.h"
#include "core/game/solver.h"
#include "player_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

namespace kubrix {
namespace {

// A random layout on a small block, partly exposed as play exposes it, with at most maxCovered
// cubes left covered.
test::PlayerView randomPosition(std::mt19937& random, int maxCovered, int& bombs)
{
    const auto side = [&](int least, unsigned choices) {
        return least + static_cast<int>(random() % choices);
    };
    const BlockNeighbours block(side(2, 3), side(2, 3), side(1, 4));
    const int count = block.cubeCount();
    bombs = side(1, static_cast<unsigned>(count / 3 + 1));
    std::vector<bool> layout(count, false);
    for (int placed = 0; placed < bombs;) {
        const int cube = side(0, static_cast<unsigned>(count));
        placed += layout[cube] ? 0 : 1;
        layout[cube] = true;
    }
    test::PlayerView view(block.width(), block.height(), block.depth(), layout);
    const int wanted = side(0, 4);
    for (int exposed = 0;
         view.covered() > bombs && (exposed < wanted || view.covered() > maxCovered); ++exposed) {
        int cube = side(0, static_cast<unsigned>(count));
        while (layout[cube] || view.cells[cube] != Solver::kCovered)
            cube = (cube + 1) % count;
        view.expose(cube);
    }
    return view;
}

// Per cube: bit 0 when some layout agreeing with the numbers and the total leaves it safe, bit 1
// when some such layout puts a bomb on it. Layouts are bit sets over the covered cubes.
std::vector<int> possibleValues(const test::PlayerView& p, int bombs)
{
    std::vector<int> covered;
    for (int cube = 0; cube < static_cast<int>(p.cells.size()); ++cube)
        if (p.cells[cube] == Solver::kCovered)
            covered.push_back(cube);
    std::vector<std::pair<std::uint32_t, int>> numbers; // covered neighbours, count
    for (int cube = 0; cube < static_cast<int>(p.cells.size()); ++cube)
        if (p.cells[cube] != Solver::kCovered) {
            std::uint32_t around = 0;
            for (std::size_t i = 0; i < covered.size(); ++i)
                around |= p.neighbours.adjacent(cube, covered[i]) ? 1U << i : 0U;
            numbers.emplace_back(around, p.cells[cube]);
        }
    std::vector<int> possible(p.cells.size(), 0);
    const std::uint32_t end = 1U << covered.size();
    // Every set of exactly `bombs` bits, in increasing order.
    for (std::uint32_t set = (1U << bombs) - 1; set < end;) {
        const bool agrees = std::all_of(numbers.begin(), numbers.end(), [&](const auto& n) {
            return std::popcount(set & n.first) == n.second;
        });
        for (std::size_t i = 0; agrees && i < covered.size(); ++i)
            possible[covered[i]] |= (set >> i & 1U) != 0 ? 2 : 1;
        if (set == 0)
            break;
        const std::uint32_t low = set & (0U - set);
        const std::uint32_t ripple = set + low;
        set = ripple | (((set ^ ripple) >> 2) / low);
    }
    return possible;
}

TEST(SolverTest, ProvesExactlyWhatEveryAgreeingLayoutShares)
{
    std::mt19937 random(7);
    int proofs = 0;
    for (int round = 0; round < 3000; ++round) {
        int bombs = 0;
        const test::PlayerView p = randomPosition(random, 20, bombs);
        const std::vector<int> possible = possibleValues(p, bombs);
        Solver solver(p.neighbours.width(), p.neighbours.height(), p.neighbours.depth());
        std::vector<int> claimed(p.cells.size(), 0);
        for (const Deduction& d : solver.deduceAll(p.cells, bombs)) {
            ASSERT_EQ(possible[d.cube], d.bomb ? 2 : 1) << "round " << round << " cube " << d.cube;
            for (const int reason : d.reasons)
                ASSERT_NE(p.cells[reason], Solver::kCovered);
            claimed[d.cube] = possible[d.cube];
        }
        // Small positions stay within every search budget, so nothing certain is missed.
        for (std::size_t cube = 0; cube < possible.size(); ++cube)
            ASSERT_EQ(claimed[cube], possible[cube] % 3) << "round " << round << " cube " << cube;
        const auto hint = solver.hint(p.cells, bombs);
        ASSERT_EQ(hint.has_value(),
                  std::count(claimed.begin(), claimed.end(), 0) < static_cast<int>(claimed.size()));
        if (hint) {
            EXPECT_EQ(possible[hint->cube], hint->bomb ? 2 : 1);
            EXPECT_TRUE(!hint->bomb || std::count(claimed.begin(), claimed.end(), 1) == 0);
            EXPECT_EQ(hint->bomb, p.layout[hint->cube]);
        }
        proofs += static_cast<int>(std::count(claimed.begin(), claimed.end(), 1));
    }
    EXPECT_GT(proofs, 1000);
}

// A row of three numbers 1 1 1 over a covered row (x across, y down, one layer): the first
// two see {a, b} and {a, b, c}, so c is safe on the subset rule alone; then the third number
// finds b a bomb, and the first one a safe. The same position stood up along z must solve alike.
TEST(SolverTest, SubsetRuleSolvesTheRowItWasMadeFor)
{
    const struct {
        int width, height, depth;
        int step; // index distance between the rows
    } blocks[] = {{3, 3, 1, 3}, {3, 1, 3, 3}, {1, 3, 3, 1}};
    for (const auto& b : blocks) {
        const int along = b.step == 1 ? 3 : 1;
        const auto at = [&](int x, int row) { return x * along + row * b.step; };
        std::vector<bool> layout(9, false);
        layout[at(1, 1)] = layout[at(2, 2)] = true;
        test::PlayerView view(b.width, b.height, b.depth, layout);
        for (int x = 0; x < 3; ++x)
            view.expose(at(x, 0));
        Solver solver(b.width, b.height, b.depth);
        const std::vector<Deduction> proofs = solver.deduceAll(view.cells, 2);
        ASSERT_EQ(proofs.size(), 3U);
        const std::vector<int> row{at(0, 0), at(1, 0), at(2, 0)};
        EXPECT_EQ(proofs[0].cube, at(2, 1));
        EXPECT_FALSE(proofs[0].bomb);
        EXPECT_EQ(proofs[0].reasons, std::vector<int>(row.begin(), row.begin() + 2));
        EXPECT_EQ(proofs[1].cube, at(1, 1));
        EXPECT_TRUE(proofs[1].bomb);
        EXPECT_EQ(proofs[1].reasons, row);
        EXPECT_EQ(proofs[2].cube, at(0, 1));
        EXPECT_FALSE(proofs[2].bomb);
        const auto hint = solver.hint(view.cells, 2);
        ASSERT_TRUE(hint.has_value());
        EXPECT_EQ(hint->cube, at(2, 1));
    }
}

TEST(SolverTest, HintPrefersSafeCubesAndOtherwiseSaysWhatItCan)
{
    constexpr std::int8_t C = Solver::kCovered;
    const struct {
        const char* what;
        int width, height, depth, bombs;
        std::vector<std::int8_t> cells;
        int cube; // -1: no hint
        bool bomb;
        std::vector<int> reasons;
    } cases[] = {
        {"nothing shown", 4, 4, 4, 6, std::vector<std::int8_t>(64, C), -1, false, {}},
        {"only a bomb is provable", 2, 1, 1, 1, {1, C}, 1, true, {0}},
        {"a safe cube beats a bomb", 4, 1, 1, 1, {1, C, C, 0}, 2, false, {3}},
        {"the total alone", 2, 2, 1, 0, {C, C, C, C}, 0, false, {}},
        {"a number above its neighbour count", 2, 2, 1, 1, {4, C, C, C}, -1, false, {}},
        {"more bombs than covered cubes", 2, 1, 1, 2, {1, C}, -1, false, {}},
        {"a view of the wrong size", 2, 2, 2, 1, {0, C, C}, -1, false, {}},
    };
    for (const auto& c : cases) {
        Solver solver(c.width, c.height, c.depth);
        const auto hint = solver.hint(c.cells, c.bombs);
        ASSERT_EQ(hint.has_value(), c.cube >= 0) << c.what;
        if (hint) {
            EXPECT_EQ(hint->cube, c.cube) << c.what;
            EXPECT_EQ(hint->bomb, c.bomb) << c.what;
            EXPECT_EQ(hint->reasons, c.reasons) << c.what;
        }
    }
}

} // namespace
} // namespace kubrix
