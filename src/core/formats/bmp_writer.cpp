// Writes a texture image as an uncompressed 24-bit BMP file.
#include "core/formats/bmp_writer.h"

#include "core/base/atomic_file.h"
#include "core/base/little_endian.h"

namespace kubrix {

std::vector<std::uint8_t> encodeBmp24(const RgbaImage& image, BmpChannel channel)
{
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    const std::uint32_t stride = (3 * width + 3) & ~3U;
    const std::uint32_t pixelBytes = stride * height;
    constexpr std::uint32_t kHeaders = 14 + 40;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaders + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    appendLe32(out, kHeaders + pixelBytes);
    appendLe32(out, 0);
    appendLe32(out, kHeaders);
    appendLe32(out, 40);
    appendLe32(out, width);
    appendLe32(out, height); // positive: bottom row first, as the image keeps its rows
    appendLe16(out, 1);
    appendLe16(out, 24);
    appendLe32(out, 0); // no compression
    appendLe32(out, pixelBytes);
    appendLe32(out, 2835); // 72 dpi
    appendLe32(out, 2835);
    appendLe32(out, 0);
    appendLe32(out, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.pixel(x, y);
            if (channel == BmpChannel::Colour) {
                out.insert(out.end(), {p[2], p[1], p[0]});
            } else {
                out.insert(out.end(), {p[3], p[3], p[3]});
            }
        }
        out.resize(out.size() + (stride - 3 * width), 0);
    }
    return out;
}

bool writeBmp24(const std::string& path, const RgbaImage& image, BmpChannel channel)
{
    return writeFileAtomically(path, encodeBmp24(image, channel));
}

} // namespace kubrix
