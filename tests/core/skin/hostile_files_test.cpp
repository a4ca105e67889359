// Every reader of a file given a directory, a FIFO, a file over its cap and a header that
// claims more than the file holds: each says so in its own words, none blocks, throws or
// allocates from the claim.
#include "core/base/little_endian.h"
#include "core/formats/bmp_reader.h"
#include "core/formats/skin_package.h"
#include "core/formats/wave_reader.h"
#include "core/skin/skin_script.h"
#include "core/skin/skin_script_compiler.h"
#include "support/allocation_limit.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"
#include "support/wave_bytes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace kubrix {
namespace {

namespace fs = std::filesystem;

const std::string kBadBmp = "Bad BMP File Format";

struct Reader {
    std::string file;
    std::size_t cap;
    // A small file whose header claims far more than it holds; empty for a format without one.
    std::vector<std::uint8_t> lyingHeader;
    // What the reader makes of the file: its message, or what it loaded.
    std::function<std::string(const fs::path&)> read;
    std::string refusal;
    std::string lyingOutcome;
};

std::string messagesOf(const test::RecordingMessages& messages, const std::string& error)
{
    std::string all;
    for (const std::string& text : messages.texts())
        all += text + "|";
    return all + error;
}

TEST(HostileFiles, EveryReaderRefusesWhatIsNotAFileItCanHold)
{
    const test::TempFolder folder;
    const test::TempFolder skins;
    std::vector<std::uint8_t> package(SkinPackage().bytes());
    writeLe32(package, 66 + 4 * 4, 0xFFFFFF00U); // a sound slot of 4 GB
    std::vector<std::uint8_t> bmp(118, 0);
    // "BM", pixels at 54, a 40-byte information header, 8192 x 8192, one plane, 24 bits.
    for (const auto& [at, value] : std::initializer_list<std::pair<std::size_t, std::uint32_t>>{
             {0, 0x4D42}, {10, 54}, {14, 40}, {18, 8192}, {22, 8192}, {26, 1 | 24 << 16}})
        writeLe32(bmp, at, value);
    std::vector<std::uint8_t> wave = test::pcmWave({1, 2, 3});
    writeLe32(wave, 40, 0xFFFFFFF0U); // the "data" chunk's length

    const auto compile = [&](const std::string& script) {
        folder.write("skin.txt", script);
        test::RecordingMessages messages;
        const SkinBuild build = buildSkinPackage(folder / "skin.txt", skins.path(), messages);
        return messagesOf(messages, build.error);
    };
    const Reader readers[] = {
        {"x.KBS", SkinPackage::kMaxPackageBytes, package,
         [](const fs::path& path) {
             return SkinPackage::loadPackage(path.string()) ? "loaded" : "not loaded";
         },
         "not loaded", "not loaded"},
        {"x.bmp", kMaxBmpFileBytes, bmp,
         [](const fs::path& path) {
             test::RecordingMessages messages;
             RgbaImage image;
             return messagesOf(messages, loadBmp(path.string(), KeepSize, image, messages, nullptr)
                                             ? "loaded"
                                             : "not loaded");
         },
         "not loaded", kBadBmp + "|not loaded"},
        {"x.wav", kMaxWaveFileBytes, wave,
         [&](const fs::path&) { return compile("SAVETO = S.KBS\nSOUND[WIN] = x.wav\n"); },
         "Problem Reading Sound File x.wav.  Is it a valid .WAV file?  Import Cancelled.",
         // Wave files are stored as they are; the game leaves a damaged one silent.
         ""},
        {"x.txt",
         kMaxScriptBytes,
         {},
         [&](const fs::path& path) {
             test::RecordingMessages messages;
             return buildSkinPackage(path, skins.path(), messages).error;
         },
         "Could not open file " + (folder / "x.txt").string() + ".",
         ""},
    };
    // Nothing any of these files needs comes near it.
    const test::AllocationLimit limit(1 << 20);
    for (const Reader& reader : readers) {
        const fs::path path = folder / reader.file;
        const auto hostile = [&](const char* what, const std::function<void()>& make,
                                 const std::string& expected) {
            fs::remove_all(path);
            make();
            EXPECT_EQ(reader.read(path), expected) << reader.file << " as " << what;
        };
        hostile(
            "a directory", [&] { fs::create_directory(path); }, reader.refusal);
        hostile(
            "a FIFO", [&] { ::mkfifo(path.c_str(), 0600); }, reader.refusal);
        hostile(
            "a sparse file over the cap",
            [&] {
                folder.write(reader.file, "");
                fs::resize_file(path, reader.cap + 1);
            },
            reader.refusal);
        if (!reader.lyingHeader.empty())
            hostile(
                "a lying header", [&] { folder.write(reader.file, reader.lyingHeader); },
                reader.lyingOutcome);
    }
    EXPECT_EQ(limit.refused(), 0) << "largest: " << limit.largestRefused();
}

} // namespace
} // namespace kubrix
