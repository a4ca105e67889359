// The main window's placement through the window system.
#include "platform/ui/window_placer.h"

#include "core/base/settings_table.h"
#include "core/shell/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kubrix {

namespace {

// How long a restored placement waits for the window manager's frame before it is kept as is.
constexpr int kSettleTicks = 10;

} // namespace

WindowPlacer::WindowPlacer(QWidget& window, SettingsStore& settings)
    : window_(window), settings_(settings)
{
}

void WindowPlacer::restore()
{
    const WindowRect stored = parsePlacement(settings::read(settings_, settings::windowPlacement));
    const QScreen* display = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    const QRect area = display ? display->availableGeometry() : QRect(0, 0, 600, 600);
    // Fitted in the available area's own coordinates, so a panel at the left or top counts.
    const WindowRect fitted =
        clampPlacement({stored.left - area.left(), stored.top - area.top(),
                        stored.right - area.left(), stored.bottom - area.top()},
                       area.width(), area.height());
    const QRect frame(fitted.left + area.left(), fitted.top + area.top(),
                      fitted.right - fitted.left, fitted.bottom - fitted.top);
    // Qt moves by the frame but sizes the client.
    const QSize margins = window_.frameGeometry().size() - window_.geometry().size();
    window_.move(frame.topLeft());
    window_.resize(frame.size() - margins);
    if (margins.isNull())
        pending_ = frame;
    settleTicks_ = 0;
}

void WindowPlacer::settle()
{
    if (!pending_ || !window_.isVisible())
        return;
    const QSize margins = window_.frameGeometry().size() - window_.geometry().size();
    if (margins.isNull()) {
        // No window manager frames the window (or not yet): the client is the frame.
        if (++settleTicks_ >= kSettleTicks)
            pending_.reset();
        return;
    }
    window_.move(pending_->topLeft());
    window_.resize(pending_->size() - margins);
    pending_.reset();
}

void WindowPlacer::store()
{
    const QRect frame = window_.frameGeometry();
    const WindowRect rect{frame.left(), frame.top(), frame.left() + frame.width(),
                          frame.top() + frame.height()};
    settings::write(settings_, settings::windowPlacement, formatPlacement(rect));
}

} // namespace kubrix
