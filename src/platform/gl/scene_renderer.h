// Draws one frame of the game: background, camera and light, the block, labels, bombs, overlay.
#pragma once

#include "core/base/colour.h"
#include "core/scene/atlas.h"
#include "core/scene/camera.h"
#include "core/scene/quaternion.h"
#include "platform/gl/background_cache.h"
#include "platform/gl/board_drawer.h"
#include "platform/gl/caption_drawer.h"
#include "platform/gl/overlay_drawer.h"
#include "platform/gl/scene_cache.h"

#include <string>

namespace kubrix {

class Game;
class RenderContext;
class TextureSet;

// What a frame shows. Sizes are the client area in device pixels.
struct FrameView {
    const Game& game;
    const Quaternion& viewRotation;
    int width = 0;
    int height = 0;
    // The desktop's button-face colour: the clear colour behind the background image.
    Colour buttonFace{0.83F, 0.82F, 0.78F, 0.0F};
    // The colour the block's cubes, labels and bombs are tinted with (see BoardScene::setTint).
    Colour tint{0.83F, 0.82F, 0.78F, 0.0F};
    // The player's zoom: the factor on the camera's distance (see cameraFor).
    float distance = 1.0F;
    // While layers are peeled away, which one is in front ("layer 3 / 8"); empty otherwise. It
    // goes with the block, so a paused frame leaves it out.
    std::string layerCaption{};
    // A paused game's block is not drawn, so it cannot be studied for free.
    bool showBoard = true;
    // The cube the keyboard cursor outlines, -1 for none.
    int cursorIndex = -1;
};

class SceneRenderer {
public:
    SceneRenderer(RenderContext& context, TextureSet& textures);

    // Draws into the current OpenGL context; does nothing when the context is not ready. The
    // game's quality decides the texture smoothing and, through the scene, the chamfers.
    // Returns where the face was drawn (top-left origin, device pixels), for click tests.
    PixelRect renderFrame(const FrameView& view);

    // From the eye space of the block's centre (the model-view translated by the camera's
    // centreZ) to board coordinates: the view rotation, then the block's middle onto its origin.
    // The frame and picking both place the block with it.
    static void placeBoard(const CameraSetup& camera, const Quaternion& viewRotation);

    BoardDrawer& boardDrawer() { return board_; }
    const SceneCache& sceneCache() const { return sceneCache_; }

private:
    // Sets light 0 while the model-view is the identity, so the light keeps its direction
    // relative to the viewer whichever way the block turns, then the material it lights.
    static void setupLighting();
    SceneKey keyOf(const FrameView& view);
    // Everything under the overlay: the background, then the block in its light.
    void drawScene(const FrameView& view, const PixelRect& client);

    RenderContext& context_;
    TextureSet& textures_;
    BoardDrawer board_;
    OverlayDrawer overlay_;
    BackgroundCache background_;
    SceneCache sceneCache_;
    CaptionDrawer caption_;
};

} // namespace kubrix
