// The board's client area: the embedded OpenGL window and what it reports.
#include "platform/ui/board_view.h"

#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"
#include "platform/ui/board_surface.h"

#include <QApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kubrix {

BoardView::BoardView(RenderContext& context, TextureSet& textures, QWidget* parent)
    : QWidget(parent), context_(context), textures_(textures)
{
    // A resting pointer highlights the cube under it, so moves count without a button too.
    setMouseTracking(true);
    surface_ = new BoardSurface({[this] { contextCreated(); }, [this] { paintSurface(); },
                                 [this](QMouseEvent& event) { mouseEvent(event); },
                                 [this](QWheelEvent& event) { wheel(event); }});
    connect(surface_, &QOpenGLWindow::frameSwapped, this, &BoardView::frameSwapped);
    // The container owns the surface from here on.
    container_ = QWidget::createWindowContainer(surface_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(container_);
}

BoardView::~BoardView()
{
    releaseDevice();
    // The surface's destructor deletes the context, whose last signal must not reach this
    // object, going by then.
    if (QOpenGLContext* gl = surface_->context())
        disconnect(gl, nullptr, this, nullptr);
    delete container_;
}

void BoardView::contextCreated()
{
    // The surface makes a new context when its window is made again; the old one announces
    // its end first, and the textures made in it go with it.
    connect(surface_->context(), &QOpenGLContext::aboutToBeDestroyed, this,
            &BoardView::releaseDevice, Qt::UniqueConnection);
    context_.contextCreated();
    // Textures of an earlier context are gone: the first draw reloads them from the skin.
    textures_.invalidate();
}

void BoardView::releaseDevice()
{
    if (!context_.ready())
        return;
    surface_->makeCurrent();
    textures_.releaseAll();
    context_.contextDestroyed();
    surface_->doneCurrent();
}

void BoardView::redraw()
{
    surface_->update();
}

void BoardView::makeCurrent()
{
    surface_->makeCurrent();
}

void BoardView::doneCurrent()
{
    surface_->doneCurrent();
}

QImage BoardView::grabFramebuffer()
{
    // Reads the back buffer, so a frame is drawn into it first.
    surface_->makeCurrent();
    paintSurface();
    return surface_->grabFramebuffer();
}

int BoardView::deviceWidth() const
{
    // Drawn at device pixels, so a high-density screen gets a sharp board.
    return static_cast<int>(std::lround(surface_->width() * surface_->devicePixelRatio()));
}

int BoardView::deviceHeight() const
{
    return static_cast<int>(std::lround(surface_->height() * surface_->devicePixelRatio()));
}

void BoardView::paintSurface()
{
    if (paint_)
        paint_(deviceWidth(), deviceHeight());
    if (!coverText_.isEmpty())
        paintCover();
}

void BoardView::setCoverText(const QString& text)
{
    if (text == coverText_)
        return;
    coverText_ = text;
    redraw();
}

void BoardView::paintCover()
{
    QPainter painter(surface_);
    QFont font = painter.font();
    font.setPixelSize(std::max(12, std::min(width(), height()) / 8));
    font.setBold(true);
    painter.setFont(font);
    // Light on a dark shadow reads over any skin's background.
    const int shadow = std::max(1, font.pixelSize() / 24);
    const QRect area(QPoint(0, 0), surface_->size());
    painter.setPen(Qt::black);
    painter.drawText(area.translated(shadow, shadow), Qt::AlignCenter, coverText_);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, coverText_);
}

void BoardView::showArrowCursor()
{
    surface_->setCursor(Qt::ArrowCursor);
    arrowShown_ = true;
}

void BoardView::restoreCursor()
{
    surface_->unsetCursor();
    arrowShown_ = false;
}

bool BoardView::pointerOver() const
{
    const QPoint pointer = QCursor::pos();
    const QWidget* under = QApplication::widgetAt(pointer);
    return rect().contains(mapFromGlobal(pointer)) && (under == this || under == container_);
}

bool BoardView::reported(Qt::MouseButton button)
{
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

void BoardView::mouseEvent(QMouseEvent& event)
{
    // The frame is drawn, and picked, in device pixels.
    const qreal ratio = surface_->devicePixelRatio();
    const QPointF at = event.position();
    const int x = static_cast<int>(std::floor(at.x() * ratio));
    const int y = static_cast<int>(std::floor(at.y() * ratio));
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        if (!reported(event.button())) {
            event.ignore();
            return;
        }
        const auto& handler =
            event.type() == QEvent::MouseButtonRelease ? mouse_.release : mouse_.press;
        if (handler)
            handler(event.button(), x, y);
        break;
    }
    case QEvent::MouseMove:
        if (mouse_.move)
            mouse_.move(x, y);
        break;
    default:
        return;
    }
    event.accept();
}

void BoardView::wheel(QWheelEvent& event)
{
    // Some window systems turn a vertical wheel held with shift into a horizontal one.
    const QPoint delta = event.angleDelta();
    const int turned = delta.y() != 0 ? delta.y() : delta.x();
    if (mouse_.wheel && turned != 0)
        mouse_.wheel(turned, event.modifiers().testFlag(Qt::ShiftModifier));
    event.accept();
}

bool BoardView::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        mouseEvent(static_cast<QMouseEvent&>(*event));
        return true;
    case QEvent::Wheel:
        wheel(static_cast<QWheelEvent&>(*event));
        return true;
    default:
        return QWidget::event(event);
    }
}

} // namespace kubrix
