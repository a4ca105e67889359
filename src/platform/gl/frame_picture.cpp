// Frame-sized framebuffer objects in the order OpenGL draws and in the order a window keeps.
#include "platform/gl/frame_picture.h"

#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLExtraFunctions>

#include <GL/gl.h>

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

std::unique_ptr<QOpenGLFramebufferObject> makeFramePicture(const PixelRect& client)
{
    const BindingKept kept;
    return std::make_unique<QOpenGLFramebufferObject>(client.width(), client.height(),
                                                      QOpenGLFramebufferObject::NoAttachment,
                                                      GL_TEXTURE_2D, GL_RGBA8);
}

std::unique_ptr<QOpenGLFramebufferObject> makeWindowOrderPicture(const PixelRect& client)
{
    std::unique_ptr<QOpenGLFramebufferObject> picture = makeFramePicture(client);
    if (!picture->isValid())
        return nullptr;
    // The unsized format with data in blue-first order is what leads the renderer to store
    // the texture in that order; the storage is replaced before anything is drawn in it.
    {
        const BindingKept kept;
        glBindTexture(GL_TEXTURE_2D, picture->texture());
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, client.width(), client.height(), 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    QOpenGLExtraFunctions* f = QOpenGLContext::currentContext()->extraFunctions();
    GLint draw = 0;
    f->glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, picture->handle());
    const bool complete =
        f->glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(draw));
    if (!complete)
        return nullptr;
    return picture;
}

void copyIntoPicture(std::uint32_t source, const QOpenGLFramebufferObject& picture,
                     const PixelRect& client)
{
    QOpenGLExtraFunctions* f = QOpenGLContext::currentContext()->extraFunctions();
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, picture.handle());
    f->glDisable(GL_SCISSOR_TEST);
    f->glBlitFramebuffer(0, 0, client.width(), client.height(), 0, client.height(),
                         client.width(), 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void copyPictureOut(const QOpenGLFramebufferObject& picture, const PixelRect& client,
                    bool windowOrder)
{
    QOpenGLExtraFunctions* f = QOpenGLContext::currentContext()->extraFunctions();
    GLint readTarget = 0;
    f->glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readTarget);
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, picture.handle());
    f->glDisable(GL_SCISSOR_TEST);
    // For the renderer, turning a picture kept in the window's order back over is no turn.
    const int top = windowOrder ? 0 : client.height();
    f->glBlitFramebuffer(0, 0, client.width(), client.height(), 0, client.height() - top,
                         client.width(), top, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readTarget));
}

} // namespace kubrix
