// Where the tutorial window opens.
#include "core/tutorial/tutorial_placement.h"

#include <algorithm>

namespace kubrix {

namespace {

// The start nearest to at that keeps [start, start + size) within [low, high); low when the
// size does not fit at all.
int pulledInside(int at, int size, int low, int high)
{
    return std::max(low, std::min(at, high - size));
}

} // namespace

ScreenPoint tutorialWindowPosition(const ScreenRect& mainWindow, const ScreenRect& screen,
                                   int width, int height)
{
    const int mainCentre = mainWindow.left + (mainWindow.right - mainWindow.left) / 2;
    const int screenCentre = screen.left + (screen.right - screen.left) / 2;
    const int edge = screenCentre < mainCentre ? mainWindow.left : mainWindow.right;
    const int x = edge - width / 2;
    const int y = mainWindow.top + (mainWindow.bottom - mainWindow.top) / 5;
    return {pulledInside(x, width, screen.left, screen.right),
            pulledInside(y, height, screen.top, screen.bottom)};
}

} // namespace kubrix
