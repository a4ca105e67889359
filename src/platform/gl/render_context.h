// The OpenGL context's state that drawing and picking share, and the frame steps that use it.
#pragma once

#include "core/base/colour.h"

#include <array>
#include <cstdint>
#include <optional>

namespace kubrix {

// The window system (Qt) creates the context, makes it current and swaps buffers; this object
// only learns that a context exists and keeps the state the renderer and picking share. Every
// step that would touch OpenGL does nothing while the context is not ready.
class RenderContext {
public:
    static constexpr int kSelectBufferWords = 512;

    // Called by the owner with the new context current: sets the pixel-store and dither state
    // the renderer relies on and marks the context ready.
    void contextCreated();
    // Called by the owner when its context goes away; drawing stops until the next creation.
    void contextDestroyed();
    bool ready() const { return ready_; }
    // Changes with every creation, so that objects made in an earlier context are known stale.
    std::uint64_t serial() const { return serial_; }

    // Viewport over the whole client area and the frame marked as begun.
    void prepareFrame(int width, int height);
    void beginFrame();
    // Flushes and waits for the drawing to finish; the buffer swap is the window system's.
    void endFrame();
    // A picking pass shows nothing, so it only flushes.
    void endPickFrame();
    bool frameOpen() const { return frameOpen_; }
    // Clears the depth buffer to the far plane (and the unused stencil with it).
    void clearDepth();
    void setClearColour(const Colour& colour);

    // On during a frame: strips then carry one normal per triangle instead of one per vertex.
    void setFlatShading(bool on) { flatShading_ = on; }
    bool flatShading() const { return flatShading_; }

    // Selection mode: the draws that follow only record hits near (x, y), client pixels with y
    // growing downwards, under the name 0xFFFFFFFF until a strip loads its own.
    void beginSelection(int x, int y);
    // Back to drawing. The name of the nearest hit (the first drawn on a tie); none when
    // nothing named was hit or there were more hits than the buffer holds.
    std::optional<std::uint32_t> endSelection();
    bool selecting() const { return selecting_; }

    // Loads the perspective frustum into the projection matrix, behind a one-pixel pick region
    // around the selection point while selecting; leaves the projection matrix selected.
    void applyProjection(double left, double right, double bottom, double top, double nearPlane,
                         double farPlane);

private:
    bool ready_ = false;
    std::uint64_t serial_ = 0;
    bool frameOpen_ = false;
    bool flatShading_ = false;
    bool selecting_ = false;
    int pickX_ = 0;
    int pickY_ = 0;
    std::array<std::uint32_t, kSelectBufferWords> selectBuffer_{};
};

} // namespace kubrix
