// The OpenGL surface format the program asks for, and the start-up test that it can be had.
#pragma once

#include <QSurfaceFormat>

namespace kubrix {

// The results of the device probe: the OpenGL renderer kind, or no usable device.
inline constexpr int kDeviceOpenGL = 1;
inline constexpr int kDeviceUnavailable = 4;

// Compatibility profile (the renderer draws with OpenGL 1.1 calls and selection-mode picking),
// 8-bit RGBA, a 24-bit depth buffer, double buffered.
QSurfaceFormat requestedSurfaceFormat();

// Creates a throw-away context with the requested format on an off-screen surface and makes
// it current. kDeviceOpenGL when that works, else kDeviceUnavailable.
int probeDevice();

} // namespace kubrix
