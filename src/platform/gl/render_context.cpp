// The frame steps of the OpenGL context: viewport, clears, flush, and the shared projection.
#include "platform/gl/render_context.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace kubrix {

void RenderContext::contextCreated()
{
    // Texture rows of any width upload without padding.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glEnable(GL_DITHER);
    contextReady = true;
}

void RenderContext::contextDestroyed()
{
    contextReady = false;
    frameOpen = false;
}

void RenderContext::prepareFrame(int width, int height)
{
    if (!contextReady)
        return;
    glViewport(0, 0, width, height);
    frameOpen = true;
}

void RenderContext::beginFrame()
{
    if (contextReady)
        frameOpen = true;
}

void RenderContext::clear()
{
    if (!contextReady || (!clearColourOn && !clearDepthOn))
        return;
    GLbitfield mask = 0;
    if (clearColourOn)
        mask |= GL_COLOR_BUFFER_BIT;
    if (clearDepthOn) {
        glClearDepth(clearDepth);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    glClear(mask);
}

void RenderContext::setClearColour(const Colour& colour)
{
    clearColour = colour;
    if (contextReady)
        glClearColor(colour.r, colour.g, colour.b, colour.a);
}

void RenderContext::endFrame()
{
    if (!contextReady || !frameOpen)
        return;
    glFlush();
    glFinish();
    frameOpen = false;
}

void RenderContext::endPickFrame()
{
    if (!contextReady || !frameOpen)
        return;
    glFlush();
    frameOpen = false;
}

void RenderContext::applyProjection(double left, double right, double bottom, double top,
                                    double nearPlane, double farPlane)
{
    if (!contextReady)
        return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (selecting) {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        // OpenGL counts window rows upwards, the pick point downwards.
        gluPickMatrix(pickX, viewport[3] - pickY, 1.0, 1.0, viewport);
    }
    glFrustum(left, right, bottom, top, nearPlane, farPlane);
}

} // namespace kubrix
