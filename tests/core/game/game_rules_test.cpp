// The rules of play: safe first exposure, flood, marks, winning and losing.
#include "core/base/settings_table.h"
#include "core/game/levels.h"
#include "core/game/tutorial_layout.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kubrix {
namespace {

using test::GameFixture;

// A row of cubes along x with bombs where asked; counts are those of the bombs.
std::vector<Cube> row(int length, std::initializer_list<int> bombs)
{
    std::vector<Cube> cubes(static_cast<std::size_t>(length));
    for (const int b : bombs)
        cubes[std::size_t(b)].bomb = 1;
    for (int x = 0; x < length; ++x) {
        int count = 0;
        for (const int n : {x - 1, x + 1})
            if (n >= 0 && n < length)
                count += cubes[std::size_t(n)].bomb;
        cubes[std::size_t(x)].neighbourBombs = static_cast<std::uint8_t>(count);
    }
    return cubes;
}

class GameRules : public GameFixture {
protected:
    void SetUp() override { start(); }

    // A running game on a row, its clock at the given seconds.
    void playRow(int length, std::initializer_list<int> bombs, int level = 0,
                 std::uint32_t seconds = 10)
    {
        const auto cubes = row(length, bombs);
        ASSERT_TRUE(game->restoreGame(seconds, level, length, 1, 1, int(bombs.size()), 0, cubes));
        sound.played.clear();
    }
};

TEST_F(GameRules, FirstExposureIsNeverABombAndCountsAGame)
{
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        clock.set(seed * 104729U);
        game->newGame(kLevelCustom, 4, 4, 4, 60);
        const int target = int(seed % 64);
        EXPECT_EQ(game->expose(target), 1);
        EXPECT_FALSE(game->lost()) << "seed " << seed;
        EXPECT_EQ(game->board().cube(target).covered, 0);
        EXPECT_EQ(game->startTick(), clock.now());
        EXPECT_EQ(game->face().value(), FaceState::kIdle);
    }
    EXPECT_EQ(statistics.gamesPlayed(), 60);
}

TEST_F(GameRules, FirstExposureOfAFullBoardEnds)
{
    game->newGame(kLevelCustom, 3, 3, 3, 27);
    EXPECT_EQ(game->expose(13), 1);
    EXPECT_FALSE(game->lost());
    EXPECT_TRUE(game->ended()) << "all other cubes are bombs: the first exposure wins";

    game->newGame(kLevelCustom, 1, 1, 1, 1);
    EXPECT_EQ(game->expose(0), 1);
    EXPECT_TRUE(game->ended());
    EXPECT_FALSE(game->lost());
}

TEST_F(GameRules, AMarkFirstLeavesTheBoardAsItIs)
{
    game->newGame(kLevelCustom, 4, 4, 4, 30);
    const auto bombs = cubesWhere([](const Cube& c) { return c.bomb != 0; });
    const auto safe = cubesWhere([](const Cube& c) { return c.bomb == 0; });
    ASSERT_EQ(game->toggleMark(safe.front()), 1);
    EXPECT_EQ(game->startTick(), clock.now());
    EXPECT_EQ(game->expose(bombs.front()), 1);
    EXPECT_TRUE(game->lost());
    EXPECT_EQ(cubesWhere([](const Cube& c) { return c.bomb != 0; }), bombs);
    EXPECT_EQ(statistics.gamesPlayed(), 0) << "no first exposure of a fresh game happened";
}

TEST_F(GameRules, TutorialFirstExposureCanHitABomb)
{
    game->setupTutorialBoard();
    host.tutorialRunningFlag = true;
    EXPECT_EQ(game->expose(4), 1);
    EXPECT_TRUE(game->lost());
    EXPECT_EQ(statistics.gamesPlayed(), 0);
    const Cube& bomb = game->board().cube(4);
    EXPECT_EQ(bomb.covered, 1);
    EXPECT_EQ(bomb.intact, 0);
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::GameOver});
    EXPECT_EQ(game->face().value(), FaceState::kLost);
    EXPECT_EQ(statistics.currentStreak(), -1);
    // The bombs of a lost game are listed for display, the exploded one among them.
    ASSERT_EQ(game->board().bombs().count(), 6);
    EXPECT_EQ(game->board().bombs().records()[0].intact, 0);
}

