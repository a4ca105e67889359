// The board: placement, neighbour counts, restore, the win test and the revision.
#include "core/game/board.h"
#include "core/game/tutorial_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kubrix {
namespace {

class BoardTest : public ::testing::Test {
protected:
    int bombsOn(const Board& b) const
    {
        return static_cast<int>(std::count_if(b.cubes().begin(), b.cubes().end(),
                                              [](const Cube& c) { return c.bomb != 0; }));
    }

    ManualClock clock{4242};
    Board board{clock};
};

TEST_F(BoardTest, IndexingRunsXFastestThenYThenZ)
{
    board.generate(5, 3, 2, 0, -1);
    EXPECT_EQ(board.cubeCount(), 30);
    EXPECT_EQ(board.indexOf(1, 0, 0), 1);
    EXPECT_EQ(board.indexOf(0, 1, 0), 5);
    EXPECT_EQ(board.indexOf(0, 0, 1), 15);
    for (int i = 0; i < board.cubeCount(); ++i) {
        const CubePosition p = board.positionOf(i);
        ASSERT_TRUE(board.contains(p.x, p.y, p.z));
        ASSERT_EQ(board.indexOf(p.x, p.y, p.z), i);
    }
    EXPECT_FALSE(board.contains(5, 0, 0));
    EXPECT_FALSE(board.contains(0, -1, 0));
}

TEST_F(BoardTest, NeighbourCountsAtCornersEdgesFacesAndInterior)
{
    // Every cube but the excluded one holds a bomb, so the excluded cube counts exactly its
    // neighbours: 7 at a corner, 11 on an edge, 17 on a face, 26 inside.
    const struct {
        int x, y, z, expected;
    } cases[] = {{0, 0, 0, 7}, {1, 0, 0, 11}, {1, 1, 0, 17}, {1, 1, 1, 26}, {3, 3, 3, 7}};
    for (const auto& c : cases) {
        board.generate(4, 4, 4, 63, board.indexOf(c.x, c.y, c.z));
        const Cube& excluded = board.cube(board.indexOf(c.x, c.y, c.z));
        EXPECT_EQ(excluded.bomb, 0);
        EXPECT_EQ(excluded.neighbourBombs, c.expected) << c.x << "," << c.y << "," << c.z;
        EXPECT_EQ(bombsOn(board), 63);
    }
    board.generate(1, 1, 1, 0, -1);
    EXPECT_EQ(board.cube(0).neighbourBombs, 0);
}

TEST_F(BoardTest, PlacementHonoursCountAndExclusionForManySeeds)
{
    bool neighbourOfExcludedHeldBomb = false;
    std::set<std::vector<int>> layouts;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        clock.set(seed * 7919U);
        board.generate(4, 4, 4, 20, 21);
        ASSERT_EQ(bombsOn(board), 20);
        ASSERT_EQ(board.cube(21).bomb, 0);
        neighbourOfExcludedHeldBomb |= board.cube(22).bomb != 0 || board.cube(20).bomb != 0;
        std::vector<int> bombs;
        for (int i = 0; i < board.cubeCount(); ++i)
            if (board.cube(i).bomb != 0)
                bombs.push_back(i);
        layouts.insert(bombs);
    }
    EXPECT_TRUE(neighbourOfExcludedHeldBomb);
    EXPECT_GT(layouts.size(), 150U) << "different seeds should give different layouts";
}

TEST_F(BoardTest, SameSeedGivesSameLayout)
{
    clock.set(777);
    board.generate(6, 6, 6, 23, -1);
    const std::vector<Cube> first = board.cubes();
    board.generate(6, 6, 6, 23, -1);
    EXPECT_EQ(board.cubes(), first);
}

TEST_F(BoardTest, PlacementEndsWhenBombsFillEveryAllowedCube)
{
    board.generate(3, 3, 3, 27, -1);
    EXPECT_EQ(bombsOn(board), 27);
    board.regenerateExcluding(27, 13);
    EXPECT_EQ(bombsOn(board), 26);
    EXPECT_EQ(board.cube(13).bomb, 0);
    EXPECT_EQ(board.cube(13).neighbourBombs, 26);

    board.generate(1, 1, 1, 1, -1);
    board.regenerateExcluding(1, 0);
    EXPECT_EQ(bombsOn(board), 0);

    // The generator must reach every cube of the largest board, or a nearly full one would
    // never finish.
    board.generate(20, 20, 20, 7999, 4321);
    EXPECT_EQ(bombsOn(board), 7999);
    EXPECT_EQ(board.cube(4321).bomb, 0);
}

