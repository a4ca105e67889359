// The cached background picture and its copy into each frame.
#include "platform/gl/background_cache.h"

#include "platform/gl/overlay_drawer.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <utility>

namespace kubrix {

namespace {

// Making a picture binds its texture behind the back of the texture set, which believes its
// last slot still bound; this puts that binding back.
class BindingKept {
public:
    BindingKept() { glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound_); }
    ~BindingKept() { glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound_)); }
    BindingKept(const BindingKept&) = delete;
    BindingKept& operator=(const BindingKept&) = delete;

private:
    GLint bound_ = 0;
};

} // namespace

BackgroundCache::BackgroundCache(RenderContext& context, TextureSet& textures,
                                 OverlayDrawer& overlay)
    : context_(context), textures_(textures), overlay_(overlay)
{
}

// The framebuffer object frees its name in its own context, or not at all once that is gone.
BackgroundCache::~BackgroundCache() = default;

bool BackgroundCache::current(const PixelRect& client, bool intoWindow) const
{
    // A texture set that was invalidated reloads on its next use, perhaps from another skin.
    return picture_ && contextSerial_ == context_.serial() && forWindow_ == intoWindow &&
           picture_->width() == client.width() &&
           picture_->height() == client.height() && textures_.currentSlot() != -1 &&
           uploads_ == textures_.uploads() && smooth_ == textures_.smoothTextures();
}

void BackgroundCache::draw(const PixelRect& client)
{
    QOpenGLContext* gl = QOpenGLContext::currentContext();
    if (!context_.ready() || gl == nullptr || client.width() <= 0 || client.height() <= 0 ||
        !QOpenGLFramebufferObject::hasOpenGLFramebufferBlit()) {
        overlay_.drawBackground(client);
        return;
    }
    QOpenGLExtraFunctions* f = gl->extraFunctions();
    GLint drawTarget = 0;
    GLint readTarget = 0;
    f->glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawTarget);
    f->glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readTarget);
    const bool intoWindow = drawTarget == 0;
    if (!current(client, intoWindow) &&
        !redraw(client, static_cast<std::uint32_t>(drawTarget), intoWindow)) {
        f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawTarget));
        f->glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readTarget));
        overlay_.drawBackground(client);
        return;
    }
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, picture_->handle());
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawTarget));
    f->glDisable(GL_SCISSOR_TEST);
    // A picture kept in the window's row order is turned back up on the way out, which for
    // the renderer is no turn at all.
    const int top = windowRows_ ? 0 : client.height();
    f->glBlitFramebuffer(0, 0, client.width(), client.height(), 0, client.height() - top,
                         client.width(), top, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readTarget));
    // What drawing the picture leaves besides the pixels: white, with blending and texturing
    // off.
    textures_.disableTexturing();
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
}

bool BackgroundCache::redraw(const PixelRect& client, std::uint32_t target, bool intoWindow)
{
    const bool drawn = drawUpright(client);
    // A driver that cannot keep the picture the window's way keeps it upright.
    windowRows_ = drawn && intoWindow && turnForWindow(client);
    QOpenGLContext::currentContext()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, target);
    if (!drawn) {
        picture_.reset();
        return false;
    }
    contextSerial_ = context_.serial();
    forWindow_ = intoWindow;
    uploads_ = textures_.uploads();
    smooth_ = textures_.smoothTextures();
    return true;
}

bool BackgroundCache::drawUpright(const PixelRect& client)
{
    picture_ = makePicture(client);
    if (!picture_->isValid() || !picture_->bind())
        return false;
    glClear(GL_COLOR_BUFFER_BIT);
    overlay_.drawBackground(client);
    return true;
}

bool BackgroundCache::turnForWindow(const PixelRect& client)
{
    // A software renderer keeps a window's pixels blue first and top row first, a
    // framebuffer object's as asked and bottom row first: a picture stored the window's way
    // copies into it row by row, where any other is drawn pixel by pixel, five times the
    // time. The upright picture is turned over into that store once.
    std::unique_ptr<QOpenGLFramebufferObject> turned = makePicture(client);
    if (!turned->isValid())
        return false;
    // The unsized format with data in blue-first order is what leads the renderer to store
    // the texture in that order; the storage is replaced before anything is drawn in it.
    {
        const BindingKept kept;
        glBindTexture(GL_TEXTURE_2D, turned->texture());
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, client.width(), client.height(), 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    QOpenGLExtraFunctions* f = QOpenGLContext::currentContext()->extraFunctions();
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, picture_->handle());
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, turned->handle());
    if (f->glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return false;
    f->glBlitFramebuffer(0, 0, client.width(), client.height(), 0, client.height(),
                         client.width(), 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    picture_ = std::move(turned);
    return true;
}

std::unique_ptr<QOpenGLFramebufferObject> BackgroundCache::makePicture(const PixelRect& client)
{
    const BindingKept kept;
    return std::make_unique<QOpenGLFramebufferObject>(client.width(), client.height(),
                                                      QOpenGLFramebufferObject::NoAttachment,
                                                      GL_TEXTURE_2D, GL_RGBA8);
}

} // namespace kubrix
