// How a lit hint shows on the block: its cube in a colour of its own and the numbers that prove
// it brought forward. Every drawing of the hint asks here, so other highlights can join it.
#pragma once

#include "core/base/colour.h"
#include "core/game/deduction.h"

#include <optional>

namespace kubrix {

class HintHighlight {
public:
    // Green for a safe cube, orange for a bomb: apart from the hover colours and from the red
    // of the bomb hint.
    static constexpr Colour kSafeColour{0.2F, 0.9F, 0.3F, 1.0F};
    static constexpr Colour kBombColour{1.0F, 0.55F, 0.0F, 1.0F};
    // A proving number is drawn opaque and this much larger than the others, over a glow of its
    // own shape in the halo colour, halo scale times as large.
    static constexpr float kReasonScale = 1.3F;
    static constexpr Colour kHaloColour{1.0F, 0.85F, 0.2F, 1.0F};
    static constexpr float kHaloScale = 1.9F;

    // The hint must outlive the highlight.
    explicit HintHighlight(const std::optional<Deduction>& hint) : hint_(hint) {}

    // The cube the hint lights, -1 for none.
    int cube() const { return hint_ ? hint_->cube : -1; }
    Colour cubeColour() const { return hint_ && hint_->bomb ? kBombColour : kSafeColour; }
    bool isReason(int cube) const;

private:
    const std::optional<Deduction>& hint_;
};

} // namespace kubrix
