// The rules of play: safe first exposure, flood, marks, winning and losing.
#include "core/base/settings_table.h"
#include "core/game/levels.h"
#include "core/game/tutorial_layout.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <array>

namespace kubrix {
namespace {

using test::GameFixture;

class GameRules : public GameFixture {
protected:
    void SetUp() override { start(); }
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

TEST_F(GameRules, TheCounterShowsTheBombsOnTheBoardAfterTheFirstExposure)
{
    const auto bombs = [this] { return cubesWhere([](const Cube& c) { return c.bomb != 0; }); };
    for (const auto& [width, height, depth, asked, held] :
         {std::array{1, 1, 20, 20, 19}, std::array{1, 1, 1, 1, 0}, std::array{10, 10, 10, 600, 600},
          std::array{4, 4, 4, -3, 0}}) {
        game->newGame(kLevelCustom, width, height, depth, asked);
        game->expose(0);
        EXPECT_EQ(game->bombCounter(), held) << asked;
        EXPECT_EQ(bombs().size(), std::size_t(held)) << "on the board regenerated around cube 0";
    }
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
    EXPECT_EQ(observer.stateChanges, 3) << "the new game, the clock started by the mark, the loss";
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

TEST_F(GameRules, ASafeCubeLeftCoveredUnderAMarkKeepsTheGameOpen)
{
    for (const int marks : {1, 2}) { // 'X', then '?'
        playRow(5, {0, 2, 4});
        for (int i = 0; i < marks; ++i)
            ASSERT_EQ(game->toggleMark(1), 1);
        ASSERT_EQ(game->expose(3), 1);
        EXPECT_FALSE(game->ended()) << marks << " clicks: cube 1 is safe and still covered";
        EXPECT_EQ(game->board().cube(1).covered, 1);
    }
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
    EXPECT_EQ(observer.stateChanges, 1) << "only the restore: the move ended nothing";
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

    store.writeInt("Startup", "D0", 50); // set meanwhile by another running game
    playRow(3, {2}, kLevelBeginner, 60);
    game->expose(0);
    EXPECT_EQ(host.recordDialogs, 1) << "the better time stored elsewhere stands";
    EXPECT_EQ(store.readInt("Startup", "D0", 0), 50);

    playRow(3, {2}, kLevelCustom, 1);
    game->expose(0);
    host.tutorialGameFlag = true;
    playRow(3, {2}, kLevelExpert, 1);
    game->expose(0);
    EXPECT_EQ(host.recordDialogs, 1) << "custom and tutorial games keep no fastest time";
    EXPECT_EQ(statistics.gamesWon(), 5);
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

TEST_F(GameRules, AChordExposesTheNeighboursOfASatisfiedNumberAndNothingElse)
{
    // Bomb at 3: cube 4 shows 1 and borders the bomb and the empty run 5..6.
    playRow(7, {3});
    ASSERT_EQ(game->expose(4), 1);
    sound.played.clear();
    const std::vector<Cube> before = game->board().cubes();
    EXPECT_EQ(game->chord(4), 0) << "no mark yet: the 1 is not satisfied";
    EXPECT_EQ(game->board().cubes(), before);
    EXPECT_TRUE(sound.played.empty());

    game->toggleMark(3);
    sound.played.clear();
    EXPECT_EQ(game->chord(4), 1);
    EXPECT_EQ(game->board().cube(5).covered, 0);
    EXPECT_EQ(game->board().cube(6).covered, 0) << "the flood from the empty 5 goes on";
    EXPECT_EQ(game->board().cube(2).covered, 1) << "not a neighbour of 4";
    EXPECT_FALSE(game->ended());
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Safe});
}

TEST_F(GameRules, AChordThroughAWrongMarkLosesAsAClickWould)
{
    playRow(7, {3});
    ASSERT_EQ(game->expose(4), 1);
    game->toggleMark(5);
    sound.played.clear();
    EXPECT_EQ(game->chord(4), 1);
    EXPECT_TRUE(game->lost());
    EXPECT_EQ(game->board().cube(3).intact, 0);
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::GameOver});
    EXPECT_EQ(statistics.currentStreak(), -1);
}

TEST_F(GameRules, WithQuestionMarksOffTheCycleHasTwoSteps)
{
    game->toggleQuestionMarks();
    EXPECT_EQ(store.readInt("Startup", "qmarks", 1), 0);
    playRow(5, {4});
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(game->toggleMark(2), 1);
    EXPECT_EQ(sound.played, (std::vector<SoundId>{SoundId::Marked, SoundId::Unmark}));
    EXPECT_EQ(game->board().cube(2).suspect, 0);
    EXPECT_EQ(game->marksPlaced(), 0);
    EXPECT_FALSE(start().questionMarks()) << "the choice is kept for the next run";
}

TEST_F(GameRules, APausedGameTakesNoMovesAndItsClockStandsStill)
{
    playRow(7, {3}, kLevelBeginner, 10);
    game->expose(4);
    game->toggleMark(3);
    game->pause();
    ASSERT_TRUE(game->paused());
    clock.advance(60000);
    EXPECT_EQ(game->elapsedSeconds(), 10U);
    const std::vector<Cube> before = game->board().cubes();
    EXPECT_EQ(game->expose(0), 0);
    EXPECT_EQ(game->toggleMark(0), 0);
    EXPECT_EQ(game->chord(4), 0);
    EXPECT_FALSE(game->giveHint()) << "a hint would show the hidden block";
    EXPECT_EQ(game->board().cubes(), before);
    game->resume();
    clock.advance(2500);
    EXPECT_EQ(game->elapsedSeconds(), 12U) << "the paused minute never counts";

    game->pause();
    ASSERT_TRUE(game->restoreGame(30, kLevelBeginner, 7, 1, 1, 1, 1, before));
    EXPECT_FALSE(game->paused()) << "a loaded game starts running";
    clock.advance(1000);
    EXPECT_EQ(game->elapsedSeconds(), 31U);
}

} // namespace
} // namespace kubrix
