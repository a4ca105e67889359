// The face state machine.
#include "core/game/face_state.h"

namespace kubrix {

void FaceState::set(int value, std::uint32_t now)
{
    value_ = value;
    stamp_ = now;
}

void FaceState::press(std::uint32_t now)
{
    if (value_ == kIdle)
        set(kPressed, now);
}

void FaceState::tickBlink(std::uint32_t now, int randomValue)
{
    if (value_ != kIdle || now <= nextBlink_)
        return;
    const auto spread = static_cast<std::uint32_t>(randomValue < 0 ? -randomValue : randomValue);
    nextBlink_ = now + spread % static_cast<std::uint32_t>(kBlinkSpreadMs);
    set(kBlink, now);
}

std::optional<std::uint32_t> FaceState::nextChangeTick() const
{
    // Both changes come strictly after their moment.
    if (value_ == kIdle)
        return nextBlink_ + 1;
    if (value_ == kPressed || value_ == kBlink)
        return stamp_ + kFlashMs + 1;
    return std::nullopt;
}

void FaceState::expire(std::uint32_t now)
{
    if ((value_ == kPressed || value_ == kBlink) && now - stamp_ > kFlashMs)
        value_ = kIdle;
}

} // namespace kubrix
