// The player's lifetime statistics: kept in memory during a run, stored at its end.
#pragma once

#include "core/base/settings_store.h"

#include <cstdint>

namespace kubrix {

// Counts and totals saturate at the largest 32-bit value instead of wrapping.
class Statistics {
public:
    // Reads the seven values (section "User") and starts this run's playing time.
    void load(const SettingsStore& store, std::uint32_t now);
    // Adds this run's playing time so far, then writes the seven values.
    void save(SettingsStore& store, std::uint32_t now);
    std::int32_t runningTotalSeconds(std::uint32_t now) const;
    // Zeroes the seven values in memory; this run's playing time keeps counting.
    void reset();

    // The first exposure of a non-tutorial game, or a saved game loaded.
    void recordGameStarted();
    // The end of any game, the tutorial's included: wins, streaks and the longest game.
    void recordFinishedGame(bool won, std::uint32_t seconds);

    std::int32_t gamesPlayed() const { return gamesPlayed_; }
    std::int32_t gamesWon() const { return gamesWon_; }
    std::int32_t longestWinStreak() const { return longestWinStreak_; }
    std::int32_t longestLossStreak() const { return longestLossStreak_; }
    // n > 0: n wins in a row; n < 0: -n losses in a row.
    std::int32_t currentStreak() const { return currentStreak_; }
    std::int32_t longestGameSeconds() const { return longestGameSeconds_; }
    std::int32_t totalSeconds() const { return totalSeconds_; }

private:
    std::int32_t gamesPlayed_ = 0;
    std::int32_t gamesWon_ = 0;
    std::int32_t longestWinStreak_ = 0;
    std::int32_t longestLossStreak_ = 0;
    std::int32_t currentStreak_ = 0;
    std::int32_t longestGameSeconds_ = 0;
    std::int32_t totalSeconds_ = 0;
    std::uint32_t runStartTick_ = 0;
};

} // namespace kubrix