TEST_F(GameRules, WrongMarksShowOnlyOnceTheGameIsOver)
{
    playRow(5, {4}, kLevelCustom);
    game->toggleMark(1);
    // The atlas tiles the mesh shows on a cube's faces, read back from its texture coordinates.
    const auto tilesOf = [&](int cube) {
        std::set<int> tiles;
        const SurfaceMesh& mesh = game->board().mesh();
        for (const FaceStrip& strip : mesh.strips())
            if (strip.cubeIndex == cube) {
                const TexCoord& corner = mesh.texCoord(strip, 0);
                tiles.insert(int((1.0F - corner.v) * 8) * 8 + int(corner.u * 8));
            }
        return tiles;
    };
    EXPECT_EQ(tilesOf(1), (std::set<int>{60, 61, 62, 63}));
    game->expose(4);
    ASSERT_TRUE(game->lost());
    EXPECT_EQ(tilesOf(1), (std::set<int>{7, 13, 14, 15}));
    EXPECT_EQ(game->board().bombs().count(), 1);
}

TEST_F(GameRules, LabelsFollowExposedNumbers)
{
    playRow(5, {4}, kLevelCustom);
    EXPECT_EQ(game->board().labels().count(), 0);
    game->expose(3);
    ASSERT_EQ(game->board().labels().count(), 1);
    EXPECT_EQ(game->board().labels().records()[0].cubeIndex, 3);
    EXPECT_EQ(game->board().labels().records()[0].number, 0) << "one bomb neighbour";
    EXPECT_EQ(game->board().bombs().count(), 0) << "no bombs shown while the game runs";
}

TEST_F(GameRules, FloodExposesTheEmptyRegionAndItsBorderThroughMarks)
{
    playRow(7, {6}, kLevelCustom);
    ASSERT_EQ(game->toggleMark(2), 1);
    ASSERT_EQ(game->toggleMark(3), 1);
    ASSERT_EQ(game->toggleMark(3), 1); // now '?'
    sound.played.clear();
    EXPECT_EQ(game->expose(0), 1);
    for (int x = 0; x <= 5; ++x)
        EXPECT_EQ(game->board().cube(x).covered, 0) << x;
    EXPECT_EQ(game->board().cube(6).covered, 1);
    EXPECT_EQ(game->board().cube(0).floodUntouched, 1) << "the clicked cube is not flooded";
    EXPECT_EQ(game->board().cube(1).floodUntouched, 0);
    EXPECT_EQ(game->board().cube(2).marked, 1) << "the flood keeps mark flags";
    EXPECT_EQ(game->marksPlaced(), 1);
    EXPECT_EQ(game->bombCounter(), 0);
    // The last safe cube won: WIN, and no SAFE.
    EXPECT_TRUE(game->ended());
    EXPECT_FALSE(game->lost());
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Win});
}

TEST_F(GameRules, FloodStopsAtNumberedCubes)
{
    playRow(7, {3});
    EXPECT_EQ(game->expose(0), 1);
    EXPECT_EQ(game->board().cube(1).covered, 0);
    EXPECT_EQ(game->board().cube(2).covered, 0) << "the numbered border is exposed";
    EXPECT_EQ(game->board().cube(4).covered, 1);
    EXPECT_EQ(game->board().cube(6).covered, 1);
    EXPECT_FALSE(game->ended());
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Safe});
}

TEST_F(GameRules, MarkedCubesAreProtectedSuspectOnesAreNot)
{
    playRow(5, {4});
    game->toggleMark(1);
    sound.played.clear();
    EXPECT_EQ(game->expose(1), 1);
    EXPECT_EQ(game->board().cube(1).covered, 1);
    EXPECT_TRUE(sound.played.empty());
    game->toggleMark(1); // '?'
    sound.played.clear();
    EXPECT_EQ(game->expose(1), 1);
    EXPECT_EQ(game->board().cube(1).covered, 0);
}

TEST_F(GameRules, MarkCycleAndItsSounds)
{
    playRow(5, {4});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(game->toggleMark(2), 1);
    EXPECT_EQ(sound.played,
              (std::vector<SoundId>{SoundId::Marked, SoundId::Question, SoundId::Unmark}));
    const Cube& cube = game->board().cube(2);
    EXPECT_EQ(cube.marked, 0);
    EXPECT_EQ(cube.suspect, 0);
    EXPECT_EQ(game->marksPlaced(), 0);
    game->toggleMark(2);
    game->toggleMark(3);
    EXPECT_EQ(game->marksPlaced(), 2);
    EXPECT_EQ(game->bombCounter(), 0) << "the counter never shows less than 0";
}

TEST_F(GameRules, AFinishedGameTakesNoMoreMoves)
{
    playRow(5, {4});
    ASSERT_EQ(game->expose(4), 1);
    ASSERT_TRUE(game->lost());
    const std::vector<Cube> after = game->board().cubes();
    const auto played = sound.played;
    EXPECT_EQ(game->expose(0), 0);
    EXPECT_EQ(game->toggleMark(1), 0);
    EXPECT_EQ(game->board().cubes(), after);
    EXPECT_EQ(sound.played, played);
    EXPECT_EQ(game->expose(-1), 0);
    EXPECT_EQ(game->expose(5), 0);
}

