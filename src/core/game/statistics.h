// The player's lifetime statistics: this run's view of them, and its changes merged into the
// store at the end of every game and at exit.
#pragma once

#include "core/base/settings_store.h"

#include <cstdint>
#include <vector>

namespace kubrix {

// Counts and totals saturate at the largest 32-bit value instead of wrapping.
// Other copies of the program may write the same store while this one runs, so a save never
// writes back what this run read: it re-reads the stored values, applies only what this run
// did since its own last save, and writes the result.
class Statistics {
public:
    // Reads the seven values (section "User") and starts this run's playing time.
    void load(const SettingsStore& store, std::uint32_t now);
    // Merges this run's games and playing time since its last save into the stored values (or,
    // after a reset, into zeros) and writes them; what this run shows becomes the result.
    void save(SettingsStore& store, std::uint32_t now);
    std::int32_t runningTotalSeconds(std::uint32_t now) const;
    // Zeroes the seven values in memory; the next save writes the zeros. The total time then
    // counts this whole run again, the part already saved included.
    void reset();

    // The first exposure of a non-tutorial game, or a saved game loaded.
    void recordGameStarted();
    // The end of any game, the tutorial's included: wins, streaks and the longest game.
    void recordFinishedGame(bool won, std::uint32_t seconds);

    std::int32_t gamesPlayed() const { return shown_.gamesPlayed; }
    std::int32_t gamesWon() const { return shown_.gamesWon; }
    std::int32_t longestWinStreak() const { return shown_.longestWinStreak; }
    std::int32_t longestLossStreak() const { return shown_.longestLossStreak; }
    // n > 0: n wins in a row; n < 0: -n losses in a row.
    std::int32_t currentStreak() const { return shown_.currentStreak; }
    std::int32_t longestGameSeconds() const { return shown_.longestGameSeconds; }
    std::int32_t totalSeconds() const { return shown_.totalSeconds; }

private:
    struct Values {
        std::int32_t gamesPlayed = 0;
        std::int32_t gamesWon = 0;
        std::int32_t longestWinStreak = 0;
        std::int32_t longestLossStreak = 0;
        std::int32_t currentStreak = 0;
        std::int32_t longestGameSeconds = 0;
        std::int32_t totalSeconds = 0;
    };
    struct Finished {
        bool won;
        std::uint32_t seconds;
    };

    static Values read(const SettingsStore& store);
    static void apply(Values& values, const Finished& game);

    // The values as last read or written, with this run's changes since.
    Values shown_;
    // This run's changes since its last save.
    std::int32_t startedSinceSave_ = 0;
    std::vector<Finished> finishedSinceSave_;
    bool resetPending_ = false;
    // Playing time before this tick is in the total already.
    std::uint32_t unsavedSinceTick_ = 0;
    std::uint32_t runStartTick_ = 0;
};

} // namespace kubrix
