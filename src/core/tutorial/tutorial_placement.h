// Where the tutorial window opens: beside the main window, on the side with more room.
#pragma once

namespace kubrix {

// Screen pixels; right and bottom are exclusive.
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct ScreenPoint {
    int x;
    int y;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The top-left corner of a tutorial window of the given size. Its horizontal centre goes on the
// main window's left edge when the main window's centre lies in the right half of the screen,
// otherwise on its right edge; its top a fifth of the way down the main window. The window is
// then pulled onto the screen, so that its buttons can always be reached (a main window that
// fills the screen would otherwise push half of it off the edge).
ScreenPoint tutorialWindowPosition(const ScreenRect& mainWindow, const ScreenRect& screen,
                                   int width, int height);

} // namespace kubrix
