// Selection-mode picking of the cube under a point.
#include "platform/gl/picker.h"

#include "core/game/game.h"
#include "core/scene/camera.h"
#include "platform/gl/board_drawer.h"
#include "platform/gl/render_context.h"
#include "platform/gl/scene_renderer.h"

#include <GL/gl.h>

namespace kubrix {

Picker::Picker(RenderContext& context, BoardDrawer& drawer) : context_(context), drawer_(drawer)
{
}

std::optional<int> Picker::cubeAt(const Game& game, const Quaternion& viewRotation, int clientWidth,
                                  int clientHeight, int x, int y, float distance)
{
    if (!context_.ready())
        return std::nullopt;
    const Board& board = game.board();
    // The viewport the frame draws with; outside a paint it may have been left otherwise.
    glViewport(0, 0, clientWidth, clientHeight);
    context_.clearDepth();
    glEnable(GL_DEPTH_TEST);
    const CameraSetup camera = cameraFor(board.width(), board.height(), board.depth(),
                                         board.sceneRadius(), clientWidth, clientHeight, distance);

    context_.beginFrame();
    context_.beginSelection(x, y);
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
    const std::optional<std::uint32_t> hit = context_.endSelection();
    if (!hit)
        return std::nullopt;
    return static_cast<int>(*hit);
}

} // namespace kubrix
