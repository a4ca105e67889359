// The bounded reader: regular files up to the cap, every other kind refused without a read.
#include "core/base/atomic_file.h"
#include "core/base/read_file.h"
#include "support/allocation_limit.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kubrix {
namespace {

TEST(ReadFile, TakesRegularFilesUpToTheCapAndRefusesEverythingElse)
{
    const test::TempFolder folder;
    folder.write("exact", std::string(16, 'x'));
    folder.write("over", std::string(17, 'x'));
    folder.write("sparse", "");
    std::filesystem::resize_file(folder / "sparse", 3ULL << 30);
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "exact", folder / "link");

    const struct {
        std::filesystem::path path;
        ReadFileError error;
    } cases[] = {
        {folder / "exact", ReadFileError::None},
        {folder / "link", ReadFileError::None},
        {folder / "over", ReadFileError::TooLarge},
        {folder / "sparse", ReadFileError::TooLarge},
        {folder / "none", ReadFileError::NotFound},
        {folder.path(), ReadFileError::NotRegular},
        {folder / "fifo", ReadFileError::NotRegular},
        {"/dev/zero", ReadFileError::NotRegular},
        // Its size says 0, its content is longer: the cap holds while reading, too.
        {"/proc/self/maps", ReadFileError::TooLarge},
    };
    // Neither the 3 GB file nor the endless device may cost more than the cap.
    const test::AllocationLimit limit(1024);
    for (const auto& c : cases) {
        const FileBytes file = readFile(c.path, 16);
        EXPECT_EQ(file.error, c.error) << c.path;
        EXPECT_EQ(file.bytes.size(), c.error == ReadFileError::None ? 16U : 0U) << c.path;
    }
    EXPECT_EQ(limit.refused(), 0);
}

// What the atomic writer leaves is what the reader takes back, an empty file included (an
// empty span may carry no storage at all).
TEST(ReadFile, ReadsBackWhatTheAtomicWriterWrote)
{
    const test::TempFolder folder;
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{1, 2, 3}}) {
        ASSERT_TRUE(writeFileAtomically(folder / "file", bytes));
        const FileBytes file = readFile(folder / "file", 16);
        ASSERT_TRUE(file.ok());
        EXPECT_EQ(file.bytes, bytes);
    }
}

} // namespace
} // namespace kubrix
