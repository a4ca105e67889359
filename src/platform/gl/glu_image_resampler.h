// Scales texture images with GLU, for the BMP reader's power-of-two sizes.
#pragma once

#include "core/formats/bmp_reader.h"

namespace kubrix {

// gluScaleImage works through the OpenGL implementation, so an OpenGL context must be current
// on the calling thread; without one resample refuses (returns false) and touches nothing.
class GluImageResampler final : public ImageResampler {
public:
    bool resample(const RgbaImage& source, int width, int height, RgbaImage& result) override;
};

} // namespace kubrix
