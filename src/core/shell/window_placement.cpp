// The main window's stored placement: parsing, formatting and fitting it to the screen.
#include "core/shell/window_placement.h"

#include "core/base/settings_store.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kubrix {

WindowRect parsePlacement(std::string_view text)
{
    std::array<std::int32_t, 4> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t comma = text.find(',');
        const bool last = i + 1 == fields.size();
        // The last field must take the rest of the text; any other must end at a comma.
        if (last == (comma != std::string_view::npos))
            return kDefaultPlacement;
        if (!parseSettingInt(text.substr(0, comma), fields[i]))
            return kDefaultPlacement;
        if (!last)
            text.remove_prefix(comma + 1);
    }
    return {fields[0], fields[1], fields[2], fields[3]};
}

namespace {

WindowRect fitToScreen(WindowRect rect, int screenWidth, int screenHeight)
{
    if (rect.right >= screenWidth)
        rect.right = screenWidth;
    if (rect.bottom >= screenHeight)
        rect.bottom = screenHeight;
    if (rect.left < 0)
        rect.left = 0;
    if (rect.top < 0)
        rect.top = 0;
    return rect;
}

// Both ends already lie on the screen, so the subtraction cannot overflow.
void growToLeast(int& start, int& end, int least, int screen)
{
    if (end - start >= least)
        return;
    start = std::max(0, std::min(start, screen - least));
    end = start + least;
}

} // namespace

WindowRect clampPlacement(WindowRect rect, int screenWidth, int screenHeight)
{
    WindowRect fitted = fitToScreen(rect, screenWidth, screenHeight);
    // Compared, not subtracted: a hand-edited extreme value must not overflow.
    if (fitted.right <= fitted.left || fitted.bottom <= fitted.top)
        fitted = fitToScreen(kDefaultPlacement, screenWidth, screenHeight);
    growToLeast(fitted.left, fitted.right, kMinimumWindowWidth, screenWidth);
    growToLeast(fitted.top, fitted.bottom, kMinimumWindowHeight, screenHeight);
    return fitted;
}

std::string formatPlacement(WindowRect rect)
{
    return std::to_string(rect.left) + ',' + std::to_string(rect.top) + ',' +
           std::to_string(rect.right) + ',' + std::to_string(rect.bottom);
}

} // namespace kubrix
