// The board's OpenGL widget.
#include "platform/ui/board_view.h"

#include "platform/gl/device_probe.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <QApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kubrix {

BoardView::BoardView(RenderContext& context, TextureSet& textures, QWidget* parent)
    : QOpenGLWidget(parent), context_(context), textures_(textures)
{
    // Also when the program has not made it the default, as in tests.
    setFormat(requestedSurfaceFormat());
    // Every paint covers the whole client area; there is nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A resting pointer highlights the cube under it, so moves count without a button too.
    setMouseTracking(true);
}

BoardView::~BoardView()
{
    releaseDevice();
    // QOpenGLWidget's own destructor deletes the context, whose last signal must not reach
    // this object, already gone by then.
    if (QOpenGLContext* gl = context())
        disconnect(gl, nullptr, this, nullptr);
}

void BoardView::initializeGL()
{
    // The widget makes a new context when it moves to another top-level window; the old one
    // announces its end first, and the textures made in it go with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &BoardView::releaseDevice,
            Qt::UniqueConnection);
    context_.contextCreated();
    // Textures of an earlier context are gone: the first draw reloads them from the skin.
    textures_.invalidate();
}

void BoardView::releaseDevice()
{
    if (!context_.ready())
        return;
    makeCurrent();
    textures_.releaseAll();
    context_.contextDestroyed();
    doneCurrent();
}

void BoardView::resizeGL(int width, int height)
{
    // Drawn at device pixels, so a high-density screen gets a sharp board.
    const qreal ratio = devicePixelRatioF();
    deviceWidth_ = static_cast<int>(std::lround(width * ratio));
    deviceHeight_ = static_cast<int>(std::lround(height * ratio));
}

void BoardView::paintGL()
{
    if (paint_)
        paint_(deviceWidth_, deviceHeight_);
    if (!coverText_.isEmpty())
        paintCover();
}

void BoardView::setCoverText(const QString& text)
{
    if (text == coverText_)
        return;
    coverText_ = text;
    update();
}

void BoardView::paintCover()
{
    QPainter painter(this);
    QFont font = painter.font();
    font.setPixelSize(std::max(12, std::min(width(), height()) / 8));
    font.setBold(true);
    painter.setFont(font);
    // Light on a dark shadow reads over any skin's background.
    const int shadow = std::max(1, font.pixelSize() / 24);
    painter.setPen(Qt::black);
    painter.drawText(rect().translated(shadow, shadow), Qt::AlignCenter, coverText_);
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, coverText_);
}

bool BoardView::reported(Qt::MouseButton button)
{
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

void BoardView::showArrowCursor()
{
    hadCursor_ = testAttribute(Qt::WA_SetCursor);
    savedCursor_ = cursor();
    setCursor(Qt::ArrowCursor);
}

void BoardView::restoreCursor()
{
    if (hadCursor_)
        setCursor(savedCursor_);
    else
        unsetCursor();
}

bool BoardView::pointerOver() const
{
    const QPoint pointer = QCursor::pos();
    return rect().contains(mapFromGlobal(pointer)) && QApplication::widgetAt(pointer) == this;
}

QPoint BoardView::devicePoint(const QMouseEvent& event) const
{
    // The frame is drawn, and picked, in device pixels.
    const qreal ratio = devicePixelRatioF();
    const QPointF at = event.position();
    return {static_cast<int>(std::floor(at.x() * ratio)),
            static_cast<int>(std::floor(at.y() * ratio))};
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    if (!reported(button)) {
        QOpenGLWidget::mousePressEvent(event);
        return;
    }
    if (mouse_.press) {
        const QPoint at = devicePoint(*event);
        mouse_.press(button, at.x(), at.y());
    }
    event->accept();
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    if (!reported(button)) {
        QOpenGLWidget::mouseReleaseEvent(event);
        return;
    }
    if (mouse_.release) {
        const QPoint at = devicePoint(*event);
        mouse_.release(button, at.x(), at.y());
    }
    event->accept();
}

void BoardView::mouseMoveEvent(QMouseEvent* event)
{
    if (mouse_.move) {
        const QPoint at = devicePoint(*event);
        mouse_.move(at.x(), at.y());
    }
    event->accept();
}

void BoardView::wheelEvent(QWheelEvent* event)
{
    // Some window systems turn a vertical wheel held with shift into a horizontal one.
    const QPoint delta = event->angleDelta();
    const int turned = delta.y() != 0 ? delta.y() : delta.x();
    if (mouse_.wheel && turned != 0)
        mouse_.wheel(turned, event->modifiers().testFlag(Qt::ShiftModifier));
    event->accept();
}

} // namespace kubrix
