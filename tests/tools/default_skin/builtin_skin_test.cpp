// The built-in skin as the build embedded it: complete, and in the formats the game reads.
#include "core/formats/packed_image.h"
#include "core/formats/skin_package.h"
#include "core/formats/wave_reader.h"
#include "default_skin/builtin_skin.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

TEST(BuiltInSkin, IsACompletePackageOfTheDocumentedFormats)
{
    const std::vector<std::uint8_t> bytes = builtInSkinPackage();
    ASSERT_FALSE(bytes.empty());
    const auto package = SkinPackage::fromBytes(bytes);
    ASSERT_TRUE(package.has_value()) << "the embedded package passes the full load checks";
    EXPECT_EQ(package->stamp(), 1000U);
    EXPECT_EQ(package->infoText(3), "Kubrix");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(package->infoText(i).empty()) << i;

    for (int i = 0; i < SkinPackage::kImageSlots; ++i) {
        RgbaImage image;
        ASSERT_TRUE(unpack(package->imageRecord(i), image)) << i;
        EXPECT_EQ(image.width, 512);
        EXPECT_EQ(image.height, 512);
        const bool someTransparent = [&] {
            for (std::size_t p = 3; p < image.pixels.size(); p += 4)
                if (image.pixels[p] < 255)
                    return true;
            return false;
        }();
        EXPECT_TRUE(someTransparent) << "the atlases carry an alpha mask";
    }
    for (int i = 0; i < SkinPackage::kSoundSlots; ++i) {
        const auto sound = package->soundBytes(i);
        WaveReader reader;
        ASSERT_EQ(reader.open(sound.data(), sound.size()), WaveStatus::Ok) << i;
        EXPECT_EQ(reader.format().formatTag, 1);
        EXPECT_EQ(reader.format().channels, 1);
        EXPECT_GE(reader.format().samplesPerSecond, 22050U);
        EXPECT_EQ(reader.format().bitsPerSample, 16);
        EXPECT_GT(reader.dataSize(), 0U);
    }
    WaveReader music;
    const auto bytesOfMusic = package->soundBytes(8);
    ASSERT_EQ(music.open(bytesOfMusic.data(), bytesOfMusic.size()), WaveStatus::Ok);
    EXPECT_NEAR(music.dataSize() / (2.0 * music.format().samplesPerSecond), 88.0, 1.0);
    EXPECT_LT(bytes.size(), 8U * 1024 * 1024);
}

} // namespace
} // namespace kubrix
