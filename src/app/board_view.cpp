// The board's OpenGL widget.
#include "app/board_view.h"

#include "app/device_probe.h"
#include "render/render_context.h"
#include "render/texture_set.h"

#include <QOpenGLContext>

#include <cmath>

namespace kubrix {

BoardView::BoardView(RenderContext& context, TextureSet& textures, QWidget* parent)
    : QOpenGLWidget(parent), context_(context), textures_(textures)
{
    // Also when the program has not made it the default, as in tests.
    setFormat(requestedSurfaceFormat());
    // Every paint covers the whole client area; there is nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BoardView::~BoardView()
{
    releaseDevice();
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
    if (!context_.contextReady)
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
}

} // namespace kubrix
