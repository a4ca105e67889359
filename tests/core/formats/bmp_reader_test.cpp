// Tests of the BMP reader: row orders, padding, options, warnings and damaged files.
#include "core/formats/bmp_reader.h"
#include "core/formats/bmp_writer.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kubrix {
namespace {

using test::RecordingMessages;

const std::string kBad = "Bad BMP File Format";
const std::string kDepth =
    "This BMP color depth is not supported.\nBMP Files must be 24-bit color depth.";
const std::string kCompressed = "Compressed BMP files are currently not supported.\nTry saving "
                                "as an uncompressed bitmap; ie, using Paintbrush.";
const std::string kSquare = "Images must be square (same width and height in pixels) and the "
                            "width and height must both be a power of two.";

using Bgr = std::array<std::uint8_t, 3>;

// The header fields a test may bend; rows are given in file order, each as B, G, R triples.
struct BmpFields {
    std::uint16_t type = 0x4D42;
    std::uint32_t dataOffset = 54;
    std::uint32_t infoSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
};

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Padding bytes are 0xEE so that a reader that ignores the stride picks up visible garbage.
std::vector<std::uint8_t> bmpFile(const BmpFields& f, const std::vector<std::vector<Bgr>>& rows)
{
    std::vector<std::uint8_t> out;
    put(out, f.type, 2);
    put(out, 0, 4);
    put(out, 0, 4);
    put(out, f.dataOffset, 4);
    put(out, f.infoSize, 4);
    put(out, static_cast<std::uint32_t>(f.width), 4);
    put(out, static_cast<std::uint32_t>(f.height), 4);
    put(out, f.planes, 2);
    put(out, f.bitsPerPixel, 2);
    put(out, f.compression, 4);
    out.resize(out.size() + 20, 0); // image size, resolution and palette counts: unused
    for (const auto& row : rows) {
        for (const Bgr& p : row)
            out.insert(out.end(), p.begin(), p.end());
        while ((out.size() - 54) % 4 != 0)
            out.push_back(0xEE);
    }
    return out;
}

// A width x height picture whose every pixel differs, rows given bottom row first.
std::vector<std::vector<Bgr>> distinctRows(int width, int height)
{
    std::vector<std::vector<Bgr>> rows;
    for (int y = 0; y < height; ++y) {
        std::vector<Bgr> row;
        for (int x = 0; x < width; ++x)
            row.push_back({static_cast<std::uint8_t>(10 + x), static_cast<std::uint8_t>(100 + y),
                           static_cast<std::uint8_t>(200 + x + y)});
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::uint8_t> fileOf(int width, int height)
{
    return bmpFile({.width = width, .height = height}, distinctRows(width, height));
}

bool load(const std::vector<std::uint8_t>& file, unsigned flags, RgbaImage& image,
          RecordingMessages& messages, ImageResampler* resampler = nullptr)
{
    return loadBmpBytes(file, flags, image, messages, resampler);
}

// Expects image to hold rows (bottom row first) with opaque alpha.
void expectPixels(const RgbaImage& image, const std::vector<std::vector<Bgr>>& rows)
{
    ASSERT_EQ(image.height, static_cast<int>(rows.size()));
    ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width * image.height * 4));
    for (int y = 0; y < image.height; ++y) {
        ASSERT_EQ(image.width, static_cast<int>(rows[static_cast<std::size_t>(y)].size()));
        for (int x = 0; x < image.width; ++x) {
            const Bgr& bgr = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const std::uint8_t* p = image.pixel(x, y);
            EXPECT_EQ(p[0], bgr[2]) << x << "," << y;
            EXPECT_EQ(p[1], bgr[1]) << x << "," << y;
            EXPECT_EQ(p[2], bgr[0]) << x << "," << y;
            EXPECT_EQ(p[3], 255) << x << "," << y;
        }
    }
}

// Nearest-pixel scaling that records what it was asked for.
class RecordingResampler final : public ImageResampler {
public:
    bool resample(const RgbaImage& source, int width, int height, RgbaImage& result) override
    {
        requests.push_back({width, height});
        if (fail)
            return false;
        result.width = width + (wrongSize ? 1 : 0);
        result.height = height;
        result.pixels.clear();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < result.width; ++x) {
                const std::uint8_t* p =
                    source.pixel(x * source.width / result.width, y * source.height / height);
                result.pixels.insert(result.pixels.end(), p, p + 4);
            }
        return true;
    }
    std::vector<std::array<int, 2>> requests;
    bool fail = false;
    bool wrongSize = false;
};

