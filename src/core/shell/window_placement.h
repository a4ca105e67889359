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

// Reads "left,top,right,bottom"; anything but exactly four 32-bit integers gives the default.
WindowRect parsePlacement(std::string_view text);

// Pulls the rectangle onto a screen of the given size. A rectangle left empty or inverted
// (say, stored on a wider screen than this one) becomes the default, fitted the same way,
// so that the window is never restored where it cannot be seen.
WindowRect clampPlacement(WindowRect rect, int screenWidth, int screenHeight);

std::string formatPlacement(WindowRect rect);

} // namespace kubrix
