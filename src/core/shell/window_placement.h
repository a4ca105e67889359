// The main window's stored placement: parsing, formatting and fitting it to the screen.
#pragma once

#include <string>
#include <string_view>

namespace kubrix {

// Screen pixels; right and bottom are exclusive, as the stored "wscale" text has them.
struct WindowRect {
    int left;
    int top;
    int right;
    int bottom;

    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The placement of a first run and of any stored text that cannot be trusted.
inline constexpr WindowRect kDefaultPlacement{0, 0, 600, 600};
// The smallest window in which the overlay's clock, face and counter sit side by side and the
// block is still large enough to click into.
inline constexpr int kMinimumWindowWidth = 320;
inline constexpr int kMinimumWindowHeight = 240;

// Reads "left,top,right,bottom"; anything but exactly four 32-bit integers gives the default.
WindowRect parsePlacement(std::string_view text);

// Pulls the rectangle onto a screen of the given size. A rectangle left empty or inverted
// (say, stored on a wider screen than this one) becomes the default, fitted the same way,
// so that the window is never restored where it cannot be seen. One smaller than the minimum
// grows to it, moving back from the right or bottom edge where it would cross it.
WindowRect clampPlacement(WindowRect rect, int screenWidth, int screenHeight);

std::string formatPlacement(WindowRect rect);

} // namespace kubrix
