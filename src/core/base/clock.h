// The millisecond tick source shared by the game timer, board seeding and the face blink.
#pragma once

#include <cstdint>

namespace kubrix {

// Ticks are milliseconds of one 32-bit counter that wraps; differences are taken in
// unsigned arithmetic so a wrap between two readings is harmless.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t now() const = 0;
};

// The program's clock: milliseconds of the monotonic system clock.
class SystemClock final : public Clock {
public:
    std::uint32_t now() const override;
};

// A clock that only moves when told to; tests and benchmarks drive it.
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint32_t start = 1000) : now_(start) {}
    std::uint32_t now() const override { return now_; }
    void set(std::uint32_t tick) { now_ = tick; }
    void advance(std::uint32_t ms) { now_ += ms; }

private:
    std::uint32_t now_;
};

} // namespace kubrix
