// The saved-game file: its checks on reading, a lone cube, and a failed write.
#include "core/formats/saved_game.h"
#include "core/game/cube.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <limits>

namespace kubrix {
namespace {

// A 2 × 1 × 1 board: a marked bomb, and an exposed cube beside it.
SavedGame smallGame()
{
    SavedGame game{"2x1x1", 0, 2, 1, 1, 1, 1, 4, {0, 0, 0, 1}, std::vector<std::uint8_t>(56)};
    const std::span records(game.cubeRecords);
    // bomb, neighbourBombs, padding, covered, marked, suspect, floodUntouched, intact
    writeCubeRecord({1, 0, {}, 1, 1, 0, 1, 1}, records.first<kCubeRecordBytes>());
    writeCubeRecord({0, 1, {}, 0, 0, 0, 0, 1}, records.last<kCubeRecordBytes>());
    return game;
}

TEST(SavedGame, ALoneCubeRoundTripsAndEverySingleByteChangeIsRefused)
{
    SavedGame lone{"1x1x1", 0, 1, 1, 1, 0, 0, 0, {0, 0, 0, 1}, std::vector<std::uint8_t>(28)};
    writeCubeRecord(Cube{}, std::span(lone.cubeRecords).first<kCubeRecordBytes>());
    std::vector<std::uint8_t> image = encodeSavedGame(lone);
    ASSERT_EQ(image.size(), SavedGame::kFileBytes);
    EXPECT_EQ(std::count(image.begin() + 304 + 28, image.end() - 1, 0), 7999 * 28);
    ASSERT_EQ(decodeSavedGame(image), lone);
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
        {"every cube a bomb", [](SavedGame& g) { g.bombCount = 2; }},
        {"negative time", [](SavedGame& g) { g.elapsedSeconds = -1; }},
        {"level 3", [](SavedGame& g) { g.level = 3; }},
        {"rotation NaN",
         [](SavedGame& g) { g.rotation[1] = std::numeric_limits<float>::quiet_NaN(); }},
        {"rotation zero", [](SavedGame& g) { g.rotation = {}; }},
        {"rotation far too short", [](SavedGame& g) { g.rotation = {0.002F, 0.002F, 0, 0}; }},
        {"rotation far too long", [](SavedGame& g) { g.rotation = {0, 0, 1e20F, 1}; }},
        {"marks the records lack", [](SavedGame& g) { g.marksPlaced = 0; }},
        {"a bomb the count lacks", [](SavedGame& g) { g.bombCount = 0; }},
        {"a flag of 2", [](SavedGame& g) { g.cubeRecords[8] = 2; }},
        {"padding", [](SavedGame& g) { g.cubeRecords[28 + 5] = 1; }},
        {"a false neighbour count", [](SavedGame& g) { g.cubeRecords[28 + 4] = 2; }},
    };
    for (const auto& [what, change] : damage) {
        SavedGame game = smallGame();
        change(game);
        EXPECT_FALSE(decodeSavedGame(encodeSavedGame(game))) << what;
    }
    SavedGame edge = smallGame();
    edge.elapsedSeconds = SavedGame::kMostElapsedSeconds;
    edge.rotation = {0, 0, 0, -1};
    EXPECT_EQ(decodeSavedGame(encodeSavedGame(edge)), edge) << "all cubes but one bombs";
}

TEST(SavedGame, AFailedWriteLeavesTheOldFileAsItWas)
{
    test::TempFolder folder;
    const auto path = folder / "KBXSAVE1.SAV";
    ASSERT_TRUE(writeSavedGame(path, smallGame()));
    // A full disk, as a file-size limit makes it (root writes into read-only folders).
    rlimit normal{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &normal), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{1000, normal.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_FALSE(writeSavedGame(path, SavedGame{}));
    ::setrlimit(RLIMIT_FSIZE, &normal);
    EXPECT_EQ(readSavedGame(path), smallGame());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "nothing is left beside it";
}

} // namespace
} // namespace kubrix
