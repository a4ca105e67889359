// Framebuffer objects holding a picture the size of a frame, to be copied into frames later.
#pragma once

#include "core/scene/atlas.h"

#include <cstdint>
#include <memory>

class QOpenGLFramebufferObject;

namespace kubrix {

// Colour only, RGBA and bottom row first, as OpenGL draws it. Texture 2D's binding is kept.
std::unique_ptr<QOpenGLFramebufferObject> makeFramePicture(const PixelRect& client);

// A software renderer keeps a window's pixels blue first and top row first, a framebuffer
// object's as asked and bottom row first: a picture stored the window's way copies to and
// from the window row by row, where any other is drawn pixel by pixel, five times the time.
// Pictures in it are upside down to OpenGL, so copies in and out turn them over. Null when
// the driver cannot store a picture that way.
std::unique_ptr<QOpenGLFramebufferObject> makeWindowOrderPicture(const PixelRect& client);

// Copies the client area of a framebuffer (0 for the window) into a picture, turned over, as a
// picture in the window's order takes an upright frame. Leaves the source bound for reading and
// the picture for drawing.
void copyIntoPicture(std::uint32_t source, const QOpenGLFramebufferObject& picture,
                     const PixelRect& client);

// Copies a picture over the client area of the bound draw framebuffer, turning one kept in the
// window's order back over on the way out. The read framebuffer binding is kept.
void copyPictureOut(const QOpenGLFramebufferObject& picture, const PixelRect& client,
                    bool windowOrder);

} // namespace kubrix
