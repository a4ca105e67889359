// Reads uncompressed 24-bit BMP files into texture images, with colour, alpha and size options.
#include "core/formats/bmp_reader.h"

#include "core/base/little_endian.h"
#include "core/base/read_file.h"

#include <algorithm>
#include <bit>
#include <new>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace kubrix {

namespace {

constexpr std::string_view kCaption = "Kubrix";
constexpr std::string_view kBadFormat = "Bad BMP File Format";
constexpr std::string_view kBadDepth =
    "This BMP color depth is not supported.\nBMP Files must be 24-bit color depth.";
constexpr std::string_view kNoStorage = "Error Allocating storage for bitmap file";
constexpr std::string_view kCompressed =
    "Compressed BMP files are currently not supported.\nTry saving as an uncompressed bitmap; "
    "ie, using Paintbrush.";
constexpr std::string_view kNotSquare =
    "Images must be square (same width and height in pixels) and the width and height must both "
    "be a power of two.";

// A BMP file opens with a 14-byte file header (type "BM" at 0, the offset of the pixel data at
// 10) and a 40-byte information header (its own size at 14, width at 18, height at 22, planes
// at 26, bits per pixel at 28, compression at 30), all little-endian. The pixel data are rows of
// B, G, R triples, each row padded to a multiple of four bytes; a positive height stores the
// bottom row first, a negative one the top row first.
constexpr std::size_t kHeadersSize = 54;
constexpr std::uint16_t kBmpType = 0x4D42;

struct BmpHeaders {
    std::uint16_t type = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
};

struct Geometry {
    int width = 0;
    int rows = 0;
    bool bottomUp = true;
    std::size_t stride = 0;
    std::size_t dataBytes() const { return stride * static_cast<std::size_t>(rows); }
};

BmpHeaders parseHeaders(std::span<const std::uint8_t> bytes)
{
    BmpHeaders h;
    h.type = readLe16(bytes, 0);
    h.dataOffset = readLe32(bytes, 10);
    h.infoSize = readLe32(bytes, 14);
    h.width = static_cast<std::int32_t>(readLe32(bytes, 18));
    h.height = static_cast<std::int32_t>(readLe32(bytes, 22));
    h.planes = readLe16(bytes, 26);
    h.bitsPerPixel = readLe16(bytes, 28);
    h.compression = readLe32(bytes, 30);
    return h;
}

bool headersAccepted(const BmpHeaders& h)
{
    return h.type == kBmpType && h.infoSize == 40 && h.planes == 1 && h.bitsPerPixel != 1;
}

// Nothing when a side is outside 1..kMaxBmpSide; the height is widened first so that the most
// negative 32-bit value cannot overflow when its sign is dropped.
std::optional<Geometry> geometryOf(const BmpHeaders& h)
{
    const std::int64_t height = h.height;
    const std::int64_t rows = height < 0 ? -height : height;
    if (h.width <= 0 || h.width > kMaxBmpSide || rows == 0 || rows > kMaxBmpSide)
        return std::nullopt;
    Geometry g;
    g.width = h.width;
    g.rows = static_cast<int>(rows);
    g.bottomUp = height > 0;
    g.stride = (3 * static_cast<std::size_t>(g.width) + 3) & ~static_cast<std::size_t>(3);
    return g;
}

enum class AlphaRule { Grey, InverseGrey, NonBlack, Opaque };
enum class ColourRule { None, Inverted, Plain };

AlphaRule alphaRuleFor(unsigned flags)
{
    if ((flags & (AlphaGrey | MaskOnly)) != 0)
        return AlphaRule::Grey;
    if ((flags & AlphaInverseGrey) != 0)
        return AlphaRule::InverseGrey;
    if ((flags & AlphaNonBlack) != 0)
        return AlphaRule::NonBlack;
    return AlphaRule::Opaque;
}

ColourRule colourRuleFor(unsigned flags)
{
    if ((flags & MaskOnly) != 0)
        return ColourRule::None;
    if ((flags & InvertColours) != 0)
        return ColourRule::Inverted;
    return ColourRule::Plain;
}

std::uint8_t alphaOf(AlphaRule rule, unsigned b, unsigned g, unsigned r)
{
    const unsigned grey = (b + g + r) / 3;
    switch (rule) {
    case AlphaRule::Grey:
        return static_cast<std::uint8_t>(grey);
    case AlphaRule::InverseGrey:
        return static_cast<std::uint8_t>(255 - grey);
    case AlphaRule::NonBlack:
        return b + g + r == 0 ? 0 : 255;
    case AlphaRule::Opaque:
        break;
    }
    return 255;
}

// Expands the file's rows into RGBA, bottom row first whatever the file's row order.
void convertRows(const Geometry& g, std::span<const std::uint8_t> rows, unsigned flags,
                 std::vector<std::uint8_t>& out)
{
    const AlphaRule alphaRule = alphaRuleFor(flags);
    const ColourRule colourRule = colourRuleFor(flags);
    const auto width = static_cast<std::size_t>(g.width);
    for (int k = 0; k < g.rows; ++k) {
        const int row = g.bottomUp ? k : g.rows - 1 - k;
        const std::uint8_t* src = rows.data() + static_cast<std::size_t>(k) * g.stride;
        std::uint8_t* dst = out.data() + static_cast<std::size_t>(row) * width * 4;
        for (std::size_t x = 0; x < width; ++x, src += 3, dst += 4) {
            const std::uint8_t b = src[0];
            const std::uint8_t gr = src[1];
            const std::uint8_t r = src[2];
            if (colourRule == ColourRule::Inverted) {
                dst[0] = static_cast<std::uint8_t>(255 - r);
                dst[1] = static_cast<std::uint8_t>(255 - gr);
                dst[2] = static_cast<std::uint8_t>(255 - b);
            } else if (colourRule == ColourRule::Plain) {
                dst[0] = r;
                dst[1] = gr;
                dst[2] = b;
            }
            dst[3] = alphaOf(alphaRule, b, gr, r);
        }
    }
}

void warn(Messages& messages, std::string_view text)
{
    messages.show(text, kCaption, MessageIcon::Warning, MessageButtons::Ok);
}

} // namespace

