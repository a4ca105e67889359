// The frame steps of the OpenGL context: viewport, clears, flush, selection and the shared
// projection.
#include "platform/gl/render_context.h"

#include "core/scene/pick_hit.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <span>

namespace kubrix {

namespace {

// Far beyond any depth: OpenGL clamps it to 1, the far plane.
constexpr double kDepthClearValue = 1000.0;
// The name in force before the first strip loads its own; never a cube index.
constexpr GLuint kNoName = 0xFFFFFFFFU;

} // namespace

void RenderContext::contextCreated()
{
    // Texture rows of any width upload without padding.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glEnable(GL_DITHER);
    ready_ = true;
    ++serial_;
}

void RenderContext::contextDestroyed()
{
    ready_ = false;
    frameOpen_ = false;
}

void RenderContext::prepareFrame(int width, int height)
{
    if (!ready_)
        return;
    glViewport(0, 0, width, height);
    frameOpen_ = true;
}

void RenderContext::beginFrame()
{
    if (ready_)
        frameOpen_ = true;
}

void RenderContext::clearDepth()
{
    if (!ready_)
        return;
    glClearDepth(kDepthClearValue);
    // Depth and stencil share their pixels, and the stencil is never used: clearing both is a
    // plain fill, where clearing the depth alone has a software renderer keep every pixel's
    // stencil bits, word by word.
    glClearStencil(0);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void RenderContext::setClearColour(const Colour& colour)
{
    if (ready_)
        glClearColor(colour.r, colour.g, colour.b, colour.a);
}

void RenderContext::endFrame()
{
    if (!ready_ || !frameOpen_)
        return;
    glFlush();
    glFinish();
    frameOpen_ = false;
}

void RenderContext::endPickFrame()
{
    if (!ready_ || !frameOpen_)
        return;
    glFlush();
    frameOpen_ = false;
}

void RenderContext::beginSelection(int x, int y)
{
    if (!ready_)
        return;
    pickX_ = x;
    pickY_ = y;
    selecting_ = true;
    glSelectBuffer(kSelectBufferWords, selectBuffer_.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(kNoName);
}

std::optional<std::uint32_t> RenderContext::endSelection()
{
    if (!ready_ || !selecting_)
        return std::nullopt;
    selecting_ = false;
    const GLint hits = glRenderMode(GL_RENDER);
    const std::optional<std::uint32_t> chosen =
        chooseHit(std::span<const std::uint32_t>(selectBuffer_), hits);
    // Only a strip's own name is a cube; the base name would mean something drew unnamed.
    if (chosen == kNoName)
        return std::nullopt;
    return chosen;
}

void RenderContext::applyProjection(double left, double right, double bottom, double top,
                                    double nearPlane, double farPlane)
{
    if (!ready_)
        return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (selecting_) {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        // OpenGL counts window rows upwards, the pick point downwards.
        gluPickMatrix(pickX_, viewport[3] - pickY_, 1.0, 1.0, viewport);
    }
    glFrustum(left, right, bottom, top, nearPlane, farPlane);
}

} // namespace kubrix
