// Picking on a real OpenGL context, and the fast mesh drawing checked against the plain one: the
// same pixels and the same cube under every point.
#include "core/scene/view_state.h"
#include "platform/gl/picker.h"
#include "platform/gl/render_rig.h"

#include <algorithm>

namespace kubrix::test {
namespace {

// Rows between the counters at the top and the banner at the bottom of the frame.
constexpr int kBlockTop = 42;
constexpr int kBlockBottom = 358;

class PickerTest : public RenderRig {
protected:
    MeshDrawer& meshDrawer() { return renderer.boardDrawer().meshDrawer(); }

    std::optional<int> cubeAt(int x, int y)
    {
        return picker.cubeAt(*game, viewRotation, kWidth, kHeight, x, y);
    }

    // A block whose covered cubes alternate in all three directions, so every covered cube
    // shows all six faces; the exposed ones around the bombs carry numbers.
    void playCheckerboard(int side)
    {
        std::vector<Cube> cubes = blockWithBombs(side, side, side, {{0, 0, 0}, {2, 2, 2}});
        for (int z = 0; z < side; ++z)
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    cubes[static_cast<std::size_t>((z * side + y) * side + x)].covered =
                        (x + y + z) % 2 == 0 ? 1 : 0;
        playBoard(side, side, side, cubes);
    }

    // Pixels of the two frames that differ in any channel.
    static int pixelsApart(const Frame& a, const Frame& b)
    {
        int apart = 0;
        for (std::size_t i = 0; i + 3 < a.rgba.size(); i += 4)
            apart += (a.rgba[i] != b.rgba[i] || a.rgba[i + 1] != b.rgba[i + 1] ||
                      a.rgba[i + 2] != b.rgba[i + 2])
                         ? 1
                         : 0;
        return apart;
    }

    // Renders the board both ways; the frames must match to the last bit.
    void expectSameFrame(const char* what)
    {
        meshDrawer().setDrawing(MeshDrawing::Strips);
        const Frame strips = render();
        meshDrawer().setDrawing(MeshDrawing::Ordered);
        const Frame arrays = render();
        EXPECT_EQ(pixelsApart(strips, arrays), 0) << what;
        EXPECT_GT(pixelsApart(strips, renderBackground()), 1000) << what << ": a block is drawn";
    }

    // Picks on a grid of points over the block (and a little around it) both ways; the cube
    // found must be the same at every point. Returns how many points found a cube.
    int expectSamePicks(const char* what, int step)
    {
        const Frame background = renderBackground();
        const Frame frame = render();
        int left = kWidth, right = 0, top = kHeight, bottom = 0;
        for (int y = kBlockTop; y < kBlockBottom; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (!frame.sameAt(background, x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        int hits = 0;
        int misses = 0;
        int mismatches = 0;
        for (int y = std::max(top - 3, 0); y <= std::min(bottom + 3, kHeight - 1); y += step) {
            for (int x = std::max(left - 3, 0); x <= std::min(right + 3, kWidth - 1); x += step) {
                meshDrawer().setDrawing(MeshDrawing::Strips);
                const std::optional<int> plain = cubeAt(x, y);
                meshDrawer().setDrawing(MeshDrawing::Ordered);
                const std::optional<int> fast = cubeAt(x, y);
                if (plain != fast && ++mismatches <= 5)
                    ADD_FAILURE() << what << " at (" << x << ", " << y
                                  << "): " << plain.value_or(-1) << " plainly, "
                                  << fast.value_or(-1) << " fast";
                (plain ? hits : misses) += 1;
            }
        }
        EXPECT_EQ(mismatches, 0) << what;
        EXPECT_GT(misses, 0) << what << ": the grid reaches past the block";
        return hits;
    }

    Picker picker{context, renderer.boardDrawer()};
};

TEST_F(PickerTest, NeverFindsAPeeledCubeAndReachesTheLayerBehind)
{
    constexpr int kSide = 6;
    playBoard(kSide, kSide, kSide, blockWithBombs(kSide, kSide, kSide, {{0, 0, 0}}));
    viewRotation = kTutorialRotation; // the front and two sides show
    Peel peel = ViewState::facing(viewRotation);
    peel.layers = 2;
    renderer.boardDrawer().scene().setPeel(peel);
    int hits = 0, front = 0;
    for (int y = 0; y < kHeight; y += 6) {
        for (int x = 0; x < kWidth; x += 6) {
            const std::optional<int> cube =
                picker.cubeAt(*game, viewRotation, kWidth, kHeight, x, y, 0.8F); // zoomed in
            if (!cube)
                continue;
            ++hits;
            const CubePosition p = game->board().positionOf(*cube);
            ASSERT_FALSE(peel.hides(p.x, p.y, p.z, kSide)) << x << ", " << y;
            const int along = peel.axis == 0 ? p.x : (peel.axis == 1 ? p.y : p.z);
            front += along == (peel.sign > 0 ? kSide - 3 : 2) ? 1 : 0;
        }
    }
    EXPECT_GT(front, 100) << "the new front layer takes clicks";
    EXPECT_GT(hits, front) << "and the sides of the rest";
}

TEST_F(PickerTest, FindsTheCubeUnderThePointAndNothingOnTheBackground)
{
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    render();
    for (const auto& [x, y] : {std::pair{1, 2}, std::pair{2, 1}, std::pair{3, 3}}) {
        const auto front = projectedCentre(x, y, 3);
        EXPECT_EQ(cubeAt(front.x, front.y), indexIn4(x, y, 3)) << "front face of " << x << y;
    }
    EXPECT_EQ(cubeAt(20, kHeight / 2), std::nullopt);
    EXPECT_FALSE(context.selecting());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // A cube just exposed is gone from the very next pick, before any frame is drawn.
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{1, 2, 2}}));
    const auto front = projectedCentre(1, 2, 3);
    ASSERT_EQ(cubeAt(front.x, front.y), indexIn4(1, 2, 3));
    ASSERT_EQ(game->expose(indexIn4(1, 2, 3)), 1);
    EXPECT_EQ(cubeAt(front.x, front.y), indexIn4(1, 2, 2)) << "the cube behind it";

