// Tests of the packed pixel-run form: its exact layout, round trips and damaged records.
#include "core/formats/packed_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace kubrix {
namespace {

using Rgba = std::array<std::uint8_t, 4>;

RgbaImage imageOf(int width, int height, const std::vector<Rgba>& pixels)
{
    RgbaImage image;
    image.width = width;
    image.height = height;
    for (const Rgba& p : pixels)
        image.pixels.insert(image.pixels.end(), p.begin(), p.end());
    return image;
}

std::uint32_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes.at(at)) |
           (static_cast<std::uint32_t>(bytes.at(at + 1)) << 8) |
           (static_cast<std::uint32_t>(bytes.at(at + 2)) << 16) |
           (static_cast<std::uint32_t>(bytes.at(at + 3)) << 24);
}

// A record built word by word: the header fields, then the given run words.
std::vector<std::uint8_t> record(std::uint32_t width, std::uint32_t height, std::uint32_t length,
                                 const std::vector<std::uint32_t>& words)
{
    std::vector<std::uint8_t> out;
    for (const std::uint32_t w : std::vector<std::uint32_t>{width, height, 0, length, 1})
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
    for (const std::uint32_t w : words)
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
    out.push_back(0);
    return out;
}

const Rgba kA = {0x11, 0x22, 0x33, 0x44}; // word 0x44332211, bit 0 already set
const Rgba kB = {0x20, 0x30, 0x40, 0x50}; // word 0x50403020

TEST(PackedImageTest, LayoutOfRunsAndSinglePixels)
{
    RgbaImage image = imageOf(2, 2, {kA, kA, kB, kB});
    image.packedTag = 7;
    image.packedAux = -2;
    const std::vector<std::uint8_t> packed = pack(image);
    ASSERT_EQ(packed.size(), 20U + 16 + 1);
    EXPECT_EQ(wordAt(packed, 0), 2U);
    EXPECT_EQ(wordAt(packed, 4), 2U);
    EXPECT_EQ(wordAt(packed, 8), 0xFFFFFFFEU); // the 16-bit aux, widened with its sign
    EXPECT_EQ(wordAt(packed, 12), 16U);
    EXPECT_EQ(wordAt(packed, 16), 7U);
    EXPECT_EQ(wordAt(packed, 20), 0x44332211U);
    EXPECT_EQ(wordAt(packed, 24), 2U);
    EXPECT_EQ(wordAt(packed, 28), 0x50403021U);
    EXPECT_EQ(wordAt(packed, 32), 2U);
    EXPECT_EQ(packed.back(), 0);
    EXPECT_EQ(packedSize(packed), packed.size());

    const std::vector<std::uint8_t> single = pack(imageOf(1, 1, {kA}));
    ASSERT_EQ(single.size(), 20U + 4 + 1);
    EXPECT_EQ(wordAt(single, 12), 4U);
    EXPECT_EQ(wordAt(single, 20), 0x44332210U);

    // Leading black pixels equal the walk's starting value and still form an ordinary run;
    // pixels that differ only in the lowest red bit stay separate words.
    const std::vector<std::uint8_t> mixed =
        pack(imageOf(5, 1, {{0, 0, 0, 0}, {0, 0, 0, 0}, kB, {0x21, 0x30, 0x40, 0x50}, kA}));
    ASSERT_EQ(wordAt(mixed, 12), 20U);
    EXPECT_EQ(wordAt(mixed, 20), 1U);
    EXPECT_EQ(wordAt(mixed, 24), 2U);
    EXPECT_EQ(wordAt(mixed, 28), 0x50403020U);
    EXPECT_EQ(wordAt(mixed, 32), 0x50403020U);
    EXPECT_EQ(wordAt(mixed, 36), 0x44332210U);

    const std::vector<std::uint8_t> none = pack(RgbaImage{});
    EXPECT_EQ(none.size(), 21U);
    EXPECT_EQ(wordAt(none, 12), 0U);
}

