// Scales texture images with GLU, for the BMP reader's power-of-two sizes.
#include "platform/gl/glu_image_resampler.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace kubrix {

namespace {

std::size_t byteCount(int width, int height)
{
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
}

} // namespace

bool GluImageResampler::resample(const RgbaImage& source, int width, int height, RgbaImage& result)
{
    // Without a current context every GL call, GLU's included, is a no-op that leaves the
    // output untouched; the version string is the cheap way to tell.
    if (glGetString(GL_VERSION) == nullptr)
        return false;
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0 ||
        source.pixels.size() != byteCount(source.width, source.height))
        return false;
    std::vector<std::uint8_t> scaled;
    try {
        scaled.resize(byteCount(width, height));
    } catch (const std::bad_alloc&) {
        return false;
    }
    // RGBA rows are whole multiples of four bytes, so no pixel-store alignment setting can
    // change how GLU walks either buffer.
    if (gluScaleImage(GL_RGBA, source.width, source.height, GL_UNSIGNED_BYTE, source.pixels.data(),
                      width, height, GL_UNSIGNED_BYTE, scaled.data()) != 0)
        return false;
    result = RgbaImage{};
    result.width = width;
    result.height = height;
    result.pixels = std::move(scaled);
    return true;
}

} // namespace kubrix
