// The board's pseudo-random generator: 15-bit values from a linear congruential sequence.
#pragma once

#include <cstdint>

namespace kubrix {

class Rand15 {
public:
    static constexpr int kRange = 32768;

    void seed(std::uint32_t value) { state_ = value; }
    // 0..32767
    int next()
    {
        state_ = state_ * 214013U + 2531011U;
        return static_cast<int>((state_ >> 16) & 0x7FFFU);
    }

private:
    std::uint32_t state_ = 1;
};

} // namespace kubrix
