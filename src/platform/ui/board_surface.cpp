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

void BoardSurface::mousePressEvent(QMouseEvent* event)
{
    if (hooks_.mouse)
        hooks_.mouse(*event);
}

void BoardSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (hooks_.mouse)
        hooks_.mouse(*event);
}

void BoardSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (hooks_.mouse)
        hooks_.mouse(*event);
}

void BoardSurface::wheelEvent(QWheelEvent* event)
{
    if (hooks_.wheel)
        hooks_.wheel(*event);
}

} // namespace kubrix
