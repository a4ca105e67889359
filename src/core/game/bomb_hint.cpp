// The hidden bomb hint.
#include "core/game/bomb_hint.h"

namespace kubrix {

void BombHint::clickOnMarked(std::uint32_t now)
{
    ++clicks_;
    const std::uint32_t sinceLast = now - lastClick_;
    if (sinceLast < kQuickMs && clicks_ >= kClicksNeeded)
        on_ = true;
    if (sinceLast > kQuickMs)
        clicks_ = 0;
    lastClick_ = now;
}

} // namespace kubrix
