// The pixel-run packed form of a texture image, as stored in the image slots of skin packages.
#include "core/formats/packed_image.h"

#include "core/base/little_endian.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>

namespace kubrix {

namespace {

constexpr std::size_t kLengthAt = 12;
constexpr std::uint32_t kRunBit = 1;

struct Header {
    int width = 0;
    int height = 0;
    std::int16_t aux = 0;
    std::uint8_t tag = 0;
    std::size_t length = 0;
};

// Nothing unless the header fits, the sides are in range and the run data are whole words
// lying inside the record.
std::optional<Header> readHeader(std::span<const std::uint8_t> record)
{
    if (record.size() < kPackedHeaderSize)
        return std::nullopt;
    Header h;
    h.width = static_cast<int>(readLe32(record, 0) & 0xFFFFU);
    h.height = static_cast<int>(readLe32(record, 4) & 0xFFFFU);
    h.aux = static_cast<std::int16_t>(readLe32(record, 8) & 0xFFFFU);
    h.tag = static_cast<std::uint8_t>(readLe32(record, 16) & 0xFFU);
    const std::uint32_t length = readLe32(record, kLengthAt);
    if (h.width > kMaxPackedSide || h.height > kMaxPackedSide || length % 4 != 0 ||
        length > record.size() - kPackedHeaderSize)
        return std::nullopt;
    h.length = length;
    return h;
}

// Walks the runs, handing each (pixel, count) to emit; false when the data are damaged: a run
// word without its count, or more pixels than the image holds. Counts the pixels produced.
template <typename Emit>
bool walkRuns(std::span<const std::uint8_t> runs, std::size_t capacity, std::size_t& produced,
              Emit emit)
{
    produced = 0;
    std::size_t at = 0;
    while (at < runs.size()) {
        const std::uint32_t word = readLe32(runs, at);
        at += 4;
        std::size_t count = 1;
        if ((word & kRunBit) != 0) {
            if (at == runs.size())
                return false;
            count = readLe32(runs, at);
            at += 4;
        }
        if (count > capacity - produced)
            return false;
        emit(word & ~kRunBit, produced, count);
        produced += count;
    }
    return true;
}

} // namespace

std::vector<std::uint8_t> pack(const RgbaImage& image)
{
    const std::size_t declared =
        image.width > 0 && image.height > 0
            ? static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)
            : 0;
    const std::size_t count = std::min(declared, image.pixels.size() / 4);

    std::vector<std::uint8_t> record;
    record.reserve(kPackedHeaderSize + count * 4 + 1);
    appendLe32(record, static_cast<std::uint32_t>(image.width));
    appendLe32(record, static_cast<std::uint32_t>(image.height));
    appendLe32(record, static_cast<std::uint32_t>(static_cast<std::int32_t>(image.packedAux)));
    appendLe32(record, 0); // the run length, known once the runs are written
    appendLe32(record, image.packedTag);

    // A run only ends where the full 32-bit value changes, so two pixels that differ in the
    // lowest red bit alone stay separate words even though both are stored with it cleared.
    std::uint32_t previous = 0;
    std::uint32_t run = 0;
    const auto emitRun = [&] {
        if (run == 1) {
            appendLe32(record, previous & ~kRunBit);
        } else {
            appendLe32(record, previous | kRunBit);
            appendLe32(record, run);
        }
    };
    const std::span<const std::uint8_t> pixels(image.pixels);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = readLe32(pixels, i * 4);
        if (pixel != previous && run != 0) {
            emitRun();
            run = 0;
        }
        previous = pixel;
        ++run;
    }
    if (run != 0)
        emitRun();

    writeLe32(record, kLengthAt, static_cast<std::uint32_t>(record.size() - kPackedHeaderSize));
    record.push_back(0); // the spare byte that every stored record carries
    return record;
}

std::size_t packedSize(std::span<const std::uint8_t> record)
{
    if (record.size() < kPackedHeaderSize)
        return 0;
    const auto length = static_cast<std::int32_t>(readLe32(record, kLengthAt));
    if (length < 0)
        return 0;
    const std::size_t size = static_cast<std::size_t>(length) + kPackedHeaderSize + 1;
    return size <= record.size() ? size : 0;
}

bool unpack(std::span<const std::uint8_t> record, RgbaImage& image)
{
    return unpack(record, image, {});
}

bool unpack(std::span<const std::uint8_t> record, RgbaImage& image, const RunVisitor& visit)
{
    image = RgbaImage{};
    const std::optional<Header> h = readHeader(record);
    if (!h)
        return false;
    const std::span<const std::uint8_t> runs = record.subspan(kPackedHeaderSize, h->length);
    const std::size_t capacity =
        static_cast<std::size_t>(h->width) * static_cast<std::size_t>(h->height);

    if (capacity == 0 && !runs.empty())
        return false;
    // Checked in full before any storage is taken, so a damaged header cannot make us allocate
    // a large image only to throw it away.
    std::size_t produced = 0;
    if (!walkRuns(runs, capacity, produced, [](std::uint32_t, std::size_t, std::size_t) {}) ||
        produced != capacity)
        return false;

    RgbaImage out;
    out.width = h->width;
    out.height = h->height;
    out.packedAux = h->aux;
    out.packedTag = h->tag;
    try {
        out.pixels.resize(capacity * 4);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::span<std::uint8_t> pixels(out.pixels);
    walkRuns(runs, capacity, produced,
             [pixels, &visit](std::uint32_t pixel, std::size_t first, std::size_t count) {
                 for (std::size_t i = first; i < first + count; ++i)
                     writeLe32(pixels, i * 4, pixel);
                 if (visit)
                     visit(pixel, first, count);
             });
    image = std::move(out);
    return true;
}

bool copyAlphaFrom(RgbaImage& image, const RgbaImage& mask)
{
    if (image.width != mask.width || image.height != mask.height || image.width < 0 ||
        image.height < 0)
        return false;
    const std::size_t bytes =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
    if (image.pixels.size() != bytes || mask.pixels.size() != bytes)
        return false;
    for (std::size_t i = 3; i < bytes; i += 4)
        image.pixels[i] = mask.pixels[i];
    return true;
}

} // namespace kubrix