TEST(PackedImageTest, RoundTripClearsOnlyTheLowestRedBit)
{
    for (const auto& [width, height] : std::vector<std::array<int, 2>>{{1, 1}, {3, 5}, {64, 32}}) {
        RgbaImage image;
        image.width = width;
        image.height = height;
        image.packedTag = 200;
        image.packedAux = -1234;
        // Long runs and noise mixed: each row is one colour for its first half, then varies.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int v = x < width / 2 ? y : x * 7 + y * 13;
                image.pixels.insert(image.pixels.end(),
                                    {static_cast<std::uint8_t>(v * 3 + 1),
                                     static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(y),
                                     static_cast<std::uint8_t>(255 - v)});
            }
        const std::vector<std::uint8_t> packed = pack(image);
        RgbaImage restored;
        ASSERT_TRUE(unpack(packed, restored)) << width << "x" << height;
        EXPECT_EQ(restored.width, width);
        EXPECT_EQ(restored.height, height);
        EXPECT_EQ(restored.packedTag, 200);
        EXPECT_EQ(restored.packedAux, -1234);
        ASSERT_EQ(restored.pixels.size(), image.pixels.size());
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const auto expected =
                i % 4 == 0 ? static_cast<std::uint8_t>(image.pixels[i] & 0xFE) : image.pixels[i];
            ASSERT_EQ(restored.pixels[i], expected) << width << "x" << height << " byte " << i;
        }
    }

    // Only the low 16 bits of each side count.
    RgbaImage fromWide;
    ASSERT_TRUE(unpack(record(0x00010002, 0xABCD0001, 8, {0x10 | 1, 2}), fromWide));
    EXPECT_EQ(fromWide.width, 2);
    EXPECT_EQ(fromWide.height, 1);
    EXPECT_EQ(fromWide.pixels, (std::vector<std::uint8_t>{0x10, 0, 0, 0, 0x10, 0, 0, 0}));
}

TEST(PackedImageTest, DamagedRecordsAreRefused)
{
    const std::vector<std::uint8_t> good = pack(imageOf(2, 2, {kA, kB, kB, kA}));
    const std::size_t runEnd = 20 + wordAt(good, 12);
    for (std::size_t length = 0; length < runEnd; ++length) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<long>(length));
        RgbaImage image = imageOf(1, 1, {kA});
        EXPECT_FALSE(unpack(cut, image)) << length;
        EXPECT_TRUE(image.empty()) << length;
        EXPECT_EQ(image.width, 0);
    }
    RgbaImage whole;
    EXPECT_TRUE(unpack(std::span(good).first(runEnd), whole));

    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"length beyond the record", record(2, 1, 12, {0x10, 0x20})},
        {"length not whole words", record(2, 1, 6, {0x10, 0x20})},
        {"run past the image", record(2, 2, 8, {0x11, 5})},
        {"huge run count", record(2, 2, 16, {0x20, 0x11, 0xFFFFFFFF, 0x30})},
        {"single pixel past the image", record(1, 1, 8, {0x10, 0x20})},
        {"run word without its count", record(2, 1, 8, {0x10, 0x21})},
        {"too few pixels", record(2, 2, 8, {0x11, 3})},
        {"zero-size image with data", record(0, 4, 8, {0x11, 0})},
        {"side over the limit", record(kMaxPackedSide + 1, 1, 8, {0x11, kMaxPackedSide + 1})},
    };
    for (const auto& c : cases) {
        RgbaImage image = imageOf(1, 1, {kA});
        EXPECT_FALSE(unpack(c.bytes, image)) << c.what;
        EXPECT_TRUE(image.empty()) << c.what;
    }
    RgbaImage widest;
    EXPECT_TRUE(unpack(record(kMaxPackedSide, 1, 8, {0x11, kMaxPackedSide}), widest));
    EXPECT_EQ(widest.pixels.size(), std::size_t{kMaxPackedSide} * 4);
}

TEST(PackedImageTest, StoredSizeOfARecord)
{
    const std::vector<std::uint8_t> packed = pack(imageOf(3, 1, {kA, kA, kB}));
    EXPECT_EQ(packedSize(packed), 20U + 12 + 1);
    EXPECT_EQ(packedSize(std::span(packed).first(packed.size() - 1)), 0U);
    std::vector<std::uint8_t> longer = packed;
    longer.resize(longer.size() + 10, 0xFF);
    EXPECT_EQ(packedSize(longer), packed.size());
    EXPECT_EQ(packedSize({}), 0U);
    EXPECT_EQ(packedSize(std::span(packed).first(19)), 0U);
    EXPECT_EQ(packedSize(record(1, 1, 0xFFFFFFF0U, {})), 0U);
}

TEST(PackedImageTest, CopyAlphaFromAMaskOfTheSameSizeOnly)
{
    RgbaImage image = imageOf(2, 1, {{1, 2, 3, 255}, {4, 5, 6, 255}});
    const RgbaImage mask = imageOf(2, 1, {{0, 0, 0, 10}, {0, 0, 0, 200}});
    ASSERT_TRUE(copyAlphaFrom(image, mask));
    EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{1, 2, 3, 10, 4, 5, 6, 200}));

    const RgbaImage before = image;
    EXPECT_FALSE(copyAlphaFrom(image, imageOf(1, 2, {{0, 0, 0, 1}, {0, 0, 0, 2}})));
    EXPECT_FALSE(copyAlphaFrom(image, imageOf(1, 1, {{0, 0, 0, 1}})));
    EXPECT_FALSE(copyAlphaFrom(image, imageOf(2, 1, {{0, 0, 0, 1}})));
    EXPECT_EQ(image.pixels, before.pixels);
}

} // namespace
} // namespace kubrix
