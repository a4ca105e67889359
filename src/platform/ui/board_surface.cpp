// The board's OpenGL window.
#include "platform/ui/board_surface.h"

#include "platform/gl/device_probe.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace kubrix {

BoardSurface::BoardSurface(Hooks hooks)
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), hooks_(std::move(hooks))
{
    setFormat(requestedSurfaceFormat());
}

void BoardSurface::initializeGL()
{
    if (hooks_.created)
        hooks_.created();
}

void BoardSurface::paintGL()
{
    if (hooks_.paint)
        hooks_.paint();
}

bool BoardSurface::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        if (hooks_.mouse)
            hooks_.mouse(static_cast<QMouseEvent&>(*event));
        return true;
    case QEvent::Wheel:
        if (hooks_.wheel)
            hooks_.wheel(static_cast<QWheelEvent&>(*event));
        return true;
    default:
        return QOpenGLWindow::event(event);
    }
}

} // namespace kubrix
