// Reads uncompressed 24-bit BMP files into texture images, with colour, alpha and size options.
#pragma once

#include "core/base/messages.h"
#include "core/formats/rgba_image.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kubrix {

// Options of the reader, combined with |.
// Alpha of each pixel: grey for AlphaGrey or MaskOnly, else 255 - grey for AlphaInverseGrey,
// else 0 for pure black and 255 otherwise for AlphaNonBlack, else 255; grey = (B + G + R) / 3.
// Colour: MaskOnly leaves R, G, B at 0, else InvertColours stores 255 - value, else the file's.
// Size: KeepSize keeps the file's size; RequireSquarePow2 refuses anything but a square with a
// power-of-two side; without either, each side is cut down to the largest power of two not
// above it and the picture is scaled to fit (1 counts as a power of two).
enum BmpFlag : unsigned {
    InvertColours = 0x02,
    AlphaInverseGrey = 0x04,
    AlphaGrey = 0x08,
    AlphaNonBlack = 0x10,
    KeepSize = 0x20,
    MaskOnly = 0x40,
    RequireSquarePow2 = 0x80,
};

// The largest width or height the reader accepts; bigger files are refused as malformed.
inline constexpr int kMaxBmpSide = 8192;
// The largest file the reader takes in: far above any skin's art (a 512 x 512 picture is
// 768 KB), and enough for a 4096 x 4096 one.
inline constexpr std::size_t kMaxBmpFileBytes = 64 * 1024 * 1024;

// Scales an RGBA image (bottom row first) to another size.
class ImageResampler {
public:
    virtual ~ImageResampler() = default;
    // Fills result with the source scaled to width x height; false when it cannot.
    virtual bool resample(const RgbaImage& source, int width, int height, RgbaImage& result) = 0;
};

// Loads a BMP file into image. Only a fully loaded picture replaces image (as a fresh image:
// packedTag 1, packedAux 0). Returns false without a message when the file cannot be read (a
// missing file, a directory or FIFO, one over kMaxBmpFileBytes); shows "Bad BMP File Format"
// when the headers are not those of a BMP file; after that point every failure leaves image
// empty, and the reader's warnings (format, colour depth, storage, compression, square
// power-of-two sides) come through messages. Files shorter than their pixel rows (padding
// included), pixel data starting inside the headers or beyond the end of the file, and widths
// or heights outside 1..kMaxBmpSide count as a bad format; no storage is taken for pixels the
// file does not hold.
// The resampler is needed only when a side must be cut to a power of two; without one, or
// when it fails, the load fails silently with image empty.
bool loadBmp(const std::string& path, unsigned flags, RgbaImage& image, Messages& messages,
             ImageResampler* resampler);

// The same reader over the bytes of a whole file held in memory.
bool loadBmpBytes(std::span<const std::uint8_t> file, unsigned flags, RgbaImage& image,
                  Messages& messages, ImageResampler* resampler);

} // namespace kubrix
