// Chooses the cube a selection-mode pass hit.
#include "core/scene/pick_hit.h"

namespace kubrix {

std::optional<std::uint32_t> chooseHit(std::span<const std::uint32_t> buffer, int hitCount)
{
    if (hitCount <= 0)
        return std::nullopt;
    std::optional<std::uint32_t> chosen;
    float best = 0.0F;
    std::size_t at = 0;
    for (int hit = 0; hit < hitCount; ++hit) {
        if (at + 3 > buffer.size())
            return std::nullopt;
        const std::uint32_t names = buffer[at];
        if (names > buffer.size() - at - 3)
            return std::nullopt;
        // Depths are compared as floats scaled by 2^-31, as the hit records have always been.
        const float minimum = static_cast<float>(buffer[at + 1]) / 2147483648.0F;
        const float maximum = static_cast<float>(buffer[at + 2]) / 2147483648.0F;
        if (names > 0 && (!chosen || minimum < best || maximum < best)) {
            best = minimum;
            chosen = buffer[at + 3];
        }
        at += 3 + names;
    }
    return chosen;
}

} // namespace kubrix
