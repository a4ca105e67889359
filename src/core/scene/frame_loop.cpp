// The main window's repaint bookkeeping.
#include "core/scene/frame_loop.h"

namespace kubrix {

bool FrameLoop::timerTick(std::uint32_t now, const TimedView& current)
{
    const bool changed = firstPaintPending_ || current != shown_;
    // Unsigned difference: a wrap of the tick counter between two paints is harmless.
    if (changed && now - lastPaintTick_ > kIdleRepaintMs && repaint_ == Repaint::None) {
        repaint_ = Repaint::Timer;
        return true;
    }
    return false;
}

bool FrameLoop::pointerMoved()
{
    const bool invalidate = repaint_ == Repaint::None;
    repaint_ = Repaint::Pointer;
    return invalidate;
}

FrameLoop::PaintStart FrameLoop::beginPaint()
{
    const PaintStart start{firstPaintPending_, repaint_ == Repaint::Pointer};
    firstPaintPending_ = false;
    repaint_ = Repaint::None;
    return start;
}

} // namespace kubrix
