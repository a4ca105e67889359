// The hidden bomb hint: quick repeated clicks on marked cubes make the hovered bomb show red.
#pragma once

#include <cstdint>

namespace kubrix {

class BombHint {
public:
    static constexpr std::uint32_t kQuickMs = 1000;
    static constexpr int kClicksNeeded = 5;

    // A left click landed on a marked cube. A pause of more than a second starts the count
    // afresh; the fifth quick click after it switches the hint on for the rest of the run.
    void clickOnMarked(std::uint32_t now);
    bool on() const { return on_; }

private:
    int clicks_ = 0;
    std::uint32_t lastClick_ = 0;
    bool on_ = false;
};

} // namespace kubrix
