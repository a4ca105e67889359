// Tests of GLU image scaling through the BMP reader, on a real OpenGL context.
#include "core/formats/bmp_writer.h"
#include "platform/gl/glu_image_resampler.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kubrix {
namespace {

// An OpenGL context made current on an offscreen surface for the life of the object.
class CurrentContext {
public:
    CurrentContext()
    {
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        surface_.setFormat(format);
        surface_.create();
        context_.setFormat(format);
        current_ = context_.create() && context_.makeCurrent(&surface_);
    }
    ~CurrentContext() { release(); }
    bool current() const { return current_; }
    void release()
    {
        if (current_)
            context_.doneCurrent();
        current_ = false;
    }

private:
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    bool current_ = false;
};

using Rgb = std::array<std::uint8_t, 3>;

template <typename Colour> RgbaImage imageOf(int width, int height, Colour colourAt)
{
    RgbaImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y);
            image.pixels.insert(image.pixels.end(), {c[0], c[1], c[2], 255});
        }
    return image;
}

// Writes the image as a BMP file and loads it back without size options.
bool loadThroughFile(const RgbaImage& picture, ImageResampler& resampler, RgbaImage& loaded)
{
    const test::TempFolder folder;
    const std::string path = (folder / "picture.bmp").string();
    if (!writeBmp24(path, picture, BmpChannel::Colour))
        return false;
    test::RecordingMessages messages;
    return loadBmp(path, 0, loaded, messages, &resampler) && messages.shown.empty();
}

void expectColour(const RgbaImage& image, int x, int y, Rgb colour)
{
    const std::uint8_t* p = image.pixel(x, y);
    EXPECT_EQ((std::array<int, 4>{p[0], p[1], p[2], p[3]}),
              (std::array<int, 4>{colour[0], colour[1], colour[2], 255}))
        << "at " << x << "," << y;
}

TEST(GluImageResamplerTest, ScalesBmpFilesToPowerOfTwoSides)
{
    CurrentContext gl;
    ASSERT_TRUE(gl.current()) << "no OpenGL context could be made current";
    GluImageResampler resampler;

    // Left half red, right half blue; the upper half also carries full green, so a flipped
    // or mirrored result shows as well as a wrong size.
    const RgbaImage quarters = imageOf(600, 300, [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x < 300 ? 255 : 0),
                   static_cast<std::uint8_t>(y < 150 ? 0 : 255),
                   static_cast<std::uint8_t>(x < 300 ? 0 : 255)};
    });
    RgbaImage scaled;
    ASSERT_TRUE(loadThroughFile(quarters, resampler, scaled));
    ASSERT_EQ(scaled.width, 512);
    ASSERT_EQ(scaled.height, 256);
    ASSERT_EQ(scaled.pixels.size(), 512U * 256 * 4);
    for (int y = 0; y < 256; y += 5) {
        if (y > 120 && y < 136)
            continue;
        for (int x = 0; x < 512; x += 7) {
            if (x > 248 && x < 264)
                continue;
            expectColour(scaled, x, y,
                         {static_cast<std::uint8_t>(x < 256 ? 255 : 0),
                          static_cast<std::uint8_t>(y < 128 ? 0 : 255),
                          static_cast<std::uint8_t>(x < 256 ? 0 : 255)});
        }
    }

    const RgbaImage noise = imageOf(256, 256, [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 31 + y), static_cast<std::uint8_t>(x ^ y),
                   static_cast<std::uint8_t>(y * 7)};
    });
    RgbaImage same;
    ASSERT_TRUE(loadThroughFile(noise, resampler, same));
    EXPECT_EQ(same.width, 256);
    EXPECT_EQ(same.height, 256);
    EXPECT_EQ(same.pixels, noise.pixels);

    const RgbaImage flat = imageOf(5, 5, [](int, int) { return Rgb{10, 20, 30}; });
    RgbaImage small;
    ASSERT_TRUE(loadThroughFile(flat, resampler, small));
    ASSERT_EQ(small.width, 4);
    ASSERT_EQ(small.height, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            expectColour(small, x, y, {10, 20, 30});

    // Shrinking averages: two columns of 0 and 200 make one of about 100.
    const RgbaImage pair = imageOf(2, 1, [](int x, int) {
        return Rgb{static_cast<std::uint8_t>(x * 200), 0, 0};
    });
    RgbaImage halved;
    ASSERT_TRUE(resampler.resample(pair, 1, 1, halved));
    ASSERT_EQ(halved.pixels.size(), 4U);
    EXPECT_NEAR(halved.pixels[0], 100, 1);
}

TEST(GluImageResamplerTest, RefusesWithoutACurrentContext)
{
    CurrentContext gl;
    ASSERT_TRUE(gl.current());
    gl.release();
    GluImageResampler resampler;
    const RgbaImage flat = imageOf(5, 5, [](int, int) { return Rgb{10, 20, 30}; });
    RgbaImage result;
    result.width = 3;
    EXPECT_FALSE(resampler.resample(flat, 4, 4, result));
    EXPECT_EQ(result.width, 3);
    EXPECT_TRUE(result.empty());

    RgbaImage loaded;
    EXPECT_FALSE(loadThroughFile(flat, resampler, loaded));
    EXPECT_TRUE(loaded.empty());
}

} // namespace
} // namespace kubrix
