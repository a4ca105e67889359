// Fuzzes the BMP reader: every option set, and the packed form of what it loads.
#include "core/formats/bmp_reader.h"
#include "core/formats/bmp_writer.h"
#include "core/formats/packed_image.h"
#include "fuzz_target.h"

#include <array>
#include <span>

namespace {

using namespace kubrix;

// The flag sets that reach different branches: colour, alpha and size rules.
constexpr std::array<unsigned, 3> kFlagSets{
    KeepSize | InvertColours | AlphaNonBlack,
    RequireSquarePow2 | MaskOnly,
    KeepSize | AlphaInverseGrey,
};

RgbaImage sample(int width, int height)
{
    RgbaImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i)
        image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(i * 37),
                                                 static_cast<std::uint8_t>(i * 11), 200, 255});
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    fuzz::SilentMessages messages;
    for (const unsigned flags : kFlagSets) {
        RgbaImage image;
        if (!loadBmpBytes(file, flags, image, messages, nullptr)) {
            fuzz::require(image.empty());
            continue;
        }
        const std::size_t expected =
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
        fuzz::require(image.pixels.size() == expected);
        // What was loaded packs and unpacks again to the same pixels, bar the lost red bit.
        RgbaImage again;
        if (image.width <= kMaxPackedSide && image.height <= kMaxPackedSide) {
            fuzz::require(unpack(pack(image), again));
            for (std::size_t i = 0; i < expected; ++i)
                fuzz::require(again.pixels[i] ==
                              (i % 4 == 0 ? image.pixels[i] & ~1U : image.pixels[i]));
        }
    }
    return 0;
}

std::vector<fuzz::Seed> kubrix::fuzz::seeds(const std::filesystem::path& skinFolder)
{
    std::vector<std::uint8_t> topDown = encodeBmp24(sample(3, 2), BmpChannel::Colour);
    topDown[22] = 0xFE; // height -2: the top row first
    topDown[23] = topDown[24] = topDown[25] = 0xFF;
    return {
        {"tiles_mask.bmp", skinFile(skinFolder, "tiles_.bmp")},
        {"square.bmp", encodeBmp24(sample(4, 4), BmpChannel::Colour)},
        {"padded.bmp", encodeBmp24(sample(3, 5), BmpChannel::Colour)},
        {"mask.bmp", encodeBmp24(sample(2, 2), BmpChannel::AlphaAsGrey)},
        {"top_down.bmp", topDown},
    };
}