    // Without a context nothing is picked.
    context.contextDestroyed();
    EXPECT_EQ(cubeAt(front.x, front.y), std::nullopt);
    context.contextCreated();
}

TEST_F(PickerTest, ArraysDrawTheSamePixelsAsStrips)
{
    playBoard(5, 4, 3, blockWithBombs(5, 4, 3, {{1, 1, 1}}));
    expectSameFrame("fresh, facing");
    viewRotation = kTutorialRotation;
    expectSameFrame("fresh, turned");

    playCheckerboard(6);
    viewRotation = fromEuler(25.0F, -40.0F, 10.0F);
    expectSameFrame("checkerboard");
    game->setQuality(2);
    expectSameFrame("checkerboard, bevelled");
    // Deep enough that the cubes in front hide most of those behind, and their numbers.
    playCheckerboard(12);
    for (const Quaternion& turn : {kTutorialRotation, fromEuler(-70.0F, 15.0F, 160.0F)}) {
        viewRotation = turn;
        game->setQuality(1);
        expectSameFrame("deep checkerboard");
        game->setQuality(2);
        expectSameFrame("deep checkerboard, bevelled");
    }

    // A hovered cube splits the arrays into three runs; after a loss its tint is translucent
    // and the bombs show.
    playBoard(5, 5, 5, blockWithBombs(5, 5, 5, {{4, 4, 4}, {0, 4, 4}}));
    viewRotation = kTutorialRotation;
    ASSERT_EQ(game->setHover(game->board().indexOf(2, 4, 2)), 1);
    expectSameFrame("bevelled, hovered");
    ASSERT_EQ(game->setHover(game->board().indexOf(0, 0, 0)), 1);
    expectSameFrame("bevelled, first cube hovered");
    game->setQuality(1);
    ASSERT_EQ(game->expose(game->board().indexOf(4, 4, 4)), 1);
    ASSERT_TRUE(game->lost());
    ASSERT_EQ(game->setHover(game->board().indexOf(4, 4, 0)), 1);
    expectSameFrame("lost, hovered");
}

TEST_F(PickerTest, ArraysAndTheCullPickTheSameCubesAsPlainStripsOnFlatCubes)
{
    playBoard(5, 4, 3, blockWithBombs(5, 4, 3, {{1, 1, 1}}));
    EXPECT_GT(expectSamePicks("fresh, facing", 7), 300);
    viewRotation = kTutorialRotation;
    EXPECT_GT(expectSamePicks("fresh, turned", 8), 300);
    playCheckerboard(6);
    viewRotation = fromEuler(25.0F, -40.0F, 10.0F);
    EXPECT_GT(expectSamePicks("checkerboard", 11), 300);
}

TEST_F(PickerTest, ArraysAndTheCullPickTheSameCubesAsPlainStripsOnBevelledCubes)
{
    game->setQuality(2);
    playBoard(5, 4, 3, blockWithBombs(5, 4, 3, {{1, 1, 1}}));
    viewRotation = fromEuler(-30.0F, 20.0F, 35.0F);
    EXPECT_GT(expectSamePicks("fresh, bevelled", 9), 300);
    playCheckerboard(6);
    viewRotation = fromEuler(25.0F, -40.0F, 10.0F);
    EXPECT_GT(expectSamePicks("checkerboard, bevelled", 13), 200);
}

} // namespace
} // namespace kubrix::test
