// The saved-game file: its checks on reading, the description, and a failed write.
#include "core/formats/saved_game.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <limits>

namespace kubrix {
namespace {

SavedGame smallGame()
{
    SavedGame game;
    game.description = "2x1x1 0/1 - 03:07PM Dec 07";
    game.width = 2;
    game.height = game.depth = game.bombCount = 1;
    game.level = 4;
    game.cubeRecords.assign(2 * SavedGame::kCubeRecordBytes, 1);
    return game;
}

TEST(SavedGame, EverySingleByteChangeIsRefusedButTheHeaderTextIsNotChecked)
{
    std::vector<std::uint8_t> image = encodeSavedGame(smallGame());
    ASSERT_EQ(image.size(), SavedGame::kFileBytes);
    ASSERT_TRUE(decodeSavedGame(image));
    int accepted = 0;
    for (std::size_t at = 0; at + 1 < image.size(); ++at) {
        image[at] ^= 0x5A;
        accepted += decodeSavedGame(image).has_value() ? 1 : 0;
        image[at] ^= 0x5A;
    }
    EXPECT_EQ(accepted, 0);

    image[4] = 'Q';
    image.back() = static_cast<std::uint8_t>(image.back() + 'Q' - 'K');
    EXPECT_TRUE(decodeSavedGame(image)) << "a changed header text with its checksum mended";
    image.push_back(0);
    EXPECT_FALSE(decodeSavedGame(image)) << "longer than a saved game";
}

TEST(SavedGame, ValuesNoGameCanTakeMakeTheFileInvalid)
{
    const std::vector<std::pair<const char*, void (*)(SavedGame&)>> damage{
        {"width 0", [](SavedGame& g) { g.width = 0; }},
        {"height 21", [](SavedGame& g) { g.height = 21; }},
        {"depth -1", [](SavedGame& g) { g.depth = -1; }},
        {"bombs above the cubes", [](SavedGame& g) { g.bombCount = 3; }},
        {"negative marks", [](SavedGame& g) { g.marksPlaced = -1; }},
        {"level 3", [](SavedGame& g) { g.level = 3; }},
        {"rotation NaN",
         [](SavedGame& g) { g.rotation[1] = std::numeric_limits<float>::quiet_NaN(); }},
        {"rotation infinite",
         [](SavedGame& g) { g.rotation[0] = std::numeric_limits<float>::infinity(); }},
        {"rotation zero", [](SavedGame& g) { g.rotation = {}; }},
    };
    for (const auto& [what, change] : damage) {
        SavedGame game = smallGame();
        change(game);
        EXPECT_FALSE(decodeSavedGame(encodeSavedGame(game))) << what;
    }
    SavedGame edge = smallGame();
    edge.bombCount = edge.marksPlaced = 2;
    edge.rotation = {0, 0, 0, -1};
    EXPECT_TRUE(decodeSavedGame(encodeSavedGame(edge))) << "every cube a bomb, every bomb marked";
}

TEST(SavedGame, DescriptionIsEnglishTwelveHourTime)
{
    std::tm when{};
    when.tm_hour = 15;
    when.tm_min = 7;
    when.tm_mon = 11;
    when.tm_mday = 7;
    EXPECT_EQ(describeSavedGame(6, 6, 6, 4, 23, when), "6x6x6 4/23 - 03:07PM Dec 07");
}

TEST(SavedGame, AFailedWriteLeavesTheOldFileAsItWas)
{
    test::TempFolder folder;
    const auto path = folder / "KBXSAVE1.SAV";
    ASSERT_TRUE(writeSavedGame(path, smallGame()));
    SavedGame bigger = smallGame();
    bigger.description = "the new one";
    // A full disk, made by a file-size limit in a child so that this process keeps writing.
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{1000, 1000};
        ::_exit(::setrlimit(RLIMIT_FSIZE, &small) == 0 && !writeSavedGame(path, bigger) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write must fail";
    const std::optional<SavedGame> kept = readSavedGame(path);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->description, smallGame().description);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "nothing is left beside it";
}

} // namespace
} // namespace kubrix