TEST_F(GameRules, FastestTimeIsAskedOnlyForAStrictlyBetterStandardGame)
{
    host.onRecordEntry = [](Game& g) { g.setRecord("Ann"); };
    store.writeInt("Startup", "D0", 100);
    start();

    playRow(3, {2}, kLevelBeginner, 100);
    game->expose(0);
    EXPECT_EQ(host.recordDialogs, 0) << "equal to the record is not faster";
    EXPECT_EQ(game->face().value(), FaceState::kWon);
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Win});

    playRow(3, {2}, kLevelBeginner, 99);
    game->expose(0);
    EXPECT_EQ(host.recordDialogs, 1);
    EXPECT_EQ(game->face().value(), FaceState::kWonRecord);
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::HiScore});
    EXPECT_EQ(game->record(0).name, "Ann");
    EXPECT_EQ(game->record(0).seconds, 99);
    EXPECT_EQ(store.readText("Startup", "N0", "?"), "Ann");
    EXPECT_EQ(store.readInt("Startup", "D0", 0), 99);

    playRow(3, {2}, kLevelCustom, 1);
    game->expose(0);
    host.tutorialGameFlag = true;
    playRow(3, {2}, kLevelExpert, 1);
    game->expose(0);
    EXPECT_EQ(host.recordDialogs, 1) << "custom and tutorial games keep no fastest time";
    EXPECT_EQ(statistics.gamesWon(), 4);
}

TEST_F(GameRules, NoRecordAtOrBeyondTheNoRecordTime)
{
    playRow(3, {2}, kLevelIntermediate, 59999);
    game->expose(0);
    EXPECT_EQ(host.recordDialogs, 0);
    EXPECT_EQ(game->clockSeconds(), 59999);
    playRow(3, {2}, kLevelIntermediate, 70000);
    EXPECT_EQ(game->clockSeconds(), 59999);
    game->expose(0);
    EXPECT_EQ(host.recordDialogs, 0);
    EXPECT_EQ(statistics.longestGameSeconds(), 70000);
}

TEST_F(GameRules, StreaksFollowWinsAndLosses)
{
    for (int i = 0; i < 3; ++i) {
        playRow(3, {2});
        game->expose(0);
    }
    EXPECT_EQ(statistics.currentStreak(), 3);
    playRow(3, {2});
    game->expose(2);
    EXPECT_EQ(statistics.currentStreak(), -1);
    EXPECT_EQ(statistics.longestWinStreak(), 3);
    playRow(3, {2});
    game->expose(2);
    EXPECT_EQ(statistics.longestLossStreak(), 2);
    EXPECT_EQ(statistics.gamesWon(), 3);
    EXPECT_EQ(statistics.gamesPlayed(), 5) << "each restored game counts as played";
}

TEST_F(GameRules, SixQuickClicksOnMarkedCubesSwitchTheBombHintOn)
{
    playRow(5, {4});
    game->toggleMark(1);
    for (int i = 0; i < 5; ++i) {
        clock.advance(900);
        game->expose(1);
        EXPECT_FALSE(game->bombHint().on()) << "click " << i + 1;
    }
    clock.advance(900);
    game->expose(1);
    EXPECT_TRUE(game->bombHint().on());
    game->newGame(0, 4, 4, 4, 6);
    EXPECT_TRUE(game->bombHint().on()) << "the hint lasts for the run";
}

TEST_F(GameRules, APauseRestartsTheHintCount)
{
    playRow(5, {4});
    game->toggleMark(1);
    for (int i = 0; i < 4; ++i) {
        clock.advance(500);
        game->expose(1);
    }
    clock.advance(1500);
    game->expose(1);
    for (int i = 0; i < 4; ++i) {
        clock.advance(500);
        game->expose(1);
    }
    EXPECT_FALSE(game->bombHint().on());
    clock.advance(500);
    game->expose(1);
    EXPECT_TRUE(game->bombHint().on());
}

TEST_F(GameRules, ClockRunsInWrappingMillisecondsAndStopsAtTheEnd)
{
    EXPECT_EQ(game->elapsedSeconds(), 0U);
    clock.set(0xFFFFF000U);
    playRow(3, {2}, kLevelBeginner, 0);
    clock.advance(5000); // wraps past zero
    EXPECT_EQ(game->elapsedSeconds(), 5U);
    game->expose(0);
    clock.advance(60000);
    EXPECT_EQ(game->elapsedSeconds(), 5U);
}

} // namespace
} // namespace kubrix
