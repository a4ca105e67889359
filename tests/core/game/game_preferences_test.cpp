// Start-up from the settings store, the switches, records and quality, new games and restore.
#include "core/base/settings_table.h"
#include "core/game/tutorial_layout.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <utility>

namespace kubrix {
namespace {

class GamePreferences : public test::GameFixture {};

TEST_F(GamePreferences, AFirstRunStartsABeginnerGameWithDefaults)
{
    Game& g = start();
    EXPECT_EQ(g.level(), 0);
    EXPECT_EQ(g.board().width(), 4);
    EXPECT_EQ(g.board().height(), 4);
    EXPECT_EQ(g.board().depth(), 4);
    EXPECT_EQ(g.bombCount(), 6);
    EXPECT_TRUE(g.soundOn());
    EXPECT_TRUE(g.musicOn());
    EXPECT_EQ(g.quality(), 1);
    EXPECT_EQ(g.hoverIndex(), -1);
    for (int level = 0; level < 3; ++level) {
        EXPECT_EQ(g.record(level).seconds, 59999);
        EXPECT_EQ(g.record(level).name, "");
    }
    EXPECT_FALSE(g.running());
    EXPECT_EQ(store.writeCount(), 0) << "start-up reads, it does not write";
}

TEST_F(GamePreferences, QualityOutsideItsRangeIsTakenAsBevelled)
{
    for (const char* stored : {"7", "-1"}) {
        store.writeText("Startup", "Quality", stored);
        Game& g = start();
        EXPECT_EQ(g.quality(), 2) << stored;
    }
    store.writeInt("Startup", "Quality", 0);
    EXPECT_EQ(start().quality(), 0);
}

TEST_F(GamePreferences, DamagedSettingsGiveTheDefaults)
{
    store.writeText("Startup", "Quality", "abc");
    store.writeText("Startup", "s", "");
    store.writeText("Startup", "D1", "12x");
    store.writeText("Startup", "x", "lots");
    Game& g = start();
    EXPECT_EQ(g.quality(), 1);
    EXPECT_TRUE(g.soundOn());
    EXPECT_EQ(g.record(1).seconds, 59999);
    EXPECT_EQ(g.board().width(), 4);
}

TEST_F(GamePreferences, HandSetStartUpGameIsUsedWhenTheBoardCanHoldIt)
{
    store.writeInt("Startup", "x", 10);
    store.writeInt("Startup", "y", 3);
    store.writeInt("Startup", "z", 2);
    store.writeInt("Startup", "nm", 5000);
    store.writeInt("Startup", "m", 4);
    Game& g = start();
    EXPECT_EQ(g.board().width(), 10);
    EXPECT_EQ(g.board().height(), 3);
    EXPECT_EQ(g.board().depth(), 2);
    EXPECT_EQ(g.bombCount(), 59) << "every cube but the first exposed one";
    EXPECT_EQ(g.level(), 4);

    // A side the board cannot hold falls back to the whole default game.
    for (const int side : {0, 21, 100000, -3}) {
        store.writeInt("Startup", "y", side);
        Game& again = start();
        EXPECT_EQ(again.board().cubeCount(), 64) << side;
        EXPECT_EQ(again.bombCount(), 6);
    }
}

TEST_F(GamePreferences, AStartUpLevelThatIsNotTheBoardsOwnPlaysAsCustomAndKeepsNoRecord)
{
    // Level 3 is none of the four; Intermediate is not a 2 x 1 x 1 board.
    for (const int level : {3, 1}) {
        for (const auto& [key, value] :
             {std::pair{"x", 2}, {"y", 1}, {"z", 1}, {"nm", 1}, {"m", level}})
            store.writeInt("Startup", key, value);
        Game& g = start();
        EXPECT_EQ(g.level(), 4) << level;
        g.expose(0);
        EXPECT_TRUE(g.ended() && !g.lost()) << "the one other cube holds the bomb";
        EXPECT_EQ(host.recordDialogs, 0) << level;
    }
}

TEST_F(GamePreferences, SwitchesAreWrittenAtOnceAndGateTheEffects)
{
    Game& g = start();
    g.toggleSound();
    EXPECT_FALSE(g.soundOn());
    EXPECT_EQ(store.readInt("Startup", "s", -1), 0);
    g.toggleMark(0);
    EXPECT_TRUE(sound.played.empty()) << "effects are silent while sound is off";

    g.toggleMusic();
    EXPECT_EQ(sound.musicStops, 1);
    EXPECT_EQ(store.readInt("Startup", "t", -1), 0);
    g.toggleMusic();
    EXPECT_EQ(sound.musicStarts, 1);
    EXPECT_EQ(store.readInt("Startup", "t", -1), 1);
    g.toggleSound();
    EXPECT_EQ(store.readInt("Startup", "s", -1), 1);
    EXPECT_EQ(observer.stateChanges, 5) << "each switch, and the mark that started the clock";
}

TEST_F(GamePreferences, RecordsAreReadWrittenAndClearedInMemoryOnly)
{
    store.writeText("Startup", "N2", "Zed");
    store.writeInt("Startup", "D2", 321);
    Game& g = start();
    EXPECT_EQ(g.record(2).name, "Zed");
    EXPECT_EQ(g.record(2).seconds, 321);
    g.clearRecords();
    EXPECT_EQ(g.record(2).name, "");
    EXPECT_EQ(g.record(2).seconds, 59999);
    EXPECT_EQ(store.readInt("Startup", "D2", 0), 321) << "clearing alone writes nothing";
    g.writeRecord(2);
    EXPECT_EQ(store.readInt("Startup", "D2", 0), 59999);
    EXPECT_EQ(store.readText("Startup", "N2", "?"), "");

    // Custom and unknown levels hold no record and store none.
    const int writes = store.writeCount();
    for (const int level : {-1, 3, 4}) {
        EXPECT_EQ(g.record(level).seconds, 59999) << level;
        g.writeRecord(level);
    }
    g.newGame(4, 3, 3, 3, 2);
    g.setRecord("Eve");
    EXPECT_EQ(store.writeCount(), writes);
}

TEST_F(GamePreferences, NewGamesResetTheStateAndKeepTheSize)
{
    Game& g = start();
    g.selectLevel(2);
    EXPECT_EQ(g.board().cubeCount(), 512);
    EXPECT_EQ(g.bombCount(), 60);
    g.toggleMark(5);
    g.expose(100);
    ASSERT_TRUE(g.running() || g.ended());
    g.restartSame();
    EXPECT_EQ(g.level(), 2);
    EXPECT_EQ(g.board().cubeCount(), 512);
    EXPECT_EQ(g.marksPlaced(), 0);
    EXPECT_EQ(g.startTick(), 0U);
    EXPECT_EQ(g.endTick(), 0U);
    EXPECT_FALSE(g.lost());
    g.newGame(4, 2, 3, 5, 7);
    EXPECT_EQ(g.level(), 4);
    EXPECT_EQ(g.board().cubeCount(), 30);
    g.selectLevel(3);
    EXPECT_EQ(g.level(), 4) << "only levels 0..2 have presets";
}

TEST_F(GamePreferences, TutorialBoardIsTheFixedLayoutReportedForItsView)
{
    Game& g = start();
    g.selectLevel(1);
    g.setupTutorialBoard();
    EXPECT_EQ(g.level(), 0);
    EXPECT_EQ(g.bombCount(), 6);
    const auto layout = tutorialLayout();
    ASSERT_EQ(g.board().cubeCount(), kTutorialCubes);
    for (int i = 0; i < kTutorialCubes; ++i)
        EXPECT_EQ(g.board().cube(i), layout[std::size_t(i)]) << i;
    EXPECT_EQ(observer.tutorialBoards, 1) << "the view turns to it, not the rules";
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(GamePreferences, RestoreContinuesTheClockAndRefusesBadBoards)
{
    Game& g = start();
    std::vector<Cube> cubes(8);
    cubes[3].bomb = 1;
    cubes[1].covered = 0;
    cubes[2].marked = 1;
    clock.set(900000);
    ASSERT_TRUE(g.restoreGame(42, 1, 2, 2, 2, 1, 1, cubes));
    EXPECT_EQ(g.startTick(), 900000U - 42000U);
    EXPECT_EQ(g.elapsedSeconds(), 42U);
    EXPECT_EQ(g.level(), 1);
    EXPECT_EQ(g.marksPlaced(), 1);
    EXPECT_TRUE(g.running());
    EXPECT_EQ(statistics.gamesPlayed(), 1);
    EXPECT_EQ(g.board().cubes(), cubes);
    EXPECT_TRUE(sound.played.empty()) << "a loaded game starts silently";

    EXPECT_FALSE(g.restoreGame(5, 0, 21, 1, 1, 1, 0, std::vector<Cube>(21)));
    EXPECT_FALSE(g.restoreGame(5, 0, 3, 3, 3, 1, 0, cubes));
    EXPECT_EQ(g.startTick(), 900000U - 42000U);
    EXPECT_EQ(statistics.gamesPlayed(), 1);
    EXPECT_EQ(g.board().cubeCount(), 8);
}

TEST_F(GamePreferences, HoverReportsOnlyChanges)
{
    Game& g = start();
    EXPECT_EQ(g.setHover(5), 1);
    EXPECT_EQ(g.setHover(5), 0);
    EXPECT_EQ(g.hoverIndex(), 5);
    EXPECT_EQ(g.setHover(-1), 1);
    EXPECT_EQ(g.hoverIndex(), -1);
}

TEST_F(GamePreferences, TheChosenGameIsTheNextStartUpGame)
{
    Game& g = start();
    g.selectLevel(1);
    EXPECT_EQ(store.readInt("Startup", "m", -1), 1);
    g.chooseGame(4, 5, 6, 7, 999);
    g.setupTutorialBoard(); // not chosen: not kept
    Game& next = start();
    EXPECT_EQ(next.level(), 4);
    EXPECT_EQ(next.board().cubeCount(), 210);
    EXPECT_EQ(next.bombCount(), 209) << "the bombs the board held";
}

} // namespace
} // namespace kubrix
