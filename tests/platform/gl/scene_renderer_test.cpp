// Frames of the scene rendered on a real OpenGL context: the block, its labels, the bombs of a
// lost game, the hover tint and the graphics qualities.
#include "platform/gl/render_rig.h"

namespace kubrix::test {
namespace {

using SceneRender = RenderRig;

// Rows between the counters at the top and the banner at the bottom of a 600 x 400 frame.
constexpr int kBlockTop = 42;
constexpr int kBlockBottom = 358;

TEST_F(SceneRender, DrawsTheCoveredBlockOverTheBackgroundAndNothingWhereAllIsExposed)
{
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const Frame background = renderBackground();
    const Frame block = render();
    EXPECT_FALSE(block.sameAt(background, kWidth / 2, kHeight / 2));
    EXPECT_GT(block.differences(background, 250, 150, 350, 250), 9000)
        << "the front of the block fills the middle of the window";
    EXPECT_EQ(block.differences(background, 0, 120, 150, 280), 0) << "left of the block";
    EXPECT_EQ(block.differences(background, 450, 120, 600, 280), 0) << "right of the block";
    EXPECT_EQ(faceRect.left, 279);
    EXPECT_EQ(faceRect.top, 0);
    EXPECT_EQ(faceRect.right, 321);
    EXPECT_EQ(faceRect.bottom, 42);

    std::vector<Cube> exposed = blockWithBombs(4, 4, 4, {});
    for (Cube& cube : exposed)
        cube.covered = 0;
    playBoard(4, 4, 4, exposed);
    const Frame empty = render();
    EXPECT_EQ(empty.differences(background, 0, kBlockTop, kWidth, kBlockBottom), 0);
}

TEST_F(SceneRender, DrawsNothingAndUploadsNothingWithoutAReadyContext)
{
    context.contextDestroyed();
    const Frame frame = render();
    int untouched = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            untouched += frame.at(x, y) == std::array<int, 3>{255, 0, 255} ? 1 : 0;
    EXPECT_EQ(untouched, kWidth * kHeight);
    EXPECT_FALSE(context.frameOpen());
    EXPECT_EQ(textures.uploads(), 0);
    EXPECT_EQ(textures.binds(), 0);
    EXPECT_EQ(faceRect.right - faceRect.left, 42) << "clicks are still placed on the face";
}

TEST_F(SceneRender, ShowsTheNumberOfAnExposedCubeFacingTheViewer)
{
    // Cube (2, 2, 3) sits on the face of the block nearest the viewer, beside the bomb.
    std::vector<Cube> cubes = blockWithBombs(4, 4, 4, {{1, 1, 3}});
    Cube& open = cubes[static_cast<std::size_t>(indexIn4(2, 2, 3))];
    ASSERT_EQ(open.neighbourBombs, 1);
    open.covered = 0;
    playBoard(4, 4, 4, cubes);
    const Frame numbered = render();
    ASSERT_EQ(renderer.boardDrawer().scene().labels().count(), 1);

    // The same hole without a number: only the label can make the difference.
    open.neighbourBombs = 0;
    playBoard(4, 4, 4, cubes);
    const Frame plain = render();
    ASSERT_EQ(renderer.boardDrawer().scene().labels().count(), 0);

    const auto centre = projectedCentre(2, 2, 3);
    const int half = static_cast<int>(0.3F * centre.pixelsPerUnit) + 3;
    const int inside = numbered.differences(plain, centre.x - half, centre.y - half,
                                            centre.x + half, centre.y + half);
    EXPECT_GT(inside, 40) << "the number's strokes";
    EXPECT_EQ(numbered.differences(plain, 0, kBlockTop, kWidth, kBlockBottom), inside)
        << "nothing but the label changed";
}

TEST_F(SceneRender, ShowsTheBombsThroughTheBlockOnlyAfterALoss)
{
    // Two bombs deep inside, one marked on the front, and the one that goes off.
    const std::vector<CubeAt> bombs{{1, 1, 1}, {2, 2, 2}, {0, 0, 3}, {3, 3, 3}};
    const auto cubes = blockWithBombs(4, 4, 4, {{1, 1, 1}, {2, 2, 2}, {0, 0, 3}, {3, 3, 3}});
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {}));
    const Frame noBombs = render();
    playBoard(4, 4, 4, cubes);
    const Frame running = render();
    EXPECT_EQ(running.differences(noBombs, 0, kBlockTop, kWidth, kBlockBottom), 0)
        << "a running game hides its bombs";

