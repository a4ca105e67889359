// The OpenGL surface format and the device probe.
#include "platform/gl/device_probe.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>

namespace kubrix {

QSurfaceFormat requestedSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

int probeDevice()
{
    QOffscreenSurface surface;
    surface.setFormat(requestedSurfaceFormat());
    surface.create();
    if (!surface.isValid())
        return kDeviceUnavailable;
    QOpenGLContext context;
    context.setFormat(requestedSurfaceFormat());
    if (!context.create())
        return kDeviceUnavailable;
    const bool current = context.makeCurrent(&surface);
    if (current)
        context.doneCurrent();
    return current ? kDeviceOpenGL : kDeviceUnavailable;
}

} // namespace kubrix
