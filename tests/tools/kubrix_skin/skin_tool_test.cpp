// The kubrix-skin command line: compile, info and an unpack that compiles back byte for byte.
#include "core/formats/bmp_writer.h"
#include "core/formats/packed_image.h"
#include "core/formats/skin_package.h"
#include "kubrix_skin/skin_tool.h"
#include "kubrix_skin/skin_unpacker.h"
#include "support/temp_folder.h"
#include "support/wave_bytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kubrix {
namespace {

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

ToolRun tool(std::vector<std::string> arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = runSkinTool(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// An image with alpha, and neighbouring pixels that differ only in the lowest red bit.
RgbaImage tricky(int side)
{
    RgbaImage image;
    image.width = image.height = side;
    for (int i = 0; i < side * side; ++i) {
        const auto r = static_cast<std::uint8_t>((i / 3) % 2 == 0 ? 200 : 201);
        const auto a = static_cast<std::uint8_t>(i < side ? 0 : 255 - (i / 6) % 7);
        image.pixels.insert(image.pixels.end(), {r, static_cast<std::uint8_t>((i / 6) % 5), 7, a});
    }
    return image;
}

class SkinTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("start.wav", test::pcmWave({128, 140, 120}));
        folder.write("music.wav", test::pcmWave({1, 2, 3, 4}, 2, 22050, 16));
        folder.write("odd.wav", "not a wave at all");
        const RgbaImage image = tricky(16);
        writeBmp24((folder / "tex.bmp").string(), image, BmpChannel::Colour);
        writeBmp24((folder / "tex_.bmp").string(), image, BmpChannel::AlphaAsGrey);
        folder.write("skin.txt", "SAVETO = Tool.KBS\nINFO[NAME] = Tool Skin\n"
                                 "INFO[AUTHOR] = Ann\nINFO[WEB] = https://x.org/a=b\n"
                                 "SOUND[START] = start.wav\nSOUND[MUSIC] = music.wav\n"
                                 "SOUND[WIN] = odd.wav\nIMAGE[TEXTURE] = tex.bmp\n");
    }

    test::TempFolder folder;
    test::TempFolder out;
};

TEST_F(SkinTool, CompileThenDescribe)
{
    const ToolRun compiled =
        tool({"compile", (folder / "skin.txt").string(), "--skin-dir", out.path().string()});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    const ToolRun info = tool({"info", (out / "Tool.KBS").string()});
    ASSERT_EQ(info.status, 0);
    std::istringstream lines(info.out);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);)
        got.push_back(line);
    ASSERT_EQ(got.size(), 4U + 15U + 2U + 9U);
    EXPECT_EQ(got[0], "name: Tool Skin");
    EXPECT_EQ(got[1], "author: Ann");
    EXPECT_EQ(got[2], "email: ");
    EXPECT_EQ(got[3], "web: https://x.org/a=b");
    EXPECT_EQ(got[4], "slot 0 128 4");
    EXPECT_EQ(got[19], "image TEXTURE 16x16");
    EXPECT_EQ(got[20], "image TILES empty");
    EXPECT_EQ(got[21], "sound GAMEOVER empty");
    EXPECT_EQ(got[26], "sound START 1 1 11025 8 3");
    EXPECT_EQ(got[28], "sound WIN invalid");
    EXPECT_EQ(got[29], "sound MUSIC 1 2 22050 16 4");
}

TEST_F(SkinTool, CompileNamesEveryFaultWithItsLineAndWritesNothing)
{
    writeBmp24((folder / "big.bmp").string(), tricky(300), BmpChannel::Colour);
    writeBmp24((folder / "tex_.bmp").string(), tricky(8), BmpChannel::AlphaAsGrey);
    folder.write("bad.txt", "// faults on lines 2, 3, 5 and 6, a warning on 7\n"
                            "SOUND[START] = gone.wav\nsound[WIN] = start.wav\nSAVETO = B.KBS\n"
                            "IMAGE[TILES] = big.bmp\nINFO[NAME]\nIMAGE[TEXTURE] = tex.bmp\n");
    const std::string script = (folder / "bad.txt").string();
    const ToolRun run = tool({"compile", script, "--skin-dir", out.path().string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              script + ":2: SOUND[START] gone.wav: no such file\n" + script +
                  ":3: unknown variable \"sound\": the variable is SAVETO, INFO, SOUND or "
                  "IMAGE, in capitals\n" +
                  script +
                  ":5: IMAGE[TILES] big.bmp: Images must be square (same width and height in "
                  "pixels) and the width and height must both be a power of two.\n" +
                  script + ":6: no \"=\": a statement reads VARIABLE[INDEX] = value\n" + script +
                  ":7: warning: IMAGE[TEXTURE] tex.bmp: the mask tex_.bmp is left out, so the "
                  "image is opaque: it is not the image's size\n");
    EXPECT_FALSE(std::filesystem::exists(out / "B.KBS"));
    folder.write("nosave.txt", "INFO[NAME] = N\n");
    EXPECT_EQ(tool({"compile", (folder / "nosave.txt").string()}).err,
              (folder / "nosave.txt").string() + ": no SAVETO line names the package to write\n");

    folder.write("junk.KBS", "junk");
    const ToolRun info = tool({"info", (folder / "junk.KBS").string()});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "The specified skin could not be loaded.\n");
    EXPECT_EQ(tool({"unpack", (folder / "junk.KBS").string(), out.path().string()}).status, 1);
    EXPECT_EQ(tool({}).status, 2);
    EXPECT_EQ(tool({"frobnicate"}).status, 2);
    const ToolRun help = tool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("unpack PACKAGE DIR"), std::string::npos);
    EXPECT_NE(help.out.find("SCRIPT:LINE: message"), std::string::npos);
}

