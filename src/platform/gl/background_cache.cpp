// The cached background picture and its copy into each frame.
#include "platform/gl/background_cache.h"

#include "platform/gl/overlay_drawer.h"
#include "platform/gl/render_context.h"
#include "platform/gl/texture_set.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

namespace kubrix {

BackgroundCache::BackgroundCache(RenderContext& context, TextureSet& textures,
                                 OverlayDrawer& overlay)
    : context_(context), textures_(textures), overlay_(overlay)
{
}

// The framebuffer object frees its name in its own context, or not at all once that is gone.
BackgroundCache::~BackgroundCache() = default;

bool BackgroundCache::current(const PixelRect& client) const
{
    // A texture set that was invalidated reloads on its next use, perhaps from another skin.
    return picture_ && contextSerial_ == context_.serial() && picture_->width() == client.width() &&
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
    if (!current(client) && !redraw(client, static_cast<std::uint32_t>(drawTarget))) {
        f->glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(drawTarget));
        f->glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readTarget));
        overlay_.drawBackground(client);
        return;
    }
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, picture_->handle());
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawTarget));
    f->glDisable(GL_SCISSOR_TEST);
    f->glBlitFramebuffer(0, 0, client.width(), client.height(), 0, 0, client.width(),
                         client.height(), GL_COLOR_BUFFER_BIT, GL_NEAREST);
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readTarget));
    // What drawing the picture leaves besides the pixels: white, with blending and texturing
    // off.
    textures_.disableTexturing();
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
}

bool BackgroundCache::redraw(const PixelRect& client, std::uint32_t target)
{
    if (!picture_ || contextSerial_ != context_.serial() || picture_->width() != client.width() ||
        picture_->height() != client.height()) {
        // Making the picture binds its own texture behind the back of the texture set, which
        // believes its last slot still bound.
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        picture_ = std::make_unique<QOpenGLFramebufferObject>(
            client.width(), client.height(), QOpenGLFramebufferObject::NoAttachment, GL_TEXTURE_2D,
            GL_RGBA8);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
        contextSerial_ = context_.serial();
    }
    if (!picture_->isValid() || !picture_->bind()) {
        picture_.reset();
        return false;
    }
    glClear(GL_COLOR_BUFFER_BIT);
    overlay_.drawBackground(client);
    uploads_ = textures_.uploads();
    smooth_ = textures_.smoothTextures();
    QOpenGLContext::currentContext()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, target);
    return true;
}

} // namespace kubrix
