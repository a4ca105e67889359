// Writes a texture image as an uncompressed 24-bit BMP file: its colours, or its alpha as grey.
#pragma once

#include "core/formats/rgba_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kubrix {

enum class BmpChannel { Colour, AlphaAsGrey };

// A bottom-up 24-bit BMP with rows padded to four bytes; the image's bottom row is stored first.
std::vector<std::uint8_t> encodeBmp24(const RgbaImage& image, BmpChannel channel);
bool writeBmp24(const std::string& path, const RgbaImage& image, BmpChannel channel);

} // namespace kubrix
