// One frame: the background, the camera and light, the block in board coordinates, the overlay.
#include "platform/gl/scene_renderer.h"

#include "core/game/game.h"
#include "core/scene/camera.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

namespace kubrix {

namespace {

using Vector4 = std::array<GLfloat, 4>;

// The single directional light, from the viewer's upper left, and the material it lights.
struct Light {
    Vector4 position;
    Vector4 ambient{0.3F, 0.3F, 0.3F, 1.0F};
    Vector4 specular{0.7F, 0.7F, 0.8F, 1.0F};
    Vector4 diffuse{0.4F, 0.4F, 0.4F, 1.0F};
    std::array<GLfloat, 3> spotDirection{0.0F, 0.0F, 0.0F};
    GLfloat spotExponent = 0.0F;
    GLfloat spotCutoff = 180.0F;
    GLfloat constantAttenuation = 1.0F;
    GLfloat linearAttenuation = 0.0F;
    GLfloat quadraticAttenuation = 0.0F;
};

Light lightZero()
{
    Light light;
    const auto unit = static_cast<GLfloat>(1.0 / std::sqrt(3.0));
    // w = 0: a direction, not a point.
    light.position = {-unit, unit, unit, 0.0F};
    return light;
}

constexpr GLfloat kShininess = 80.0F;
constexpr Vector4 kSceneAmbient{0.4F, 0.4F, 0.4F, 1.0F};

} // namespace

SceneRenderer::SceneRenderer(RenderContext& context, TextureSet& textures)
    : context_(context), textures_(textures), board_(context, textures),
      overlay_(context, textures), background_(context, textures, overlay_), sceneCache_(textures),
      caption_(context)
{
}

void SceneRenderer::setupLighting()
{
    const Light light = lightZero();
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, light.position.data());
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse.data());
    glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular.data());
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, light.spotDirection.data());
    glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient.data());
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, light.spotExponent);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, light.spotCutoff);
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, light.constantAttenuation);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, light.linearAttenuation);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, light.quadraticAttenuation);

    glMaterialfv(GL_FRONT, GL_AMBIENT, light.ambient.data());
    glMaterialfv(GL_FRONT, GL_DIFFUSE, light.diffuse.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, light.specular.data());
    glMaterialf(GL_FRONT, GL_SHININESS, kShininess);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, kSceneAmbient.data());
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
}

void SceneRenderer::placeBoard(const CameraSetup& camera, const Quaternion& viewRotation)
{
    const AxisAngle turn = toAxisAngle(viewRotation);
    // The identity has no axis to turn about.
    if (turn.degrees != 0.0F)
        glRotatef(turn.degrees, turn.x, turn.y, turn.z);
    glTranslatef(camera.offsetX, camera.offsetY, camera.offsetZ);
}

PixelRect SceneRenderer::renderFrame(const FrameView& view)
{
    const PixelRect client{0, 0, view.width, view.height};
    if (!context_.ready())
        return OverlayDrawer::faceRect(client);
    const Game& game = view.game;
    textures_.setSmoothTextures(game.quality() > 0);
    board_.scene().setTint(view.tint);
    // Built before the key is taken, so the key is of the block this frame shows.
    board_.scene().update(game);
    const SceneKey key = keyOf(view);

    context_.prepareFrame(view.width, view.height);
    textures_.restoreBinding();
    context_.setClearColour({view.buttonFace.r, view.buttonFace.g, view.buttonFace.b, 0.0F});
    if (!sceneCache_.restore(key, client)) {
        drawScene(view, client);
        sceneCache_.drawn(key, client);
    }

    const PixelRect face = overlay_.drawHud(client, game);
    if (view.showBoard)
        caption_.draw(client, view.layerCaption);
    context_.endFrame();
    return face;
}

SceneKey SceneRenderer::keyOf(const FrameView& view)
{
    const Game& game = view.game;
    const BoardScene& scene = board_.scene();
    return {context_.serial(),
            view.width,
            view.height,
            view.showBoard,
            view.viewRotation,
            view.distance,
            view.cursorIndex,
            view.buttonFace,
            scene.builds(),
            game.hoverIndex(),
            scene.neighbourhood(),
            game.bombHint().on(),
            game.litHint(),
            textures_.uploads(),
            // An invalidated set reloads at its next use, perhaps from another skin.
            textures_.currentSlot() != -1,
            textures_.smoothTextures()};
}

void SceneRenderer::drawScene(const FrameView& view, const PixelRect& client)
{
    const Game& game = view.game;
    const Board& board = game.board();
    // The colour buffer is never cleared: the background picture covers the whole window. It
    // goes in before the depth is cleared: a software renderer copies it at once, and would
    // first wait for a clear already queued.
    background_.draw(client);
    glDepthMask(GL_TRUE);
    context_.clearDepth();

    const CameraSetup camera =
        cameraFor(board.width(), board.height(), board.depth(), board.sceneRadius(), view.width,
                  view.height, view.distance);
    context_.applyProjection(-camera.xExtent, camera.xExtent, -camera.yExtent, camera.yExtent,
                             camera.nearPlane, camera.farPlane);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_FLAT);
    context_.setFlatShading(true);
    glEnable(GL_LIGHTING);
    setupLighting();

    glTranslatef(0.0F, 0.0F, camera.centreZ);
    // The colour set per cube becomes its ambient and diffuse reflectance. Mesa queues material
    // changes and may apply them after the enable has copied the current colour in, leaving the
    // block lit with the dim material until the colour next changes; reading the current
    // colour back makes the queued changes land first.
    GLfloat current[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, current);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);

    if (view.showBoard) {
        glPushMatrix();
        placeBoard(camera, view.viewRotation);
        board_.drawBoard(game, view.viewRotation, false, view.cursorIndex);
        glPopMatrix();
    }
}

} // namespace kubrix
