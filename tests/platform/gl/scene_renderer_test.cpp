// Frames of the scene rendered on a real OpenGL context: the block, its labels, the bombs of a
// lost game, the hover tint and the graphics qualities.
#include "core/scene/atlas.h"
#include "core/scene/view_state.h"
#include "platform/gl/render_rig.h"

#include <algorithm>
#include <cmath>
#include <tuple>

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

    // A view resized by a window manager: Qt makes it a new framebuffer object, which leaves
    // texture 0 bound, and the frame that follows draws its background afresh.
    renderer.renderFrame(FrameView{*game, viewRotation, kWidth / 2, kHeight / 2});
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(render().differences(block, 0, 0, kWidth, kHeight), 0) << "not a white background";

    std::vector<Cube> exposed = blockWithBombs(4, 4, 4, {});
    for (Cube& cube : exposed)
        cube.covered = 0;
    playBoard(4, 4, 4, exposed);
    const Frame empty = render();
    EXPECT_EQ(empty.differences(background, 0, kBlockTop, kWidth, kBlockBottom), 0);
}

TEST_F(SceneRender, AWindowShowsTheSameFrameAsAnOffscreenFramebuffer)
{
    // The background picture is kept in another order for a window than for a framebuffer
    // object: turned the wrong way or with its colours swapped, it would show here.
    std::vector<Cube> exposed = blockWithBombs(4, 4, 4, {});
    for (Cube& cube : exposed)
        cube.covered = 0;
    playBoard(4, 4, 4, exposed);
    const Frame offscreen = render();
    QWindow window;
    ASSERT_TRUE(drawInto(&window));
    const Frame drawn = render();
    const Frame copied = render();
    const Frame background = renderBackground();
    ASSERT_TRUE(drawInto(nullptr));
    for (const Frame* frame : {&drawn, &copied}) {
        EXPECT_EQ(frame->differences(offscreen, 0, 0, kWidth, kHeight), 0);
        EXPECT_EQ(frame->differences(background, 0, kBlockTop, kWidth, kBlockBottom), 0);
    }
}

TEST_F(SceneRender, TheLayerCaptionShowsWithTheBlockAndNotOverAPausedGame)
{
    playBoard(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const auto frameOf = [&](bool showBoard) {
        FrameView view{*game, viewRotation, kWidth, kHeight};
        view.layerCaption = "layer 2 / 4";
        view.showBoard = showBoard;
        renderer.renderFrame(view);
        return readBack();
    };
    const Frame background = renderBackground();
    // The caption sits in the bottom-left corner.
    EXPECT_GT(frameOf(true).differences(background, 0, kHeight - 40, 120, kHeight), 500);
    EXPECT_EQ(frameOf(false).differences(background, 0, kHeight - 40, 120, kHeight), 0);
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

// How closely the tile on the screen matches the flag's picture turned a quarter at a time
// (0..3) and mirrored (4..7): the correlation of brightness, so the face's light does not count.
std::array<double, 8> likenessOfEachTurn(const Frame& frame, const RgbaImage& atlas, PixelRect tile)
{
    // The art draws the -Z tile of a flag unturned, as it stands upright.
    constexpr int kTile = cubeTiles::kMarked + 4;
    const int side = atlas.width / cubeTiles::kGridSize;
    std::array<double, 8> likeness{};
    for (int turn = 0; turn < 8; ++turn) {
        double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0, n = 0;
        for (double w = 0.15; w < 0.85; w += 0.04) {
            for (double u = 0.15; u < 0.85; u += 0.04) { // clear of the tile's edges
                const auto at =
                    frame.at(tile.left + int(u * tile.width()), tile.top + int(w * tile.height()));
                double tu = (turn & 4) != 0 ? 1.0 - u : u, tw = w;
                for (int quarter = 0; quarter < (turn & 3); ++quarter)
                    std::tie(tu, tw) = std::pair{1.0 - tw, tu};
                const int px = (kTile % 8) * side + int(tu * side);
                const int py = atlas.height - 1 - ((kTile / 8) * side + int(tw * side));
                const std::uint8_t* texel = &atlas.pixels[std::size_t(py * atlas.width + px) * 4];
                const double a = at[0] + at[1] + at[2];
                const double b = texel[0] + texel[1] + texel[2];
                sa += a, sb += b, saa += a * a, sbb += b * b, sab += a * b, n += 1;
            }
        }
        const double spread = std::sqrt((n * saa - sa * sa) * (n * sbb - sb * sb));
        likeness[std::size_t(turn)] = spread > 0 ? (n * sab - sa * sb) / spread : 0;
    }
    return likeness;
}

TEST_F(SceneRender, MarksStandUprightOnEveryFaceAndAreNeverMirrored)
{
    std::vector<Cube> cubes = blockWithBombs(3, 3, 3, {{1, 1, 1}});
    for (Cube& cube : cubes)
        cube.marked = 1;
    playBoard(3, 3, 3, cubes);
    // The front face's middle tile; the block is a cube, so every side lands on the same place.
    const Projected topLeft = project(1, 2, 3), bottomRight = project(2, 1, 3);
    const PixelRect tile{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    // Each face turned to the viewer the short way from the starting side: the sides with +y
    // up, the top and bottom tipped towards the viewer.
    struct Side {
        const char* name;
        Quaternion rotation;
        Peel facing;
    };
    const std::array<Side, 6> sides{{
        {"-X", fromEuler(0, 90, 0), {0, -1, 0}},
        {"+X", fromEuler(0, -90, 0), {0, 1, 0}},
        {"-Y", fromEuler(-90, 0, 0), {1, -1, 0}},
        {"+Y", fromEuler(90, 0, 0), {1, 1, 0}},
        {"-Z", fromEuler(0, 180, 0), {2, -1, 0}},
        {"+Z", fromEuler(0, 0, 0), {2, 1, 0}},
    }};
    for (const Side& side : sides) {
        viewRotation = side.rotation;
        ASSERT_EQ(ViewState::facing(viewRotation), side.facing) << side.name;
        const Frame frame = render(); // before the atlas is looked up: the frame uploads it
        const std::array<double, 8> likeness =
            likenessOfEachTurn(frame, textures.texture(TextureSet::kCubeAtlas)->image(), tile);
        const auto best = std::max_element(likeness.begin(), likeness.end()) - likeness.begin();
        EXPECT_EQ(best, 0) << side.name << ": turned " << best % 4 << " quarters"
                           << (best >= 4 ? ", mirrored" : "");
        EXPECT_GT(likeness[0], 0.6) << side.name;
    }
}

} // namespace
} // namespace kubrix::test