bool loadBmpBytes(std::span<const std::uint8_t> file, unsigned flags, RgbaImage& image,
                  Messages& messages, ImageResampler* resampler)
{
    if (file.size() < kHeadersSize) {
        warn(messages, kBadFormat);
        return false;
    }
    const BmpHeaders h = parseHeaders(file);
    if (!headersAccepted(h)) {
        warn(messages, kBadFormat);
        return false;
    }
    image = RgbaImage{};
    if (h.bitsPerPixel != 24) {
        warn(messages, kBadDepth);
        return false;
    }
    const std::optional<Geometry> g = geometryOf(h);
    if (!g) {
        warn(messages, kBadFormat);
        return false;
    }
    if (h.compression != 0) {
        warn(messages, kCompressed);
        return false;
    }
    // Pixel data that overlap the headers, or rows the file does not hold, are a damaged file;
    // checked before any storage is taken, so the storage is bounded by the file's own size.
    if (h.dataOffset < kHeadersSize || h.dataOffset > file.size() ||
        file.size() - h.dataOffset < g->dataBytes()) {
        warn(messages, kBadFormat);
        return false;
    }
    std::vector<std::uint8_t> work;
    try {
        work.resize(static_cast<std::size_t>(g->width) * static_cast<std::size_t>(g->rows) * 4);
    } catch (const std::bad_alloc&) {
        warn(messages, kNoStorage);
        return false;
    }
    convertRows(*g, file.subspan(h.dataOffset), flags, work);

    RgbaImage loaded;
    loaded.width = g->width;
    loaded.height = g->rows;
    loaded.pixels = std::move(work);
    if ((flags & KeepSize) != 0) {
        image = std::move(loaded);
        return true;
    }
    const auto width = static_cast<unsigned>(g->width);
    const auto height = static_cast<unsigned>(g->rows);
    if ((flags & RequireSquarePow2) != 0) {
        if (!std::has_single_bit(width) || !std::has_single_bit(height) || width != height) {
            warn(messages, kNotSquare);
            return false;
        }
        image = std::move(loaded);
        return true;
    }
    const auto newWidth = static_cast<int>(std::bit_floor(width));
    const auto newHeight = static_cast<int>(std::bit_floor(height));
    if (newWidth == loaded.width && newHeight == loaded.height) {
        image = std::move(loaded);
        return true;
    }
    if (resampler == nullptr)
        return false;
    RgbaImage scaled;
    if (!resampler->resample(loaded, newWidth, newHeight, scaled))
        return false;
    const std::size_t expected =
        static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight) * 4;
    if (scaled.width != newWidth || scaled.height != newHeight || scaled.pixels.size() != expected)
        return false;
    image.width = newWidth;
    image.height = newHeight;
    image.pixels = std::move(scaled.pixels);
    return true;
}

bool loadBmp(const std::string& path, unsigned flags, RgbaImage& image, Messages& messages,
             ImageResampler* resampler)
{
    const FileBytes file = readFile(path, kMaxBmpFileBytes);
    if (!file.ok())
        return false;
    return loadBmpBytes(file.bytes, flags, image, messages, resampler);
}

} // namespace kubrix
