// The cached background picture and its copy into each frame.
#include "platform/gl/background_cache.h"

#include "platform/gl/frame_picture.h"
#include "platform/gl/overlay_drawer.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <utility>

namespace kubrix {

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
    const bool kept = current(client, intoWindow) ||
                      redraw(client, static_cast<std::uint32_t>(drawTarget), intoWindow);
    // Making a picture binds framebuffers of its own.
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawTarget));
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readTarget));
    if (!kept) {
        overlay_.drawBackground(client);
        return;
    }
    copyPictureOut(*picture_, client, windowRows_);
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
    picture_ = makeFramePicture(client);
    if (!picture_->isValid() || !picture_->bind())
        return false;
    glClear(GL_COLOR_BUFFER_BIT);
    overlay_.drawBackground(client);
    return true;
}

bool BackgroundCache::turnForWindow(const PixelRect& client)
{
    // Drawn once upright and turned over into the window's order, at the cost of one drawn
    // copy, so every frame after gets a copied one.
    std::unique_ptr<QOpenGLFramebufferObject> turned = makeWindowOrderPicture(client);
    if (!turned)
        return false;
    copyIntoPicture(picture_->handle(), *turned, client);
    picture_ = std::move(turned);
    return true;
}

} // namespace kubrix
