// The pixels of a texture image: RGBA, 8 bits per channel, bottom row first as OpenGL takes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kubrix {

struct RgbaImage {
    int width = 0;
    int height = 0;
    // width * height * 4 bytes, R G B A per pixel; row 0 is the bottom row of the picture.
    std::vector<std::uint8_t> pixels;
    // Carried through the packed form unchanged; a freshly loaded image has tag 1, aux 0.
    std::uint8_t packedTag = 1;
    std::int16_t packedAux = 0;

    bool empty() const { return pixels.empty(); }
    std::size_t byteSize() const { return pixels.size(); }
    std::uint8_t* pixel(int x, int y)
    {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)) *
                                   4;
    }
    const std::uint8_t* pixel(int x, int y) const
    {
        return pixels.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x)) *
                                   4;
    }
};

} // namespace kubrix