TEST(BmpReaderTest, WriterRoundTripThroughBytesAndFiles)
{
    RgbaImage source;
    source.width = 5;
    source.height = 3;
    for (int i = 0; i < 15; ++i)
        source.pixels.insert(source.pixels.end(),
                             {static_cast<std::uint8_t>(i * 17), static_cast<std::uint8_t>(i * 3),
                              static_cast<std::uint8_t>(255 - i),
                              static_cast<std::uint8_t>(i * 9)});
    RecordingMessages messages;
    RgbaImage colour;
    ASSERT_TRUE(load(encodeBmp24(source, BmpChannel::Colour), KeepSize, colour, messages));
    ASSERT_EQ(colour.width, 5);
    ASSERT_EQ(colour.height, 3);
    for (std::size_t i = 0; i < source.pixels.size(); ++i)
        EXPECT_EQ(colour.pixels[i], i % 4 == 3 ? 255 : source.pixels[i]) << i;

    RgbaImage mask;
    ASSERT_TRUE(
        load(encodeBmp24(source, BmpChannel::AlphaAsGrey), KeepSize | MaskOnly, mask, messages));
    for (std::size_t i = 0; i < source.pixels.size(); ++i)
        EXPECT_EQ(mask.pixels[i], i % 4 == 3 ? source.pixels[i] : 0) << i;

    const test::TempFolder folder;
    const std::string path = (folder / "roundtrip.bmp").string();
    ASSERT_TRUE(writeBmp24(path, source, BmpChannel::Colour));
    RgbaImage fromFile;
    fromFile.packedTag = 9;
    fromFile.packedAux = 5;
    ASSERT_TRUE(loadBmp(path, KeepSize, fromFile, messages, nullptr));
    EXPECT_EQ(fromFile.pixels, colour.pixels);
    EXPECT_EQ(fromFile.packedTag, 1);
    EXPECT_EQ(fromFile.packedAux, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(BmpReaderTest, RowOrderAndStridePadding)
{
    for (const int width : {1, 2, 3, 4, 5}) {
        const auto rows = distinctRows(width, 3);
        RecordingMessages messages;
        RgbaImage bottomUp;
        ASSERT_TRUE(
            load(bmpFile({.width = width, .height = 3}, rows), KeepSize, bottomUp, messages))
            << width;
        expectPixels(bottomUp, rows);

        // A top-down file stores the top row first; the image still keeps the bottom row first.
        const std::vector<std::vector<Bgr>> topFirst(rows.rbegin(), rows.rend());
        RgbaImage topDown;
        ASSERT_TRUE(
            load(bmpFile({.width = width, .height = -3}, topFirst), KeepSize, topDown, messages))
            << width;
        expectPixels(topDown, rows);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(BmpReaderTest, ColourAndAlphaOptionsWithTheirPrecedence)
{
    // Black, white, a mid colour with grey (90 + 60 + 30) / 3 = 60, a near-black red, a colour
    // whose grey (10 + 10 + 11) / 3 = 10 rounds down, and a dark blue with no red or green.
    const std::vector<std::vector<Bgr>> rows = {
        {{0, 0, 0}, {255, 255, 255}, {90, 60, 30}, {0, 0, 1}, {11, 10, 10}, {3, 0, 0}}};
    const std::vector<std::uint8_t> file = bmpFile({.width = 6, .height = 1}, rows);
    using Rgbs = std::array<std::array<int, 3>, 6>;
    using Alphas = std::array<int, 6>;
    const Rgbs plain = {
        {{0, 0, 0}, {255, 255, 255}, {30, 60, 90}, {1, 0, 0}, {10, 10, 11}, {0, 0, 3}}};
    const Rgbs inverted = {{{255, 255, 255},
                            {0, 0, 0},
                            {225, 195, 165},
                            {254, 255, 255},
                            {245, 245, 244},
                            {255, 255, 252}}};
    const Rgbs none{};
    const Alphas opaque = {255, 255, 255, 255, 255, 255};
    const Alphas grey = {0, 255, 60, 0, 10, 1};
    const Alphas inverseGrey = {255, 0, 195, 255, 245, 254};
    const Alphas nonBlack = {0, 255, 255, 255, 255, 255};
    const struct {
        unsigned flags;
        const Rgbs& colours;
        const Alphas& alphas;
    } cases[] = {
        {0, plain, opaque},
        {InvertColours, inverted, opaque},
        {AlphaGrey, plain, grey},
        {AlphaInverseGrey, plain, inverseGrey},
        {AlphaNonBlack, plain, nonBlack},
        {MaskOnly, none, grey},
        {AlphaGrey | AlphaInverseGrey | AlphaNonBlack, plain, grey},
        {AlphaInverseGrey | AlphaNonBlack, plain, inverseGrey},
        {MaskOnly | InvertColours | AlphaInverseGrey, none, grey},
        {InvertColours | AlphaNonBlack, inverted, nonBlack},
    };
    for (const auto& c : cases) {
        RecordingMessages messages;
        RgbaImage image;
        ASSERT_TRUE(load(file, c.flags | KeepSize, image, messages)) << c.flags;
        ASSERT_EQ(image.pixels.size(), 24U);
        for (std::size_t x = 0; x < 6; ++x) {
            const std::uint8_t* p = image.pixel(static_cast<int>(x), 0);
            EXPECT_EQ((std::array<int, 4>{p[0], p[1], p[2], p[3]}),
                      (std::array<int, 4>{c.colours[x][0], c.colours[x][1], c.colours[x][2],
                                          c.alphas[x]}))
                << "flags " << c.flags << " pixel " << x;
        }
    }
}

TEST(BmpReaderTest, WarningsForUnsuitableFiles)
{
    struct Case {
        BmpFields fields;
        unsigned flags;
        std::string message;
        bool headersPassed; // later failures empty the image; header failures leave it alone
    };
    const Case cases[] = {
        {{.width = 4, .height = 4, .bitsPerPixel = 1}, 0, kBad, false},
        {{.type = 0x4D43, .width = 4, .height = 4}, 0, kBad, false},
        {{.infoSize = 108, .width = 4, .height = 4}, 0, kBad, false},
        {{.width = 4, .height = 4, .planes = 2}, 0, kBad, false},
        {{.width = 4, .height = 4, .bitsPerPixel = 8}, 0, kDepth, true},
        {{.width = 4, .height = 4, .bitsPerPixel = 32}, 0, kDepth, true},
        {{.width = 4, .height = 4, .compression = 1}, 0, kCompressed, true},
        {{.width = 128, .height = 64}, RequireSquarePow2, kSquare, true},
        {{.width = 96, .height = 96}, RequireSquarePow2, kSquare, true},
        {{.width = 64, .height = 128}, RequireSquarePow2 | AlphaGrey, kSquare, true},
    };
    for (const Case& c : cases) {
        RecordingMessages messages;
        RgbaImage image;
        image.width = 1;
        image.height = 1;
        image.pixels = {1, 2, 3, 4};
        const auto rows = distinctRows(c.fields.width, c.fields.height);
        EXPECT_FALSE(load(bmpFile(c.fields, rows), c.flags, image, messages)) << c.message;
        ASSERT_EQ(messages.shown.size(), 1U) << c.message;
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(messages.shown[0].caption, "Kubrix");
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(image.empty(), c.headersPassed) << c.message;
    }

    for (const int side : {1, 2, 64}) {
        RecordingMessages messages;
        RgbaImage image;
        EXPECT_TRUE(load(fileOf(side, side), RequireSquarePow2, image, messages)) << side;
        EXPECT_EQ(image.width, side);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(BmpReaderTest, EveryTruncationIsRefusedAsBadFormat)
{
    const std::vector<std::uint8_t> whole = fileOf(3, 2);
    ASSERT_EQ(whole.size(), 54U + 2 * 12);
    const test::TempFolder folder;
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const std::vector<std::uint8_t> prefix(whole.begin(),
                                               whole.begin() + static_cast<long>(length));
        RecordingMessages messages;
        RgbaImage image;
        image.pixels = {7, 7, 7, 7};
        EXPECT_FALSE(load(prefix, KeepSize, image, messages)) << length;
        ASSERT_EQ(messages.shown.size(), 1U) << length;
        EXPECT_EQ(messages.shown[0].text, kBad) << length;
        EXPECT_EQ(image.empty(), length >= 54) << length;

        folder.write("truncated.bmp", prefix);
        RecordingMessages fileMessages;
        RgbaImage fromFile;
        EXPECT_FALSE(
            loadBmp((folder / "truncated.bmp").string(), KeepSize, fromFile, fileMessages, nullptr))
            << length;
        ASSERT_EQ(fileMessages.shown.size(), 1U) << length;
        EXPECT_EQ(fileMessages.shown[0].text, kBad) << length;
    }
    RecordingMessages messages;
    RgbaImage image;
    EXPECT_TRUE(load(whole, KeepSize, image, messages));
}

TEST(BmpReaderTest, HostileHeadersAreRefusedWithoutReadingOutside)
{
    const auto pixels = distinctRows(2, 2);
    const BmpFields cases[] = {
        {.width = 0, .height = 2},
        {.width = -2, .height = 2},
        {.width = 2, .height = 0},
        {.width = 2, .height = INT32_MIN},
        {.width = INT32_MIN, .height = 2},
        {.width = 8193, .height = 1},
        {.width = 1, .height = -8193},
        {.width = 65536, .height = 65536}, // four times this wraps a 32-bit count to 0
        {.width = INT32_MAX, .height = INT32_MAX},
        {.dataOffset = 55 + 16, .width = 2, .height = 2},
        {.dataOffset = 0, .width = 2, .height = 2}, // the headers would be read as pixels
        {.dataOffset = 53, .width = 2, .height = 2},
        {.dataOffset = 0xFFFFFFFFU, .width = 2, .height = 2},
        {.dataOffset = 0x80000000U, .width = 1, .height = 1},
    };
    const test::TempFolder folder;
    for (const BmpFields& f : cases) {
        const std::vector<std::uint8_t> bytes = bmpFile(f, pixels);
        RecordingMessages messages;
        RgbaImage image;
        EXPECT_FALSE(load(bytes, KeepSize, image, messages)) << f.width << "x" << f.height;
        ASSERT_EQ(messages.shown.size(), 1U);
        EXPECT_EQ(messages.shown[0].text, kBad);
        EXPECT_TRUE(image.empty());

        folder.write("hostile.bmp", bytes);
        RecordingMessages fileMessages;
        EXPECT_FALSE(
            loadBmp((folder / "hostile.bmp").string(), KeepSize, image, fileMessages, nullptr));
        ASSERT_EQ(fileMessages.shown.size(), 1U);
        EXPECT_EQ(fileMessages.shown[0].text, kBad);
    }

    // The largest side is still taken, and a pixel offset past the headers is honoured.
    RecordingMessages messages;
    RgbaImage wide;
    EXPECT_TRUE(load(fileOf(8192, 1), KeepSize, wide, messages));
    EXPECT_EQ(wide.width, 8192);
    std::vector<std::uint8_t> gap = fileOf(2, 2);
    gap.insert(gap.begin() + 54, {0xAA, 0xBB, 0xCC, 0xDD});
    gap[10] = 58;
    RgbaImage shifted;
    ASSERT_TRUE(load(gap, KeepSize, shifted, messages));
    expectPixels(shifted, pixels);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(BmpReaderTest, SidesAreCutToPowersOfTwoThroughTheResampler)
{
    RecordingMessages messages;
    RecordingResampler resampler;
    RgbaImage image;
    ASSERT_TRUE(load(fileOf(600, 300), 0, image, messages, &resampler));
    ASSERT_EQ(resampler.requests.size(), 1U);
    EXPECT_EQ(resampler.requests[0], (std::array<int, 2>{512, 256}));
    EXPECT_EQ(image.width, 512);
    EXPECT_EQ(image.height, 256);
    EXPECT_EQ(image.pixels.size(), 512U * 256 * 4);
    EXPECT_EQ(image.packedTag, 1);

    ASSERT_TRUE(load(fileOf(5, 5), 0, image, messages, &resampler));
    EXPECT_EQ(resampler.requests.back(), (std::array<int, 2>{4, 4}));
    // Nearest scaling from 5 to 4 picks source columns 0, 1, 2, 3 of the bottom row.
    EXPECT_EQ(image.pixel(3, 0)[2], 13);

    // Powers of two need no scaling; KeepSize keeps any size.
    const std::size_t asked = resampler.requests.size();
    ASSERT_TRUE(load(fileOf(8, 1), 0, image, messages, &resampler));
    ASSERT_TRUE(load(fileOf(1, 1), 0, image, messages, &resampler));
    ASSERT_TRUE(load(fileOf(6, 3), KeepSize | RequireSquarePow2, image, messages, &resampler));
    EXPECT_EQ(image.width, 6);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(resampler.requests.size(), asked);
    EXPECT_TRUE(messages.shown.empty());

    // Without a resampler, or when it fails, the load fails quietly with no pixels.
    EXPECT_FALSE(load(fileOf(5, 4), 0, image, messages, nullptr));
    EXPECT_TRUE(image.empty());
    resampler.fail = true;
    EXPECT_FALSE(load(fileOf(3, 3), 0, image, messages, &resampler));
    EXPECT_TRUE(image.empty());
    resampler.fail = false;
    resampler.wrongSize = true;
    EXPECT_FALSE(load(fileOf(3, 3), 0, image, messages, &resampler));
    EXPECT_TRUE(image.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(BmpReaderTest, MissingFileFailsSilently)
{
    RecordingMessages messages;
    RgbaImage image;
    image.pixels = {1, 2, 3, 4};
    EXPECT_FALSE(loadBmp("/nonexistent/kubrix/missing.bmp", KeepSize, image, messages, nullptr));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(image.pixels.size(), 4U);
}

} // namespace
} // namespace kubrix
