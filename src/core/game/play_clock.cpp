// Starting, stopping and pausing the game's clock.
#include "core/game/play_clock.h"

namespace kubrix {

void PlayClock::restore(std::uint32_t now, std::uint32_t elapsedSeconds)
{
    reset();
    startTick_ = now - 1000U * elapsedSeconds;
}

void PlayClock::stop(std::uint32_t now)
{
    if (paused_)
        resume(now);
    endTick_ = now;
}

void PlayClock::pause(std::uint32_t now)
{
    if (!running() || paused_)
        return;
    paused_ = true;
    pausedAt_ = now;
}

void PlayClock::resume(std::uint32_t now)
{
    if (!paused_)
        return;
    paused_ = false;
    startTick_ += now - pausedAt_;
}

std::uint32_t PlayClock::elapsedSeconds(std::uint32_t now) const
{
    if (startTick_ == 0)
        return 0;
    const std::uint32_t end = endTick_ != 0 ? endTick_ : (paused_ ? pausedAt_ : now);
    return (end - startTick_) / 1000U;
}

} // namespace kubrix
