// A window at rest copies its kept block back; any change of the block draws it anew.
#include "core/game/face_state.h"
#include "platform/gl/render_rig.h"

#include <functional>
#include <utility>

namespace kubrix::test {
namespace {

using SceneCacheRender = RenderRig;

TEST_F(SceneCacheRender, AWindowAtRestCopiesTheBlockAndDrawsItAnewForAnyChangeOfIt)
{
    std::vector<Cube> cubes = blockWithBombs(4, 4, 4, {{1, 2, 3}});
    cubes[static_cast<std::size_t>(indexIn4(2, 2, 3))].covered = 0;
    playBoard(4, 4, 4, cubes);
    QWindow window;
    ASSERT_TRUE(drawInto(&window));
    FrameView view{*game, viewRotation, kWidth, kHeight};
    const auto frameBy = [&](SceneRenderer& drawer) {
        glClearColor(1.0F, 0.0F, 1.0F, 1.0F);
        glClear(GL_COLOR_BUFFER_BIT);
        drawer.renderFrame(view);
        return readBack();
    };
    const auto frame = [&] { return frameBy(renderer); };
    // What a renderer that has kept nothing draws of the same game.
    BoardScene& scene = renderer.boardDrawer().scene();
    const auto inFull = [&] {
        SceneRenderer fresh(context, textures);
        fresh.boardDrawer().scene().setNeighbourhood(scene.neighbourhood());
        return frameBy(fresh);
    };

    // The first frame loads the textures; the next two are alike, and the second is kept.
    frame();
    frame();
    const Frame atRest = frame();
    EXPECT_EQ(renderer.sceneCache().restores(), 0);
    game->face().set(FaceState::kBlink, clock.now());
    const Frame blink = frame();
    EXPECT_EQ(renderer.sceneCache().restores(), 1);
    EXPECT_GT(blink.differences(atRest, 0, 0, kWidth, kHeight), 0) << "the face blinks";
    EXPECT_EQ(blink.differences(inFull(), 0, 0, kWidth, kHeight), 0);
    EXPECT_EQ(frame().differences(blink, 0, 0, kWidth, kHeight), 0);
    EXPECT_EQ(renderer.sceneCache().restores(), 2);

    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"hover", [&] { game->setHover(indexIn4(0, 3, 3)); }},
        {"neighbourhood", [&] { scene.setNeighbourhood(true); }},
        {"mark", [&] { game->toggleMark(indexIn4(0, 0, 3)); }},
        {"cursor", [&] { view.cursorIndex = indexIn4(3, 3, 3); }},
        {"turn", [&] { viewRotation = fromEuler(0.0F, 0.3F, 0.0F); }},
        {"zoom", [&] { view.distance = 1.5F; }},
        {"tint", [&] { view.tint = {1.0F, 1.0F, 1.0F, 1.0F}; }},
        {"chamfers", [&] { game->setQuality(game->quality() == 2 ? 1 : 2); }},
        {"pause", [&] { view.showBoard = false; }},
        {"size", [&] { view.width = kWidth / 2; }},
    };
    for (const auto& [what, change] : changes) {
        frame();
        const Frame kept = frame();
        change();
        const int restores = renderer.sceneCache().restores();
        const Frame changed = frame();
        EXPECT_EQ(renderer.sceneCache().restores(), restores) << what;
        EXPECT_GT(changed.differences(kept, 0, 0, kWidth, kHeight), 0) << what;
        EXPECT_EQ(changed.differences(inFull(), 0, 0, kWidth, kHeight), 0) << what;
    }
    ASSERT_TRUE(drawInto(nullptr));
}

} // namespace
} // namespace kubrix::test
