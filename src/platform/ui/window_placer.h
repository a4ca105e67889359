// The main window's placement: restored from the settings onto the screen, and stored back.
#pragma once

#include <QRect>

#include <optional>

class QWidget;

namespace kubrix {

class SettingsStore;

// The stored "wscale" rectangle is the window's outer frame, as the window manager draws it.
class WindowPlacer {
public:
    WindowPlacer(QWidget& window, SettingsStore& settings);

    // Moves and sizes the window as stored, pulled onto the available area of its screen.
    void restore();
    // Timer: a placement restored before the window manager framed the window is sized again
    // once the frame's margins are known, or kept as it is after a while without a frame.
    void settle();
    // A placement still waits for the window manager's frame.
    bool settling() const { return pending_.has_value(); }
    // Writes the window's frame rectangle.
    void store();

private:
    QWidget& window_;
    SettingsStore& settings_;
    std::optional<QRect> pending_;
    int settleTicks_ = 0;
};

} // namespace kubrix