    ASSERT_EQ(game->toggleMark(indexIn4(0, 0, 3)), 1);
    const Frame marked = render();
    ASSERT_EQ(game->expose(indexIn4(3, 3, 3)), 1);
    ASSERT_TRUE(game->lost());
    const Frame lost = render();

    const auto nearBomb = [&](int x, int y) {
        for (const auto& [bx, by, bz] : bombs) {
            const auto at = projectedCentre(bx, by, bz);
            const int half = static_cast<int>(0.5F * at.pixelsPerUnit) + 3;
            if (std::abs(x - at.x) <= half && std::abs(y - at.y) <= half)
                return true;
        }
        return false;
    };
    int farFromBombs = 0;
    for (int y = kBlockTop; y < kBlockBottom; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (!lost.sameAt(marked, x, y) && !nearBomb(x, y))
                ++farFromBombs;
    EXPECT_EQ(farFromBombs, 0);
    for (const auto& [bx, by, bz] : bombs) {
        const auto at = projectedCentre(bx, by, bz);
        const int half = static_cast<int>(0.25F * at.pixelsPerUnit);
        EXPECT_GT(lost.differences(marked, at.x - half, at.y - half, at.x + half, at.y + half), 0)
            << "bomb at " << bx << ", " << by << ", " << bz;
    }
}

TEST_F(SceneRender, TintsTheHoveredCubeAndShowsABombRedOnceTheHintIsOn)
{
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{1, 2, 3}}));
    const Frame plain = render();
    // Middles of the front faces of cube (1, 2, 3), a bomb, and of its safe neighbour (2, 1, 3).
    const auto bomb = project(1.5F, 2.5F, 4.0F);
    const auto safe = project(2.5F, 1.5F, 4.0F);

    // A bright, not blueish tint turns the hovered cube cyan-white: only red loses.
    ASSERT_EQ(game->setHover(indexIn4(2, 1, 3)), 1);
    const Frame hovered = render();
    EXPECT_TRUE(hovered.sameAt(plain, bomb.x, bomb.y));
    EXPECT_LT(hovered.at(safe.x, safe.y)[0], plain.at(safe.x, safe.y)[0] - 10);
    EXPECT_NEAR(hovered.at(safe.x, safe.y)[1], plain.at(safe.x, safe.y)[1], 2);
    EXPECT_NEAR(hovered.at(safe.x, safe.y)[2], plain.at(safe.x, safe.y)[2], 2);

    // Quick clicks on a marked cube switch the hint on.
    ASSERT_EQ(game->toggleMark(indexIn4(0, 0, 0)), 1);
    for (int click = 0; click < 6; ++click) {
        clock.advance(100);
        game->expose(indexIn4(0, 0, 0));
    }
    ASSERT_TRUE(game->bombHint().on());
    const Frame hintSafe = render();
    EXPECT_TRUE(hintSafe.sameAt(hovered, safe.x, safe.y)) << "a safe cube keeps the hover tint";
    ASSERT_EQ(game->setHover(indexIn4(1, 2, 3)), 1);
    const Frame hintBomb = render();
    const auto red = hintBomb.at(bomb.x, bomb.y);
    EXPECT_GT(red[0], red[1] + 60);
    EXPECT_GT(red[0], red[2] + 60);
    EXPECT_TRUE(hintBomb.sameAt(plain, safe.x, safe.y));

    // Every colour change leaves the lighting as it was: the first frame is lit as brightly
    // as any frame after a hover.
    ASSERT_EQ(game->setHover(-1), 1);
    EXPECT_EQ(render().differences(plain, 0, kBlockTop, kWidth, kBlockBottom), 0);
}

TEST_F(SceneRender, DrawsBevelledCubesAndNearestTexelsWithoutErrors)
{
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const Frame background = renderBackground();
    const Frame flat = render();

    game->setQuality(2);
    const Frame bevelled = render();
    ASSERT_TRUE(renderer.boardDrawer().scene().mesh().bevelled());
    EXPECT_FALSE(bevelled.sameAt(background, kWidth / 2, kHeight / 2));
    EXPECT_GT(bevelled.differences(flat, 150, kBlockTop, 450, kBlockBottom), 1000)
        << "the chamfers change the look of every face";

    game->setQuality(0);
    const Frame nearest = render();
    ASSERT_FALSE(textures.smoothTextures());
    EXPECT_FALSE(nearest.sameAt(background, kWidth / 2, kHeight / 2));
    for (const int slot : {TextureSet::kCubeAtlas, TextureSet::kOverlayAtlas}) {
        glBindTexture(GL_TEXTURE_2D, textures.texture(slot)->glName());
        GLint filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
        EXPECT_EQ(filter, GL_NEAREST) << "slot " << slot;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
} // namespace kubrix::test
