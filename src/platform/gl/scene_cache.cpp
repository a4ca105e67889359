// Keeps the window's picture under the overlay and copies it back into frames that need it.
#include "platform/gl/scene_cache.h"

#include "platform/gl/frame_picture.h"
#include "platform/gl/texture_set.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

namespace kubrix {

namespace {

// The extra functions when frames can be copied into the window now drawn into, else null.
QOpenGLExtraFunctions* windowCopier(const PixelRect& client)
{
    QOpenGLContext* gl = QOpenGLContext::currentContext();
    if (gl == nullptr || client.width() <= 0 || client.height() <= 0 ||
        !QOpenGLFramebufferObject::hasOpenGLFramebufferBlit())
        return nullptr;
    QOpenGLExtraFunctions* f = gl->extraFunctions();
    GLint drawTarget = -1;
    f->glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawTarget);
    // A multisampled window (a driver may force it) cannot be copied from upside down.
    GLint sampleBuffers = 0;
    f->glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    return drawTarget == 0 && sampleBuffers == 0 ? f : nullptr;
}

} // namespace

SceneCache::SceneCache(TextureSet& textures) : textures_(textures) {}

// The framebuffer object frees its name in its own context, or not at all once that is gone.
SceneCache::~SceneCache() = default;

bool SceneCache::restore(const SceneKey& key, const PixelRect& client)
{
    if (kept_ != key || !picture_)
        return false;
    if (windowCopier(client) == nullptr)
        return false;
    copyPictureOut(*picture_, client, true);
    textures_.disableTexturing();
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
    ++restores_;
    return true;
}

void SceneCache::drawn(const SceneKey& key, const PixelRect& client)
{
    if (last_ == key && kept_ != key)
        keep(key, client);
    last_ = key;
}

void SceneCache::keep(const SceneKey& key, const PixelRect& client)
{
    kept_.reset();
    QOpenGLExtraFunctions* f = windowCopier(client);
    if (f == nullptr)
        return;
    // Making a framebuffer object binds another read framebuffer behind our back.
    GLint readTarget = 0;
    f->glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readTarget);
    // A picture of another size, or made in a context since replaced, is made anew.
    if (!picture_ || picture_->width() != client.width() ||
        picture_->height() != client.height() || key.contextSerial != pictureSerial_) {
        picture_ = makeWindowOrderPicture(client);
        pictureSerial_ = key.contextSerial;
    }
    if (picture_) {
        copyIntoPicture(0, *picture_, client);
        kept_ = key;
    }
    f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    f->glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readTarget));
}

} // namespace kubrix
