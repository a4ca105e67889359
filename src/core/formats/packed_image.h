// The pixel-run packed form of a texture image, as stored in the image slots of skin packages.
#pragma once

#include "core/formats/rgba_image.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kubrix {

// A packed record, all fields little-endian:
//   0  int32 width (low 16 bits used)     4  int32 height (low 16 bits used)
//   8  int32 packedAux (a 16-bit value)  12  int32 length of the run data in bytes
//  16  int32 packedTag (an 8-bit value)  20  run data, then one spare byte written as 0
// The run data are 32-bit words, each an RGBA pixel (R in the low byte), in the image's pixel
// order (bottom row first). A word whose bit 0 (the lowest red bit) is clear is one pixel; a
// word whose bit 0 is set is a run: that pixel with bit 0 cleared, repeated as many times as the
// next word says. Packing therefore loses the lowest bit of every red value.

// The largest width or height a record may declare; bigger ones are refused when unpacking. A
// few run words can describe a whole image, so this side is what bounds the storage a record
// can ask for (64 MB); it is the largest square the skin compiler can take in as a BMP file.
inline constexpr int kMaxPackedSide = 4096;
inline constexpr std::size_t kPackedHeaderSize = 20;

// The whole record (header, runs and the spare byte): packedSize(result) == result.size().
// Packs the first width * height pixels; an image whose pixel buffer is shorter than that packs
// only the pixels it has, giving a record that unpack refuses.
std::vector<std::uint8_t> pack(const RgbaImage& image);

// The number of bytes a record occupies when stored: its run length + 21. 0 when the record is
// shorter than its header, declares a negative length, or is shorter than that size.
std::size_t packedSize(std::span<const std::uint8_t> record);

// Expands a record into image, carrying packedTag and packedAux. A damaged record is refused
// (false, image left empty): a header that does not fit, sides over kMaxPackedSide, a run
// length that is not whole words or reaches beyond the record, a run word without its count,
// runs that would pass width * height pixels, or runs that fall short of filling the image
// (a packed image always covers every pixel, so a shortfall means the record is damaged).
bool unpack(std::span<const std::uint8_t> record, RgbaImage& image);

// The same, also handing each run to visit(pixel with bit 0 cleared, first pixel, count) in
// pixel order, for a caller that needs to know where the runs split.
using RunVisitor = std::function<void(std::uint32_t pixel, std::size_t first, std::size_t count)>;
bool unpack(std::span<const std::uint8_t> record, RgbaImage& image, const RunVisitor& visit);

// Replaces each pixel's alpha with the mask's. A mask of another size (or a pixel buffer that
// does not match either size) is ignored: false, image unchanged.
bool copyAlphaFrom(RgbaImage& image, const RgbaImage& mask);

} // namespace kubrix
