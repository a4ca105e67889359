// The number labels: which exposed cubes carry one and what each record says.
#include "core/game/board.h"
#include "core/scene/number_labels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kubrix {
namespace {

class NumberLabelsTest : public ::testing::Test {
protected:
    // A 3 x 3 x 3 board with every cube exposed and no counts, for the test to fill in.
    void openBoard()
    {
        board.generate(3, 3, 3, 0, -1);
        for (int i = 0; i < board.cubeCount(); ++i)
            board.cube(i).covered = 0;
    }
    Cube& at(int x, int y, int z) { return board.cube(board.indexOf(x, y, z)); }
    int index(int x, int y, int z) const { return board.indexOf(x, y, z); }

    std::vector<int> listed(const LabelRecord& label) const
    {
        return {label.neighbours.begin(), label.neighbours.end()};
    }

    ManualClock clock{9};
    Board board{clock};
    NumberLabels labels;
};

TEST_F(NumberLabelsTest, MarkedOnlyNeighbourMakesTheLabelAllMarked)
{
    openBoard();
    at(0, 0, 0).covered = 1;
    at(0, 0, 0).bomb = 1;
    at(0, 0, 0).marked = 1;
    at(1, 0, 0).neighbourBombs = 1;
    at(2, 2, 2).neighbourBombs = 3; // no covered neighbour: nothing left to show
    labels.build(board, Colour{0.2F, 0.4F, 0.6F, 0.0F});

    ASSERT_EQ(labels.count(), 1);
    const LabelRecord& label = labels.records()[0];
    EXPECT_EQ(label.allMarked, 1);
    EXPECT_EQ(label.number, 0);
    EXPECT_EQ(label.cubeIndex, index(1, 0, 0));
    EXPECT_EQ(label.x, 1);
    EXPECT_EQ(label.y, 0);
    EXPECT_EQ(label.z, 0);
    std::vector<int> expected(26, -1);
    expected[0] = index(0, 0, 0);
    EXPECT_EQ(listed(label), expected);
    EXPECT_EQ(labels.tint(), (Colour{0.2F, 0.4F, 0.6F, 0.0F}));

    at(0, 0, 0).marked = 0;
    at(0, 0, 0).suspect = 1;
    labels.build(board, Colour{});
    ASSERT_EQ(labels.count(), 1);
    EXPECT_EQ(labels.records()[0].allMarked, 0);
}

TEST_F(NumberLabelsTest, NeighboursAreListedInScanOrderNotIndexOrder)
{
    openBoard();
    at(1, 1, 1).neighbourBombs = 5;
    for (const auto& [x, y, z] : {std::array{2, 0, 1}, std::array{0, 2, 1}, std::array{1, 1, 0},
                                  std::array{1, 1, 2}, std::array{0, 0, 2}}) {
        at(x, y, z).covered = 1;
        at(x, y, z).marked = 1;
    }
    at(0, 2, 1).marked = 0;
    labels.build(board, Colour{});

    ASSERT_EQ(labels.count(), 1);
    const LabelRecord& label = labels.records()[0];
    // x offset outermost, then y, then z.
    std::vector<int> expected{index(0, 0, 2), index(0, 2, 1), index(1, 1, 0), index(1, 1, 2),
                              index(2, 0, 1)};
    expected.resize(26, -1);
    EXPECT_EQ(listed(label), expected);
    EXPECT_EQ(label.allMarked, 0);
    EXPECT_EQ(label.number, 4);
}

TEST_F(NumberLabelsTest, ExposedCubeInsideACoveredBlockListsAllTwentySix)
{
    board.generate(3, 3, 3, 0, -1);
    at(1, 1, 1).covered = 0;
    at(1, 1, 1).neighbourBombs = 26;
    labels.build(board, Colour{});
    ASSERT_EQ(labels.count(), 1);
    const LabelRecord& label = labels.records()[0];
    EXPECT_EQ(label.number, 25);
    EXPECT_EQ(std::count(label.neighbours.begin(), label.neighbours.end(), -1), 0);
    EXPECT_EQ(std::count(label.neighbours.begin(), label.neighbours.end(), index(1, 1, 1)), 0);
    std::vector<int> sorted = listed(label);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

TEST_F(NumberLabelsTest, RecordsFollowCubeIndexOrderAndSkipCoveredOrZeroCubes)
{
    board.generate(4, 3, 2, 0, -1);
    for (int i = 0; i < board.cubeCount(); ++i)
        board.cube(i).covered = 0;
    at(3, 2, 1).covered = 1;
    at(3, 2, 1).neighbourBombs = 2; // covered: never labelled
    at(2, 1, 0).neighbourBombs = 1;
    at(3, 1, 1).neighbourBombs = 4;
    at(2, 2, 1).neighbourBombs = 2;
    at(3, 2, 0).neighbourBombs = 0; // borders the covered cube but has no number
    labels.build(board, Colour{});

    ASSERT_EQ(labels.count(), 3);
    const std::vector<int> expected{index(2, 1, 0), index(3, 1, 1), index(2, 2, 1)};
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const LabelRecord& label = labels.records()[r];
        EXPECT_EQ(label.cubeIndex, expected[r]);
        const CubePosition p = board.positionOf(label.cubeIndex);
        EXPECT_EQ(label.x, p.x);
        EXPECT_EQ(label.y, p.y);
        EXPECT_EQ(label.z, p.z);
        EXPECT_EQ(label.number, board.cube(label.cubeIndex).neighbourBombs - 1);
        EXPECT_EQ(label.neighbours[0], index(3, 2, 1));
        EXPECT_EQ(label.neighbours[1], -1);
    }
    EXPECT_FLOAT_EQ(labels.width(), 4.0F);
    EXPECT_FLOAT_EQ(labels.height(), 3.0F);
    EXPECT_FLOAT_EQ(labels.depth(), 2.0F);

    EXPECT_EQ(labels.hoverIndex(), -1);
    labels.setHover(index(3, 2, 1));
    at(3, 2, 1).covered = 0;
    labels.build(board, Colour{});
    EXPECT_EQ(labels.count(), 0);
    EXPECT_EQ(labels.hoverIndex(), index(3, 2, 1));
}

TEST_F(NumberLabelsTest, HoveredCubeLightsExactlyItsExposedNeighboursLabels)
{
    // Every cube of a 5 x 5 x 5 block shows a number but the hovered middle one and a corner.
    board.generate(5, 5, 5, 0, -1);
    for (int i = 0; i < board.cubeCount(); ++i) {
        board.cube(i).covered = 0;
        board.cube(i).neighbourBombs = 1;
    }
    board.cube(index(2, 2, 2)).covered = 1;
    board.cube(index(4, 4, 4)).covered = 1;
    labels.build(board, Colour{});
    labels.setHover(index(2, 2, 2));
    int lit = 0;
    for (const LabelRecord& label : labels.records()) {
        const bool beside =
            std::max({std::abs(label.x - 2), std::abs(label.y - 2), std::abs(label.z - 2)}) <= 1;
        EXPECT_EQ(labels.lit(label), beside) << label.x << label.y << label.z;
        lit += labels.lit(label) ? 1 : 0;
        // Lit labels show in full even at the far side; the others are dimmed only while the
        // neighbourhood is asked for.
        EXPECT_FLOAT_EQ(labels.alphaOf(label, 0.0F, true),
                        beside ? 1.0F : 0.2F * NumberLabels::kDimmed);
        EXPECT_FLOAT_EQ(labels.alphaOf(label, 0.0F, false), beside ? 1.0F : 0.2F);
    }
    EXPECT_EQ(lit, 26);
    labels.setHover(-1);
    EXPECT_FLOAT_EQ(labels.alphaOf(labels.records()[0], 1.0F, true), 1.0F);
}

} // namespace
} // namespace kubrix
