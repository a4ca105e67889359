// The main window's repaint bookkeeping.
#include "core/scene/frame_loop.h"

#include <algorithm>

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

std::uint32_t FrameLoop::sleepAfterTick(std::uint32_t now, bool watching,
                                        std::optional<std::uint32_t> nextChange)
{
    if (watching)
        return kTickMs;
    if (!nextChange)
        return kLongestSleepMs;
    // Signed: a change already due (or a tick counter that wrapped past it) comes next tick.
    const auto until = static_cast<std::int32_t>(*nextChange - now);
    return static_cast<std::uint32_t>(
        std::clamp<std::int32_t>(until, 1, static_cast<std::int32_t>(kLongestSleepMs)));
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
