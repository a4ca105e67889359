// The game's clock: when play started and ended, with the time spent paused left out.
#pragma once

#include <cstdint>

namespace kubrix {

// Ticks are the shared millisecond counter; a start tick of 0 means the clock has not started.
// Resuming moves the start on by the time spent paused, so every reader of the start (the
// counter, a saved game, a fastest time) sees only the time the player could play.
class PlayClock {
public:
    void reset() { *this = PlayClock(); }
    void start(std::uint32_t now) { startTick_ = now; }
    // Continues a saved game that had run for elapsedSeconds.
    void restore(std::uint32_t now, std::uint32_t elapsedSeconds);
    void stop(std::uint32_t now);
    // Only a running clock pauses; resuming a clock that is not paused does nothing.
    void pause(std::uint32_t now);
    void resume(std::uint32_t now);

    std::uint32_t startTick() const { return startTick_; }
    std::uint32_t endTick() const { return endTick_; }
    bool running() const { return startTick_ != 0 && endTick_ == 0; }
    bool ended() const { return endTick_ != 0; }
    bool paused() const { return paused_; }
    // Whole seconds of play, rounded down, in wrapping unsigned arithmetic.
    std::uint32_t elapsedSeconds(std::uint32_t now) const;

private:
    std::uint32_t startTick_ = 0;
    std::uint32_t endTick_ = 0;
    bool paused_ = false;
    std::uint32_t pausedAt_ = 0;
};

} // namespace kubrix
