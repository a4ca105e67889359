// Compiling skin scripts into packages, with every failure's messages.
#include "core/formats/bmp_writer.h"
#include "core/formats/packed_image.h"
#include "core/skin/skin_script_compiler.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/wave_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kubrix {
namespace {

class RecordingApplier final : public SkinApplier {
public:
    void applyCompiledSkin(const SkinPackage& package, const std::string& saveTo) override
    {
        applied.push_back(package);
        names.push_back(saveTo);
    }
    std::vector<SkinPackage> applied;
    std::vector<std::string> names;
};

RgbaImage solid(int side, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255)
{
    RgbaImage image;
    image.width = image.height = side;
    for (int i = 0; i < side * side; ++i)
        image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

class Compiler : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(art.path() / "sub");
        art.write("sub/start.wav", test::pcmWave({1, 2, 3}));
        art.write("sub/win.wav", test::pcmWave({4, 5, 6, 7}));
        art.write("sub/LOUD.WAV", test::pcmWave({9}));
        writeBmp24((art / "sub/wood.bmp").string(), solid(8, 200, 100, 50), BmpChannel::Colour);
        writeBmp24((art / "sub/wood_.bmp").string(), solid(8, 90, 90, 90), BmpChannel::Colour);
    }

    SkinBuild build(const std::string& script)
    {
        art.write("sub/skin.txt", script);
        return buildSkinPackage(art / "sub/skin.txt", skins.path(), messages);
    }

    test::TempFolder art;
    test::TempFolder skins;
    test::RecordingMessages messages;
};

TEST_F(Compiler, BuildsEverySlotFromTheFilesItNames)
{
    const SkinBuild result = build("SAVETO = Wood.KBS\n"
                                   "INFO[NAME] = Wood\nINFO[AUTHOR] = Ann\n"
                                   "INFO[EMAIL] = ann@example.org\nINFO[WEB] = https://x.org/?a=b\n"
                                   "SOUND[START] = start.wav\nSOUND[WIN] = LOUD.WAV\n"
                                   "IMAGE[TILES] = wood.bmp");
    ASSERT_EQ(result.error, "") << "the last line has no line feed and still counts";
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(result.package.has_value());
    EXPECT_EQ(result.saveTo, "Wood.KBS");
    EXPECT_EQ(result.package->path(), (art / "sub/skin.txt").string());

    const auto saved = SkinPackage::loadPackage((skins / "Wood.KBS").string());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->infoText(3), "Wood");
    EXPECT_EQ(saved->infoText(2), "https://x.org/?a=b");
    EXPECT_EQ(saved->stamp(), 1000U);
    const auto start = saved->soundBytes(5);
    EXPECT_EQ(std::vector<std::uint8_t>(start.begin(), start.end()), test::pcmWave({1, 2, 3}));
    EXPECT_EQ(saved->soundBytes(7).size(), test::pcmWave({9}).size());
    EXPECT_TRUE(saved->soundBytes(0).empty());
    EXPECT_TRUE(saved->imageRecord(0).empty());

    RgbaImage tiles;
    ASSERT_TRUE(unpack(saved->imageRecord(1), tiles));
    EXPECT_EQ(tiles.width, 8);
    EXPECT_EQ(tiles.pixel(3, 3)[0], 200);
    EXPECT_EQ(tiles.pixel(3, 3)[2], 50);
    EXPECT_EQ(tiles.pixel(3, 3)[3], 90) << "the mask gives the alpha";
    EXPECT_EQ(saved->imageRecord(1).size(), packedSize(saved->imageRecord(1)));
}

TEST_F(Compiler, OnlyNamesAndTextsMakeAPackageWithEmptySlots)
{
    const SkinBuild result = build("; a comment\nSAVETO=Plain.KBS\nINFO[NAME]=Plain\n"
                                   "SOUND[START] = start.wav\nSOUND[START] = win.wav\n");
    ASSERT_EQ(result.error, "");
    const auto saved = SkinPackage::loadPackage((skins / "Plain.KBS").string());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->soundBytes(5).size(), test::pcmWave({4, 5, 6, 7}).size())
        << "the later statement wins";
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(saved->imageRecord(i).empty());
    EXPECT_EQ(saved->infoText(0), "");
    EXPECT_EQ(saved->slotSize(0), 1U) << "an unset text is stored as an empty text";
}

TEST_F(Compiler, SoundFailures)
{
    for (const char* name : {"start.mp3", "wav", "gone.wav"}) {
        const SkinBuild result =
            build("SAVETO = S.KBS\nSOUND[MUSIC] = " + std::string(name) + "\n");
        EXPECT_EQ(result.error, "Problem Reading Sound File " + std::string(name) +
                                    ".  Is it a valid .WAV file?  Import Cancelled.");
        EXPECT_FALSE(result.package.has_value());
    }
    EXPECT_FALSE(std::filesystem::exists(skins / "S.KBS")) << "a failed run writes no package";
}

TEST_F(Compiler, ImageFailuresShowTheReaderThenTheCompilerMessages)
{
    SkinBuild result = build("SAVETO = I.KBS\nIMAGE[TEXTURE] = none.bmp\n");
    EXPECT_EQ(result.error, "Problem Reading Image File none.bmp.  Import Cancelled.");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not open bitmap file none.bmp."});

    messages.shown.clear();
    RgbaImage wide = solid(8, 1, 2, 3);
    wide.width = 16;
    wide.height = 4;
    writeBmp24((art / "sub/wide.bmp").string(), wide, BmpChannel::Colour);
    result = build("SAVETO = I.KBS\nIMAGE[TEXTURE] = wide.bmp\n");
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"Images must be square (same width and height in pixels) "
                                        "and the width and height must both be a power of two.",
                                        "Could not open bitmap file wide.bmp."}));
    EXPECT_EQ(result.error, "Problem Reading Image File wide.bmp.  Import Cancelled.");
}