TEST_F(SkinTool, UnpackedScriptCompilesBackByteForByte)
{
    ASSERT_EQ(
        tool({"compile", (folder / "skin.txt").string(), "--skin-dir", out.path().string()}).status,
        0);
    const auto original = SkinPackage::loadPackage((out / "Tool.KBS").string());
    ASSERT_TRUE(original.has_value());
    test::TempFolder unpacked;
    const ToolRun run = tool({"unpack", (out / "Tool.KBS").string(), unpacked.path().string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "a compiled package unpacks without warnings";
    EXPECT_TRUE(std::filesystem::exists(unpacked / "texture_.bmp"));

    test::TempFolder rebuilt;
    ASSERT_EQ(
        tool({"compile", (unpacked / "skin.txt").string(), "--skin-dir", rebuilt.path().string()})
            .status,
        0);
    const auto again = SkinPackage::loadPackage((rebuilt / "Tool.KBS").string());
    ASSERT_TRUE(again.has_value());
    for (int slot = 0; slot < SkinPackage::kSlotCount; ++slot) {
        const auto a = original->slotBytes(slot);
        const auto b = again->slotBytes(slot);
        EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << "slot " << slot;
    }
}

TEST(SkinToolUnpack, TextsThatCouldFormStatementsStayInTheirLineAndTheFolder)
{
    const test::TempFolder top;
    const std::filesystem::path unpacked = top / "a/b";
    std::filesystem::create_directories(top / "in");
    SkinPackage package;
    package.setInfoText(3, "Name\nSAVETO = ../../escape.KBS");
    package.setInfoText(0, "Ann\rSAVETO = " + (top / "abs.KBS").string());
    package.setInfoText(1, "");
    package.setInfoText(2, "");
    const std::filesystem::path file = top / "in" / "Odd\nINFO[NAME] = Injected";
    ASSERT_TRUE(package.savePackage(file.string()));

    const ToolRun unpack = tool({"unpack", file.string(), unpacked.string()});
    ASSERT_EQ(unpack.status, 0) << unpack.err;
    EXPECT_EQ(unpack.err, "the package's file name cannot be written in a script; SAVETO names "
                          "Unpacked.KBS\ninfo AUTHOR cannot be written exactly in a script\n"
                          "info NAME cannot be written exactly in a script\n");
    const ToolRun compiled =
        tool({"compile", (unpacked / "skin.txt").string(), "--skin-dir", unpacked.string()});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    const auto rebuilt = SkinPackage::loadPackage((unpacked / "Unpacked.KBS").string());
    ASSERT_TRUE(rebuilt.has_value());
    EXPECT_EQ(rebuilt->infoText(3), "NameSAVETO = ../../escape.KBS");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(top.path())) {
        if (!entry.is_regular_file())
            continue;
        EXPECT_TRUE(entry.path().parent_path() == unpacked || entry.path() == file)
            << entry.path() << " was written outside the unpacked folder";
    }
}

TEST(SkinToolRepack, NeighbouringRunsThatDifferOnlyInTheLostBitStaySplit)
{
    const std::vector<std::uint8_t> record = pack(tricky(4));
    RgbaImage image;
    ASSERT_TRUE(unpackForRepacking(record, image));
    EXPECT_EQ(pack(image), record);
    RgbaImage plain;
    ASSERT_TRUE(unpack(record, plain));
    EXPECT_NE(pack(plain), record) << "plain unpacking merges those runs";
}

} // namespace
} // namespace kubrix