TEST_F(BoardTest, RestoreKeepsEveryFieldAndRefusesWhatItCannotHold)
{
    std::vector<Cube> records(2 * 3 * 1);
    records[0] = {1, 9, {0, 0, 0}, 1, 1, 0, 1, 0};
    records[1] = {0, 2, {0, 0, 0}, 0, 0, 0, 0, 1};
    records[5] = {0, 26, {0, 0, 0}, 1, 0, 1, 1, 1};
    ASSERT_TRUE(board.restore(2, 3, 1, records));
    EXPECT_EQ(board.width(), 2);
    EXPECT_EQ(board.height(), 3);
    EXPECT_EQ(board.depth(), 1);
    // Stored counts are used as they are, even when they disagree with the bombs.
    EXPECT_EQ(board.cubes(), records);

    const std::vector<Cube> before = board.cubes();
    EXPECT_FALSE(board.restore(0, 3, 1, records));
    EXPECT_FALSE(board.restore(21, 1, 1, std::vector<Cube>(21)));
    EXPECT_FALSE(board.restore(2, 3, -1, records));
    // Fewer records than the size needs: refused, nothing read beyond the span.
    EXPECT_FALSE(board.restore(2, 3, 2, records));
    EXPECT_EQ(board.cubes(), before);
    EXPECT_EQ(board.width(), 2);
}

TEST_F(BoardTest, WonWhenOnlyBombsStayCoveredWhateverTheMarksSay)
{
    board.generate(4, 1, 1, 0, -1);
    board.cube(0).bomb = 1;
    board.cube(0).marked = 1;
    board.cube(1).covered = 0;
    board.cube(2).marked = 1;  // safe, but marked 'X'
    board.cube(3).suspect = 1; // safe, but marked '?'
    EXPECT_FALSE(board.allSafeCubesExposed());
    board.cube(2).covered = 0;
    EXPECT_FALSE(board.allSafeCubesExposed()) << "the '?' cube is still covered";
    board.cube(3).covered = 0;
    EXPECT_TRUE(board.allSafeCubesExposed()) << "the marked bomb may stay covered";
    board.cube(0).marked = 0;
    EXPECT_TRUE(board.allSafeCubesExposed());
}

TEST_F(BoardTest, SceneRadiusRoundsTheDiagonalUp)
{
    board.generate(4, 4, 4, 0, -1);
    EXPECT_EQ(board.sceneRadius(), 7);
    board.generate(2, 3, 6, 0, -1);
    EXPECT_EQ(board.sceneRadius(), 7);
    board.generate(1, 1, 1, 0, -1);
    EXPECT_EQ(board.sceneRadius(), 2);
    board.generate(20, 20, 20, 0, -1);
    EXPECT_EQ(board.sceneRadius(), 35);
}

TEST(TutorialLayout, StoredCountsAreTheCountsOfItsBombs)
{
    const auto layout = tutorialLayout();
    const auto at = [&](int x, int y, int z) { return layout[std::size_t((z * 4 + y) * 4 + x)]; };
    std::vector<int> bombs;
    for (int i = 0; i < kTutorialCubes; ++i)
        if (layout[std::size_t(i)].bomb != 0)
            bombs.push_back(i);
    EXPECT_EQ(bombs, (std::vector<int>{4, 9, 12, 20, 27, 59}));
    for (int z = 0; z < 4; ++z)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                int count = 0;
                for (int dz = -1; dz <= 1; ++dz)
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int nx = x + dx, ny = y + dy, nz = z + dz;
                            if ((dx | dy | dz) != 0 && nx >= 0 && nx < 4 && ny >= 0 && ny < 4 &&
                                nz >= 0 && nz < 4)
                                count += at(nx, ny, nz).bomb;
                        }
                EXPECT_EQ(at(x, y, z).neighbourBombs, count) << x << "," << y << "," << z;
                EXPECT_EQ(at(x, y, z).covered, 1);
                EXPECT_EQ(at(x, y, z).intact, 1);
            }
}

} // namespace
} // namespace kubrix
