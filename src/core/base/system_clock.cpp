// The monotonic millisecond clock of the running program.
#include "core/base/clock.h"

#include <chrono>

namespace kubrix {

std::uint32_t SystemClock::now() const
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    const auto tick = static_cast<std::uint32_t>(ms.count());
    // A start tick of 0 means "clock not started", so the counter skips 0 when it wraps.
    return tick == 0 ? 1 : tick;
}

} // namespace kubrix
