// The keyboard cursor and label picking: arrows go where the screen says on a turned block, the
// cursor only lands on covered cubes the eye sees, and labels are found by where they show.
#include "core/game/board.h"
#include "core/scene/keyboard_cursor.h"
#include "core/scene/label_picker.h"
#include "core/scene/number_labels.h"
#include "core/scene/view_projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <set>

namespace kubrix {
namespace {

constexpr int kClient = 600;

class KeyboardCursorTest : public ::testing::Test {
protected:
    void SetUp() override { board.generate(5, 5, 5, 0, -1); }

    ManualClock clock{9};
    Board board{clock};
    KeyboardCursor cursor;
};

TEST_F(KeyboardCursorTest, ArrowsFollowTheScreenForEveryQuarterTurnOfTheView)
{
    // Face on, the block's +z side towards the viewer, spun about the viewing axis.
    for (int quarter = 0; quarter < 4; ++quarter) {
        const Quaternion rotation = fromEuler(0.0F, 0.0F, 90.0F * static_cast<float>(quarter));
        const ViewProjection view(board, rotation, kClient, kClient);
        KeyboardCursor fresh;
        fresh.show(view);
        ASSERT_EQ(fresh.cube(), board.indexOf(2, 2, 4)) << "the middle of the face in view";

        // Screen right and up (y downwards) turned back into the block, to whole steps.
        const float turn = 90.0F * static_cast<float>(quarter) * 0.01745329252F;
        const int rightX = static_cast<int>(std::lround(std::cos(turn)));
        const int rightY = static_cast<int>(std::lround(-std::sin(turn)));
        for (const auto& [direction, sx, sy] :
             {std::tuple{ScreenDirection::Right, rightX, rightY},
              std::tuple{ScreenDirection::Left, -rightX, -rightY},
              std::tuple{ScreenDirection::Up, -rightY, rightX},
              std::tuple{ScreenDirection::Down, rightY, -rightX}}) {
            KeyboardCursor moving = fresh;
            ASSERT_TRUE(moving.move(direction, view));
            EXPECT_EQ(moving.cube(), board.indexOf(2 + sx, 2 + sy, 4))
                << quarter << " quarters, direction " << int(direction);
        }
    }
}

TEST_F(KeyboardCursorTest, ArrowsReachEveryCoveredCubeTheEyeSeesOnATurnedBlock)
{
    // Numbers in a pit of the front side sit right before covered cubes on screen.
    board.generate(4, 4, 4, 0, -1);
    for (const auto& [x, y, z] : {std::tuple{1, 1, 3}, std::tuple{2, 1, 3}, std::tuple{1, 2, 3},
                                  std::tuple{2, 2, 3}, std::tuple{1, 1, 2}, std::tuple{3, 0, 0}}) {
        Cube& cube = board.cube(board.indexOf(x, y, z));
        cube.covered = 0;
        cube.neighbourBombs = 1;
    }
    struct Case {
        Quaternion rotation;
        Peel peel;
        std::size_t seen = 0; // when known: face on, the front side less the pit and 4 behind it
    };
    for (const Case& c :
         {Case{Quaternion{}, {}, 16}, Case{kTutorialRotation, {}},
          Case{fromEuler(0.0F, 0.0F, 45.0F), {}}, Case{fromEuler(-35.0F, 40.0F, 10.0F), {}},
          Case{fromEuler(15.0F, -20.0F, 0.0F), {2, 1, 1}},
          Case{fromEuler(160.0F, 30.0F, 0.0F), {}}}) {
        const ViewProjection view(board, c.rotation, kClient, kClient * 3 / 4, 1.0F, c.peel);
        std::set<int> seen;
        for (int index = 0; index < board.cubeCount(); ++index)
            if (view.showsCovered(index))
                seen.insert(index);
        if (c.seen != 0) {
            EXPECT_EQ(seen.size(), c.seen) << "only covered cubes with nothing covered before them";
        }
        KeyboardCursor start;
        start.show(view);
        ASSERT_TRUE(start.cube());
        // Breadth first over every key press from the start.
        std::set<int> reached{*start.cube()};
        std::deque<KeyboardCursor> queue{start};
        for (; !queue.empty(); queue.pop_front()) {
            for (const ScreenDirection direction : {ScreenDirection::Left, ScreenDirection::Right,
                                                    ScreenDirection::Up, ScreenDirection::Down}) {
                KeyboardCursor next = queue.front();
                if (next.move(direction, view) && reached.insert(*next.cube()).second)
                    queue.push_back(next);
            }
        }
        EXPECT_EQ(reached, seen) << "view " << c.rotation.x << "," << c.rotation.y;
    }
}

TEST_F(KeyboardCursorTest, LabelsArePickedWhereTheyShowFrontMostFirst)
{
    // Two numbers straight behind one another in an open tunnel: the front one shows.
    for (int z = 2; z < 5; ++z)
        board.cube(board.indexOf(2, 2, z)).covered = 0;
    for (int z = 3; z < 5; ++z)
        board.cube(board.indexOf(2, 2, z)).neighbourBombs = 1;
    NumberLabels labels;
    labels.build(board, {});
    ASSERT_EQ(labels.count(), 2);
    const ViewProjection view(board, Quaternion{}, kClient, kClient);
    const ScreenPoint front = *view.projectCube(board.indexOf(2, 2, 4));
    const float half = NumberLabels::kHalfSize * view.pixelsPerUnit(front.depth);
    EXPECT_EQ(labelAt(labels, view, front.x + half * 0.9F, front.y), board.indexOf(2, 2, 4));
    EXPECT_FALSE(labelAt(labels, view, front.x + half * 1.2F, front.y)) << "beside the square";
    // Turned away, covered cubes hide both.
    const ViewProjection back(board, fromEuler(0.0F, 180.0F, 0.0F), kClient, kClient);
    EXPECT_FALSE(labelAt(labels, back, back.projectCube(board.indexOf(2, 2, 4))->x,
                         back.projectCube(board.indexOf(2, 2, 4))->y));
}

} // namespace
} // namespace kubrix
