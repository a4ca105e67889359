// Selection-mode picking of the cube under a point.
#include "platform/gl/picker.h"

#include "core/game/game.h"
#include "core/scene/camera.h"
#include "core/scene/pick_hit.h"
#include "platform/gl/board_drawer.h"
#include "platform/gl/render_context.h"
#include "platform/gl/scene_renderer.h"

#include <GL/gl.h>

#include <span>

namespace kubrix {

namespace {

// The name in force before the first strip loads its own; never a cube index.
constexpr GLuint kNoName = 0xFFFFFFFFU;

} // namespace

Picker::Picker(RenderContext& context, BoardDrawer& drawer) : context_(context), drawer_(drawer)
{
}

int Picker::pickCube(Game& game, const Quaternion& viewRotation, int clientWidth, int clientHeight,
                     int x, int y, PickMode mode)
{
    if (!context_.contextReady)
        return 0;
    const std::optional<int> cube = cubeAt(game, viewRotation, clientWidth, clientHeight, x, y);
    switch (mode) {
    case PickMode::Hover:
        return game.setHover(cube.value_or(-1));
    case PickMode::Expose:
        return cube ? game.expose(*cube) : 0;
    case PickMode::Mark:
        return cube ? game.toggleMark(*cube) : 0;
    }
    return 0;
}

std::optional<int> Picker::cubeAt(const Game& game, const Quaternion& viewRotation, int clientWidth,
                                  int clientHeight, int x, int y)
{
    if (!context_.contextReady)
        return std::nullopt;
    const Board& board = game.board();
    // The viewport the frame draws with; outside a paint it may have been left otherwise.
    glViewport(0, 0, clientWidth, clientHeight);
    glClearDepth(context_.clearDepth);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const CameraSetup camera = cameraFor(board.width(), board.height(), board.depth(),
                                         board.sceneRadius(), clientWidth, clientHeight);

    context_.beginFrame();
    setSelectMode(true, x, y);
    context_.applyProjection(-camera.xExtent, camera.xExtent, -camera.yExtent, camera.yExtent,
                             camera.nearPlane, camera.farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0F, 0.0F, camera.centreZ);
    SceneRenderer::placeBoard(camera, viewRotation);
    // Only faces turned towards the viewer can be hit, as only they are seen.
    glEnable(GL_CULL_FACE);
    drawer_.drawBoard(game, viewRotation, true);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    context_.endPickFrame();
    setSelectMode(false, x, y);
    if (!context_.hitValid)
        return std::nullopt;
    return context_.pickedName;
}

void Picker::setSelectMode(bool on, int x, int y)
{
    if (!context_.contextReady)
        return;
    if (on) {
        context_.pickX = x;
        context_.pickY = y;
        context_.selecting = true;
        glSelectBuffer(RenderContext::kSelectBufferWords, context_.selectBuffer.data());
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(kNoName);
        return;
    }
    context_.selecting = false;
    const GLint hits = glRenderMode(GL_RENDER);
    const std::optional<std::uint32_t> chosen =
        chooseHit(std::span<const std::uint32_t>(context_.selectBuffer), hits);
    // Only a strip's own name is a cube; the base name would mean something drew unnamed.
    context_.hitValid = chosen.has_value() && *chosen != kNoName;
    if (context_.hitValid)
        context_.pickedName = static_cast<std::int32_t>(*chosen);
}

} // namespace kubrix