TEST_F(Compiler, AMaskOfAnotherSizeIsIgnored)
{
    writeBmp24((art / "sub/wood_.bmp").string(), solid(4, 10, 10, 10), BmpChannel::Colour);
    ASSERT_EQ(build("SAVETO = M.KBS\nIMAGE[TEXTURE] = wood.bmp\n").error, "");
    const auto saved = SkinPackage::loadPackage((skins / "M.KBS").string());
    RgbaImage image;
    ASSERT_TRUE(saved && unpack(saved->imageRecord(0), image));
    EXPECT_EQ(image.pixel(0, 0)[3], 255);
}

TEST_F(Compiler, ScriptAndSaveFailures)
{
    const SkinBuild missing = buildSkinPackage(art / "nope.txt", skins.path(), messages);
    EXPECT_EQ(missing.error, "Could not open file " + (art / "nope.txt").string() + ".");
    EXPECT_EQ(build("INFO[NAME] = No Save\n").error,
              "Problem Saving Skin file .  Does the file already exist and is read-only?  Is the "
              "path correct?  Import Cancelled.");
    std::filesystem::create_directories(skins / "Dir.KBS");
    EXPECT_EQ(build("SAVETO = Dir.KBS\n").error,
              "Problem Saving Skin file Dir.KBS.  Does the file already exist and is "
              "read-only?  Is the path correct?  Import Cancelled.");
    EXPECT_EQ(build("SAVETO = X.KBS\nINFO[NAME]\n").error,
              "Syntax Error Line 2. Missing Assignment Operator ('=').");
}

TEST_F(Compiler, SaveToNamesAFileInTheSkinFolderAndNothingElse)
{
    const std::string refused =
        "Invalid SAVETO file name line 2. Give the package a plain file name ending in .KBS, "
        "without a folder, that is not a link and not the script itself.";
    std::filesystem::create_symlink(art / "out.KBS", skins / "link.KBS");
    for (const std::string& name :
         {std::string("../x.KBS"), (art / "abs.KBS").string(), std::string("sub/x.KBS"),
          std::string(".."), std::string("link.KBS"), std::string("a\0b.KBS", 7),
          std::string("KBXSAVE1.SAV"), std::string("KBS")})
        EXPECT_EQ(build("INFO[NAME] = N\nSAVETO = " + name + "\n").error, refused) << name;

    // The script's own name, where the skin folder is the script's folder.
    const std::string script = "INFO[NAME] = Own\nSAVETO = skin.kbs\n";
    art.write("sub/skin.kbs", script);
    EXPECT_EQ(buildSkinPackage(art / "sub/skin.kbs", art / "sub", messages).error, refused);
    std::ifstream kept(art / "sub/skin.kbs", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), script);
    const auto files = [](const std::filesystem::path& folder) {
        return std::distance(std::filesystem::recursive_directory_iterator(folder),
                             std::filesystem::recursive_directory_iterator());
    };
    EXPECT_EQ(files(skins.path()), 1) << "only the link";
    EXPECT_FALSE(std::filesystem::exists(art / "out.KBS"));
    EXPECT_FALSE(std::filesystem::exists(art / "abs.KBS"));
    EXPECT_FALSE(std::filesystem::exists(skins.path().parent_path() / "x.KBS"));
}

TEST_F(Compiler, AByteOrderMarkAndCarriageReturnOnlyLinesReadAsText)
{
    SkinBuild result = build("\xEF\xBB\xBFSAVETO = Mac.KBS\rINFO[NAME] = Mac\rINFO[WEB] = w\r");
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.saveTo, "Mac.KBS");
    EXPECT_EQ(result.package->infoText(3), "Mac");
    EXPECT_EQ(result.package->infoText(2), "w");
    EXPECT_EQ(build("SAVETO = Mac.KBS\r\n\rINFO[NAME]\r").error,
              "Syntax Error Line 3. Missing Assignment Operator ('=').");
}

TEST_F(Compiler, ImportAppliesOnSuccessAndShowsTheOneErrorOtherwise)
{
    RecordingApplier applier;
    art.write("sub/ok.txt", "SAVETO = Ok.KBS\nINFO[NAME] = Ok\n");
    EXPECT_TRUE(compileSkinScript(art / "sub/ok.txt", skins.path(), messages, applier));
    ASSERT_EQ(applier.names, std::vector<std::string>{"Ok.KBS"});
    EXPECT_EQ(applier.applied[0].infoText(3), "Ok");
    EXPECT_TRUE(messages.shown.empty());

    art.write("sub/bad.txt", "SAVETO = Bad.KBS\nSOUND[WIN] = x.ogg\n");
    EXPECT_FALSE(compileSkinScript(art / "sub/bad.txt", skins.path(), messages, applier));
    EXPECT_EQ(applier.names.size(), 1U);
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text,
              "Problem Reading Sound File x.ogg.  Is it a valid .WAV file?  Import Cancelled.");
}

TEST(MaskPath, OnlyTheFilesOwnDotsTurnIntoMaskDots)
{
    EXPECT_EQ(maskPathFor("wood.bmp"), std::filesystem::path("wood_.bmp"));
    EXPECT_EQ(maskPathFor("a.b.bmp"), std::filesystem::path("a_.b_.bmp"));
    EXPECT_EQ(maskPathFor("../art.v2/wood.bmp"), std::filesystem::path("../art.v2/wood_.bmp"));
}

} // namespace
} // namespace kubrix
