// The OpenGL context's per-frame and selection state, and the frame steps every pass shares.
#pragma once

#include "core/base/colour.h"

#include <array>
#include <cstdint>

namespace kubrix {

// The window system (Qt) creates the context, makes it current and swaps buffers; this object
// only learns that a context exists and keeps the state the renderer and picking share. Every
// operation that would touch OpenGL does nothing while contextReady is false.
class RenderContext {
public:
    static constexpr int kSelectBufferWords = 512;

    // Called by the owner with the new context current: sets the pixel-store and dither state
    // the renderer relies on and marks the context ready.
    void contextCreated();
    // Called by the owner when its context goes away; drawing stops until the next creation.
    void contextDestroyed();

    // Viewport over the whole client area and the frame marked as begun.
    void prepareFrame(int width, int height);
    void beginFrame();
    // Clears the buffers whose flags are on, the depth buffer with clearDepth.
    void clear();
    void setClearColour(const Colour& colour);
    // Flushes and waits for the drawing to finish; the buffer swap is the window system's.
    void endFrame();
    // A picking pass shows nothing, so it only flushes.
    void endPickFrame();
    // Loads the perspective frustum into the projection matrix, behind a one-pixel pick region
    // around (pickX, pickY) while selecting; leaves the projection matrix selected.
    void applyProjection(double left, double right, double bottom, double top, double nearPlane,
                         double farPlane);

    bool contextReady = false;
    bool frameOpen = false;
    bool clearColourOn = false;
    Colour clearColour{1.0F, 1.0F, 1.0F, 1.0F};
    bool clearDepthOn = true;
    double clearDepth = 0.0;
    // On during a frame: strips then carry one normal per triangle instead of one per vertex.
    bool flatShading = false;
    bool selecting = false;
    // The name (cube index) of the chosen hit of the last picking pass, valid when hitValid.
    std::int32_t pickedName = 0;
    bool hitValid = false;
    // Client coordinates of the pick point, y growing downwards.
    int pickX = 0;
    int pickY = 0;
    std::array<std::uint32_t, kSelectBufferWords> selectBuffer{};
};

} // namespace kubrix
