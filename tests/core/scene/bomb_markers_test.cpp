// The bomb markers: covered bombs of a lost game, with their marks and the exploded one.
#include "core/game/board.h"
#include "core/scene/bomb_markers.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

TEST(BombMarkersTest, ListsCoveredBombsOnlyAfterALoss)
{
    ManualClock clock{3};
    Board board{clock};
    board.generate(3, 2, 2, 0, -1);
    const auto place = [&](int x, int y, int z) -> Cube& {
        Cube& cube = board.cube(board.indexOf(x, y, z));
        cube.bomb = 1;
        return cube;
    };
    place(2, 1, 1).marked = 1;
    place(0, 1, 0);
    Cube& exploded = place(1, 0, 1);
    exploded.intact = 0;
    place(2, 0, 0).covered = 0;                    // an exposed bomb is not drawn as a marker
    board.cube(board.indexOf(1, 1, 0)).marked = 1; // a wrong mark: no bomb, no marker

    BombMarkers bombs;
    bombs.build(board, false, Colour{});
    EXPECT_EQ(bombs.count(), 0);

    bombs.build(board, true, Colour{0.5F, 0.5F, 0.5F, 0.0F});
    ASSERT_EQ(bombs.count(), 3);
    const struct {
        int x, y, z, marked, intact;
    } expected[] = {{0, 1, 0, 0, 1}, {1, 0, 1, 0, 0}, {2, 1, 1, 1, 1}};
    for (std::size_t r = 0; r < 3; ++r) {
        const BombRecord& bomb = bombs.records()[r];
        const auto& e = expected[r];
        EXPECT_EQ(bomb.cubeIndex, board.indexOf(e.x, e.y, e.z)) << r;
        EXPECT_EQ(bomb.x, e.x) << r;
        EXPECT_EQ(bomb.y, e.y) << r;
        EXPECT_EQ(bomb.z, e.z) << r;
        EXPECT_EQ(bomb.marked, e.marked) << r;
        EXPECT_EQ(bomb.intact, e.intact) << r;
    }
    EXPECT_EQ(bombs.tint(), (Colour{0.5F, 0.5F, 0.5F, 0.0F}));
    EXPECT_FLOAT_EQ(bombs.width(), 3.0F);
    EXPECT_FLOAT_EQ(bombs.height(), 2.0F);
    EXPECT_FLOAT_EQ(bombs.depth(), 2.0F);

    // A new game clears the list even though its bombs are covered.
    bombs.build(board, false, Colour{});
    EXPECT_EQ(bombs.count(), 0);
}

} // namespace
} // namespace kubrix
