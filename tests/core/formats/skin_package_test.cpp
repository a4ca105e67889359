// The skin package format: building, saving, loading and its checks.
#include "core/base/little_endian.h"
#include "core/base/read_file.h"
#include "core/formats/skin_package.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>
#include <functional>
#include <unistd.h>

namespace kubrix {
namespace {

std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (const int v : values)
        bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

TEST(SkinPackage, NewPackageIsEmptyAndInfoTextsLayOutContiguously)
{
    SkinPackage package;
    for (int slot = 0; slot < SkinPackage::kSlotCount; ++slot) {
        EXPECT_EQ(package.slotOffset(slot), 128U);
        EXPECT_EQ(package.slotSize(slot), 0U);
    }
    EXPECT_EQ(package.checksum(), 0);
    EXPECT_EQ(package.infoText(3), "");

    package.setInfoText(0, "Ann");
    package.setInfoText(1, "ann@example.org");
    package.setInfoText(2, "");
    package.setInfoText(3, "Ocean");
    EXPECT_EQ(package.slotSize(0), 4U);
    EXPECT_EQ(package.slotSize(1), 16U);
    EXPECT_EQ(package.slotSize(2), 1U);
    EXPECT_EQ(package.slotSize(3), 6U);
    EXPECT_EQ(package.slotOffset(1), 132U);
    EXPECT_EQ(package.slotOffset(2), 148U);
    EXPECT_EQ(package.slotOffset(3), 149U);
    for (int slot = 4; slot < SkinPackage::kSlotCount; ++slot)
        EXPECT_EQ(package.slotOffset(slot), 155U) << slot;
    EXPECT_EQ(package.infoText(1), "ann@example.org");
    EXPECT_EQ(package.dataEnd(), 155U);
}

TEST(SkinPackage, ResizingMovesLaterSlotsAndKeepsTheirData)
{
    SkinPackage package;
    package.setInfoText(3, "Name");
    package.setSoundBytes(5, bytesOf({1, 2, 3}));
    package.setImageRecord(1, bytesOf({9, 9}));
    const auto offsets = [&] {
        std::vector<std::uint32_t> o;
        for (int s = 0; s < SkinPackage::kSlotCount; ++s)
            o.push_back(package.slotOffset(s));
        return o;
    };
    const auto before = offsets();
    package.resizeSlot(SlotGroup::Info, 0, 10);
    const auto after = offsets();
    EXPECT_EQ(after[0], before[0]);
    for (int s = 1; s < SkinPackage::kSlotCount; ++s)
        EXPECT_EQ(after[std::size_t(s)], before[std::size_t(s)] + 10) << s;
    EXPECT_EQ(package.infoText(3), "Name");
    EXPECT_EQ(std::vector<std::uint8_t>(package.soundBytes(5).begin(), package.soundBytes(5).end()),
              bytesOf({1, 2, 3}));

    const auto beforeLast = offsets();
    package.setImageRecord(1, bytesOf({7, 7, 7, 7, 7}));
    EXPECT_EQ(offsets(), beforeLast) << "resizing the last slot moves nothing";
    package.setSoundBytes(5, {});
    EXPECT_EQ(package.soundBytes(5).size(), 0U);
    EXPECT_EQ(package.imageRecord(1).size(), 5U);
    EXPECT_EQ(package.imageRecord(1)[4], 7);
}

TEST(SkinPackage, SaveAndLoadKeepEverySlot)
{
    test::TempFolder folder;
    SkinPackage package;
    package.setInfoText(3, "Ocean");
    package.setSoundBytes(0, bytesOf({1, 2, 3, 4, 5}));
    package.setImageRecord(0, bytesOf({0xAA, 0xBB}));
    ASSERT_TRUE(package.savePackage((folder / "ocean.KBS").string()));
    EXPECT_EQ(std::filesystem::file_size(folder / "ocean.KBS"), package.dataEnd());

    const auto loaded = SkinPackage::loadPackage((folder / "ocean.KBS").string());
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->path(), (folder / "ocean.KBS").string());
    EXPECT_EQ(loaded->infoText(3), "Ocean");
    EXPECT_EQ(loaded->soundBytes(0).size(), 5U);
    EXPECT_EQ(loaded->imageRecord(0)[1], 0xBB);
    EXPECT_EQ(loaded->stamp(), SkinPackage::kDefaultStamp);
    EXPECT_EQ(loaded->checksum(), loaded->computeChecksum());
    EXPECT_FALSE(SkinPackage::loadPackage((folder / "missing.KBS").string()).has_value());
}

TEST(SkinPackage, DamagedFilesDoNotLoad)
{
    SkinPackage package;
    package.setInfoText(3, "Ocean");
    package.setSoundBytes(2, bytesOf({10, 20, 30}));
    test::TempFolder folder;
    ASSERT_TRUE(package.savePackage((folder / "good.KBS").string()));
    std::ifstream in(folder / "good.KBS", std::ios::binary);
    const std::vector<std::uint8_t> good((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    ASSERT_TRUE(SkinPackage::fromBytes(good).has_value());

    auto badMagic = good;
    badMagic[0] = 105;
    EXPECT_FALSE(SkinPackage::fromBytes(badMagic).has_value());

    auto badSum = good;
    badSum[126] = static_cast<std::uint8_t>(badSum[126] + 1);
    EXPECT_FALSE(SkinPackage::fromBytes(badSum).has_value());

    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(SkinPackage::fromBytes({good.begin(), good.begin() + std::ptrdiff_t(length)}))
            << "a file cut to " << length << " bytes";

    auto longer = good;
    longer.insert(longer.end(), {1, 2, 3});
    const auto extended = SkinPackage::fromBytes(longer);
    ASSERT_TRUE(extended.has_value()) << "bytes beyond the data are kept but not used";
    SkinPackage copy = *extended;
    ASSERT_TRUE(copy.savePackage((folder / "again.KBS").string()));
    EXPECT_EQ(std::filesystem::file_size(folder / "again.KBS"), good.size());

    // A slot that points outside the data is refused even when the checksum is made to fit.
    auto outside = good;
    writeLe32(outside, 6 + 4 * 13, 0xFFFFFF00U);
    SkinPackage probe;
    auto refit = [](std::vector<std::uint8_t> bytes) {
        std::uint32_t sum = 0;
        std::uint64_t sizes = 0;
        for (int s = 0; s < 15; ++s)
            sizes += std::uint32_t(bytes[66 + 4 * s]) | std::uint32_t(bytes[67 + 4 * s]) << 8 |
                     std::uint32_t(bytes[68 + 4 * s]) << 16 |
                     std::uint32_t(bytes[69 + 4 * s]) << 24;
        for (std::size_t i = 0; i < 126; ++i)
            sum += bytes[i];
        for (std::size_t i = 128; i < 128 + sizes && i < bytes.size(); ++i)
            sum += bytes[i];
        bytes[126] = static_cast<std::uint8_t>(sum);
        bytes[127] = static_cast<std::uint8_t>(sum >> 8);
        return bytes;
    };
    EXPECT_TRUE(SkinPackage::fromBytes(refit(good)).has_value());
    EXPECT_FALSE(SkinPackage::fromBytes(refit(outside)).has_value());
    // Sizes whose sum wraps 32 bits must not pass the length check.
    auto wrapping = good;
    writeLe32(wrapping, 66 + 4 * 14, 0xFFFFFFF0U);
    writeLe32(wrapping, 66 + 4 * 13, 0x20U);
    EXPECT_FALSE(SkinPackage::fromBytes(refit(wrapping)).has_value());
}

TEST(SkinPackage, InfoTextStopsAtItsNulOrTheSlotEnd)
{
    SkinPackage package;
    package.setSoundBytes(0, bytesOf({1}));
    package.setInfoText(0, "abc");
    EXPECT_EQ(package.infoText(0), "abc");
    package.resizeSlot(SlotGroup::Info, 1, 0);
    EXPECT_EQ(package.infoText(1), "");
    EXPECT_EQ(package.infoText(7), "") << "no such info slot";
}

// Runs body in a child process: what a file-size limit or a change of user affects stays
// there. The child's exit status is body's result.
bool inChild(const std::function<bool()>& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body() ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SkinPackage, AFailedSaveLeavesTheOldFileAsItWas)
{
    const test::TempFolder folder;
    const std::filesystem::path path = folder / "Old.KBS";
    SkinPackage old;
    old.setInfoText(3, "Old");
    ASSERT_TRUE(old.savePackage(path.string()));
    const std::vector<std::uint8_t> before = readFile(path, 1 << 20).bytes;
    SkinPackage big;
    big.setSoundBytes(0, std::vector<std::uint8_t>(5000, 7));

    const struct {
        const char* what;
        std::function<bool()> save;
    } cases[] = {
        {"disk full (a file-size limit)",
         [&] {
             ::signal(SIGXFSZ, SIG_IGN);
             const rlimit small{1000, 1000};
             return ::setrlimit(RLIMIT_FSIZE, &small) == 0 && !big.savePackage(path.string());
         }},
        {"read-only folder",
         [&] {
             // Root writes anywhere; as another user the folder's permissions hold.
             ::chmod(folder.path().c_str(), 0555);
             return (::getuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0)) &&
                    !big.savePackage(path.string());
         }},
        {"read-only file",
         [&] {
             std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                          std::filesystem::perm_options::remove);
             return !big.savePackage(path.string());
         }},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(inChild(c.save)) << c.what << ": the save must fail";
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
        std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_write);
        EXPECT_EQ(readFile(path, 1 << 20).bytes, before) << c.what;
        const auto files = std::distance(std::filesystem::directory_iterator(folder.path()),
                                         std::filesystem::directory_iterator());
        EXPECT_EQ(files, 1) << c.what << ": no temporary file is left behind";
    }
    ASSERT_TRUE(big.savePackage(path.string()));
    EXPECT_EQ(SkinPackage::loadPackage(path.string())->soundBytes(0).size(), 5000U);
}

} // namespace
} // namespace kubrix
