// An RGBA colour of four floats in 0..1, as OpenGL takes it.
#pragma once

namespace kubrix {

struct Colour {
    float r = 1.0F;
    float g = 1.0F;
    float b = 1.0F;
    float a = 1.0F;

    friend bool operator==(const Colour&, const Colour&) = default;
};

} // namespace kubrix
