// When the main window repaints: the idle refresh, the pointer's pending repaint and the first
// paint.
#pragma once

#include <cstdint>

namespace kubrix {

// The window is redrawn at most once per timer period while nothing happens, and at once when
// the pointer moves or a game action asks for it. This class keeps the bookkeeping of that
// cycle; the window does the drawing.
class FrameLoop {
public:
    // Why a repaint is on its way; the values are those of the window's repaint state.
    enum class Repaint : std::int32_t { None = 0, Timer = 1, Pointer = 2 };

    // A timer tick asks for a repaint only when the view has been idle longer than this.
    static constexpr std::uint32_t kIdleRepaintMs = 100;

    // Timer: true when the view should be invalidated now.
    bool timerTick(std::uint32_t now);
    // Pointer movement: true when the view should be invalidated (no repaint pending yet).
    // A move while a pointer repaint is pending only updates the position, so any number of
    // moves between two paints costs one pick.
    bool pointerMoved();

    struct PaintStart {
        // The window's first paint: the start sound, the music and the update check go now.
        bool firstPaint = false;
        // A pointer move waits to be processed in this paint.
        bool pointerPending = false;
    };
    // The start of a paint: reports and clears the first-paint and pointer requests.
    PaintStart beginPaint();
    // The end of a paint; the idle refresh counts from here.
    void endPaint(std::uint32_t now) { lastPaintTick_ = now; }

    bool firstPaintPending() const { return firstPaintPending_; }
    Repaint repaintState() const { return repaint_; }
    std::uint32_t lastPaintTick() const { return lastPaintTick_; }

private:
    Repaint repaint_ = Repaint::None;
    bool firstPaintPending_ = true;
    std::uint32_t lastPaintTick_ = 0;
};

} // namespace kubrix
