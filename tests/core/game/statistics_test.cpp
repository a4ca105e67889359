// The lifetime statistics and their storage.
#include "core/base/memory_settings_store.h"
#include "core/game/statistics.h"

#include <gtest/gtest.h>

#include <limits>

namespace kubrix {
namespace {

TEST(Statistics, LoadSaveAndTheRunningTotal)
{
    MemorySettingsStore store;
    store.writeInt("User", "stlos", 10);
    store.writeInt("User", "stwon", 4);
    store.writeInt("User", "stst", -3);
    store.writeInt("User", "sttt", 1000);
    store.writeText("User", "stmx", "garbage");
    Statistics stats;
    stats.load(store, 5000);
    EXPECT_EQ(stats.gamesPlayed(), 10);
    EXPECT_EQ(stats.gamesWon(), 4);
    EXPECT_EQ(stats.currentStreak(), -3);
    EXPECT_EQ(stats.longestGameSeconds(), 0);
    EXPECT_EQ(stats.runningTotalSeconds(5000 + 2999), 1002);

    stats.recordGameStarted();
    stats.save(store, 5000 + 61999);
    EXPECT_EQ(store.readInt("User", "sttt", 0), 1061);
    EXPECT_EQ(store.readInt("User", "stlos", 0), 11);
    EXPECT_EQ(store.readInt("User", "stst", 0), -3);
    EXPECT_EQ(store.readInt("User", "stmx", -1), 0);
    EXPECT_TRUE(store.contains("User", "ststwin"));
    EXPECT_TRUE(store.contains("User", "ststlos"));
    EXPECT_TRUE(store.contains("User", "stwon"));
}

TEST(Statistics, RunningTimeSurvivesAClockWrap)
{
    MemorySettingsStore store;
    Statistics stats;
    stats.load(store, 0xFFFFFC18U); // one second before the wrap
    EXPECT_EQ(stats.runningTotalSeconds(2000), 3);
}

TEST(Statistics, StreakRules)
{
    Statistics stats;
    stats.recordFinishedGame(true, 10);
    stats.recordFinishedGame(true, 30);
    stats.recordFinishedGame(true, 20);
    EXPECT_EQ(stats.currentStreak(), 3);
    stats.recordFinishedGame(false, 5);
    EXPECT_EQ(stats.currentStreak(), -1);
    EXPECT_EQ(stats.longestWinStreak(), 3);
    stats.recordFinishedGame(false, 5);
    stats.recordFinishedGame(false, 5);
    EXPECT_EQ(stats.currentStreak(), -3);
    EXPECT_EQ(stats.longestLossStreak(), 3);
    stats.recordFinishedGame(true, 5);
    EXPECT_EQ(stats.currentStreak(), 1);
    EXPECT_EQ(stats.longestWinStreak(), 3);
    EXPECT_EQ(stats.gamesWon(), 4);
    EXPECT_EQ(stats.longestGameSeconds(), 30);
    EXPECT_EQ(stats.gamesPlayed(), 0) << "finishing a game does not count it as played";
}

TEST(Statistics, ResetZeroesInMemoryAndKeepsTheRunClock)
{
    MemorySettingsStore store;
    store.writeInt("User", "stwon", 9);
    store.writeInt("User", "sttt", 5000);
    Statistics stats;
    stats.load(store, 1000);
    stats.reset();
    EXPECT_EQ(stats.gamesWon(), 0);
    EXPECT_EQ(store.readInt("User", "stwon", 0), 9) << "reset writes nothing by itself";
    EXPECT_EQ(stats.runningTotalSeconds(11000), 10);
    stats.save(store, 11000);
    EXPECT_EQ(store.readInt("User", "sttt", -1), 10);
    EXPECT_EQ(store.readInt("User", "stwon", -1), 0);
}

TEST(Statistics, CountsAndTotalsSaturateInsteadOfWrapping)
{
    constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
    MemorySettingsStore store;
    store.writeInt("User", "sttt", kMost - 100);
    store.writeInt("User", "stlos", kMost);
    store.writeInt("User", "stwon", kMost);
    store.writeInt("User", "stst", std::numeric_limits<std::int32_t>::min());
    Statistics stats;
    stats.load(store, 0);
    stats.recordGameStarted();
    stats.recordFinishedGame(false, 5);
    EXPECT_EQ(stats.longestLossStreak(), kMost);
    stats.recordFinishedGame(true, 5);
    EXPECT_EQ(stats.runningTotalSeconds(1000000), kMost);
    stats.save(store, 1000000);
    for (const char* key : {"sttt", "stlos", "stwon", "ststlos"})
        EXPECT_EQ(store.readInt("User", key, 0), kMost) << key;
}

TEST(Statistics, EachSaveMergesOnlyThisRunsChangesIntoTheStore)
{
    MemorySettingsStore store;
    store.writeInt("User", "stlos", 10);
    Statistics a;
    Statistics b;
    a.load(store, 0);
    b.load(store, 0);
    a.recordGameStarted();
    a.save(store, 5500);
    b.save(store, 9000); // idle: it must not write back the 10 games it read
    a.save(store, 9000);
    EXPECT_EQ(store.readInt("User", "stlos", 0), 11);
    EXPECT_EQ(b.gamesPlayed(), 11) << "a save shows what the store holds";
    EXPECT_EQ(store.readInt("User", "sttt", 0), 9 + 9) << "no second of either run twice";
    EXPECT_EQ(a.runningTotalSeconds(9999), 18);
}

} // namespace
} // namespace kubrix
