// When the main window repaints: the idle refresh, the pointer's pending repaint and the first
// paint.
#pragma once

#include <cstdint>
#include <optional>

namespace kubrix {

// The window is redrawn at once when the pointer moves or a game action asks for it; the timer
// redraws it only when something that changes with time alone (the clock's second, the face)
// shows differently from the last paint, so that a window left alone sleeps. This class keeps
// the bookkeeping of that cycle; the window does the drawing.
class FrameLoop {
public:
    // Why a repaint is on its way; the values are those of the window's repaint state.
    enum class Repaint : std::int32_t { None = 0, Timer = 1, Pointer = 2 };

    // A timer tick asks for a repaint only when the view has been idle longer than this.
    static constexpr std::uint32_t kIdleRepaintMs = 100;
    // The timer's period while something is watched tick by tick.
    static constexpr std::uint32_t kTickMs = 200;
    // The longest the timer sleeps when nothing is due.
    static constexpr std::uint32_t kLongestSleepMs = 5000;

    // What of the frame changes with time alone.
    struct TimedView {
        int clockSeconds = 0;
        int face = 0;
        bool operator==(const TimedView&) const = default;
    };

    // Timer: true when the view should be invalidated now, which is when it differs from what
    // the last paint showed (or nothing was painted yet) and the view is idle.
    bool timerTick(std::uint32_t now, const TimedView& current);
    // The view does not yet show what time alone has changed.
    bool behind(const TimedView& current) const
    {
        return firstPaintPending_ || current != shown_;
    }
    // How long the timer may sleep after a tick at now: one tick while something is watched
    // tick by tick (a running clock, a sound finishing, the pointer, a view behind), else
    // until the next change time alone brings (the face's), within kLongestSleepMs. A window
    // left alone so wakes for the face's blinks and little else.
    static std::uint32_t sleepAfterTick(std::uint32_t now, bool watching,
                                        std::optional<std::uint32_t> nextChange);
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
    // The end of a paint that showed `shown`; the idle refresh counts from here.
    void endPaint(std::uint32_t now, const TimedView& shown)
    {
        lastPaintTick_ = now;
        shown_ = shown;
    }

    bool firstPaintPending() const { return firstPaintPending_; }
    Repaint repaintState() const { return repaint_; }
    std::uint32_t lastPaintTick() const { return lastPaintTick_; }

private:
    Repaint repaint_ = Repaint::None;
    bool firstPaintPending_ = true;
    std::uint32_t lastPaintTick_ = 0;
    TimedView shown_;
};

} // namespace kubrix
