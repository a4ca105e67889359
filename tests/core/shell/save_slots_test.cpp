// The save slots: which file fills a slot, and a game saved and loaded through one.
#include "core/formats/saved_game.h"
#include "core/shell/save_slots.h"
#include "support/game_fixture.h"
#include "support/temp_folder.h"

namespace kubrix::test {
namespace {

TEST(SaveSlots, NamesFillSlotsWhateverTheirCase)
{
    for (const auto& [name, slot] : std::vector<std::pair<const char*, int>>{{"KBXSAVE1.SAV", 1},
                                                                             {"kbxsave3.sav", 3},
                                                                             {"KbxSave5.Sav", 5},
                                                                             {"KBXSAVE6.SAV", 0},
                                                                             {"KBXSAVE0.SAV", 0},
                                                                             {"KBXSAVEX.SAV", 0},
                                                                             {"KBXSAVE1.SAVE", 0},
                                                                             {"KBXSAVE12.SAV", 0},
                                                                             {"XBXSAVE1.SAV", 0},
                                                                             {"KBXSAVE1", 0}})
        EXPECT_EQ(SaveSlots::slotOf(name), slot) << name;

    TempFolder folder;
    const std::vector<std::uint8_t> valid = encodeSavedGame(
        {"three", 0, 1, 1, 1, 0, 0, 0, {0, 0, 0, 1}, std::vector<std::uint8_t>(28)});
    for (const char* name : {"kbxsave3.sav", "KBXSAVE6.SAV", "KBXSAVEX.SAV", "kbxsave2.sav"})
        folder.write(name, valid);
    folder.write("KBXSAVE2.SAV", "damaged");
    const auto slots = SaveSlots(folder.path()).scan();
    EXPECT_EQ(slots[2].file, folder / "kbxsave3.sav");
    EXPECT_EQ(slots[2].description, "three");
    EXPECT_EQ(slots[1].file, folder / "KBXSAVE2.SAV") << "the slot's own name wins";
    EXPECT_FALSE(slots[1].description) << "and it is damaged";
    for (const int empty : {0, 3, 4})
        EXPECT_TRUE(slots[static_cast<std::size_t>(empty)].file.empty()) << empty;
}

class SaveSlotsGame : public GameFixture {
protected:
    TempFolder folder;
    SaveSlots slots{folder.path()};
    std::tm when{};
};

TEST_F(SaveSlotsGame, ARoundTripRestoresEveryCubeTheRotationAndTheClock)
{
    start();
    std::vector<Cube> cubes(3 * 2 * 2);
    for (std::size_t i = 0; i < cubes.size(); ++i)
        cubes[i].neighbourBombs = static_cast<std::uint8_t>(i % 3);
    cubes[1].bomb = 1;
    cubes[2].floodUntouched = cubes[2].covered = 0;
    cubes[4].intact = 0;
    cubes[5].suspect = 1;
    ASSERT_TRUE(game->restoreGame(0, 1, 3, 2, 2, 2, 0, cubes));
    ASSERT_EQ(game->toggleMark(7), 1);
    clock.advance(61900);
    const Quaternion rotation{0.5F, -0.25F, 0.125F, 0.8F};
    ASSERT_TRUE(slots.save(4, *game, rotation, when));
    const std::vector<Cube> saved = game->board().cubes();

    game->newGame(0, 4, 4, 4, 6);
    const std::int32_t played = statistics.gamesPlayed();
    const std::optional<Quaternion> loaded = slots.load(4, *game);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, rotation);
    EXPECT_EQ(game->board().cubes(), saved);
    EXPECT_EQ(game->board().width(), 3);
    EXPECT_EQ(game->board().depth(), 2);
    EXPECT_EQ(game->level(), 1);
    EXPECT_EQ(game->bombCount(), 2);
    EXPECT_EQ(game->marksPlaced(), 1);
    EXPECT_TRUE(game->running());
    EXPECT_EQ(game->elapsedSeconds(), 61U) << "the clock goes on from the saved whole seconds";
    clock.advance(1000);
    EXPECT_EQ(game->elapsedSeconds(), 62U);
    EXPECT_EQ(statistics.gamesPlayed(), played + 1) << "a load counts as a game played";
    EXPECT_FALSE(slots.load(3, *game)) << "an empty slot loads nothing";
}

TEST_F(SaveSlotsGame, ALoneCubeSavesOneRecordAndZerosAfterIt)
{
    start();
    game->newGame(4, 1, 1, 1, 0);
    ASSERT_EQ(game->toggleMark(0), 1);
    ASSERT_TRUE(slots.save(1, *game, {}, when));
    const std::optional<SavedGame> file = readSavedGame(folder / "KBXSAVE1.SAV");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->cubeRecords.size(), 28U);
    std::ifstream in(folder / "KBXSAVE1.SAV", std::ios::binary);
    std::vector<char> bytes(SavedGame::kFileBytes);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(std::count(bytes.begin() + 304 + 28, bytes.end() - 1, 0), 7999 * 28);

    game->newGame(0, 4, 4, 4, 6);
    ASSERT_TRUE(slots.load(1, *game));
    EXPECT_EQ(game->board().cubeCount(), 1);
    EXPECT_EQ(game->board().cube(0).marked, 1);
}

} // namespace
} // namespace kubrix::test
