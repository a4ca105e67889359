// The player's lifetime statistics.
#include "core/game/statistics.h"

#include "core/base/settings_table.h"

#include <algorithm>
#include <limits>

namespace kubrix {

namespace {

// Counts and totals stop at the largest value the store keeps rather than wrapping to a
// negative one; the most negative value is left out so that a losing streak can be negated.
constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();

std::int32_t saturated(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp(value, -kMost, kMost));
}

std::uint32_t secondsSince(std::uint32_t start, std::uint32_t now)
{
    return (now - start) / 1000U;
}

} // namespace

Statistics::Values Statistics::read(const SettingsStore& store)
{
    return {settings::read(store, settings::gamesPlayed),
            settings::read(store, settings::gamesWon),
            settings::read(store, settings::longestWinStreak),
            settings::read(store, settings::longestLossStreak),
            saturated(settings::read(store, settings::currentStreak)),
            settings::read(store, settings::longestGameSeconds),
            settings::read(store, settings::totalSeconds)};
}

void Statistics::load(const SettingsStore& store, std::uint32_t now)
{
    shown_ = read(store);
    startedSinceSave_ = 0;
    finishedSinceSave_.clear();
    resetPending_ = false;
    runStartTick_ = unsavedSinceTick_ = now;
}

void Statistics::save(SettingsStore& store, std::uint32_t now)
{
    Values merged = resetPending_ ? Values{} : read(store);
    merged.gamesPlayed = saturated(std::int64_t{merged.gamesPlayed} + startedSinceSave_);
    for (const Finished& game : finishedSinceSave_)
        apply(merged, game);
    // Only whole seconds move into the total; the fraction stays for the next save.
    const std::uint32_t seconds = secondsSince(unsavedSinceTick_, now);
    merged.totalSeconds = saturated(std::int64_t{merged.totalSeconds} + seconds);
    unsavedSinceTick_ += seconds * 1000U;

    settings::write(store, settings::gamesPlayed, merged.gamesPlayed);
    settings::write(store, settings::gamesWon, merged.gamesWon);
    settings::write(store, settings::longestWinStreak, merged.longestWinStreak);
    settings::write(store, settings::longestLossStreak, merged.longestLossStreak);
    settings::write(store, settings::currentStreak, merged.currentStreak);
    settings::write(store, settings::longestGameSeconds, merged.longestGameSeconds);
    settings::write(store, settings::totalSeconds, merged.totalSeconds);
    shown_ = merged;
    startedSinceSave_ = 0;
    finishedSinceSave_.clear();
    resetPending_ = false;
}

std::int32_t Statistics::runningTotalSeconds(std::uint32_t now) const
{
    return saturated(std::int64_t{shown_.totalSeconds} + secondsSince(unsavedSinceTick_, now));
}

void Statistics::reset()
{
    shown_ = {};
    startedSinceSave_ = 0;
    finishedSinceSave_.clear();
    resetPending_ = true;
    unsavedSinceTick_ = runStartTick_;
}

void Statistics::recordGameStarted()
{
    ++startedSinceSave_;
    shown_.gamesPlayed = saturated(std::int64_t{shown_.gamesPlayed} + 1);
}

void Statistics::recordFinishedGame(bool won, std::uint32_t seconds)
{
    finishedSinceSave_.push_back({won, seconds});
    apply(shown_, finishedSinceSave_.back());
}

void Statistics::apply(Values& values, const Finished& game)
{
    if (game.won) {
        values.gamesWon = saturated(std::int64_t{values.gamesWon} + 1);
        values.currentStreak =
            values.currentStreak < 0 ? 1 : saturated(std::int64_t{values.currentStreak} + 1);
    } else {
        values.currentStreak =
            values.currentStreak > 0 ? -1 : saturated(std::int64_t{values.currentStreak} - 1);
    }
    // A game lasts at most 2^32 ms, so its seconds always fit 32 signed bits.
    if (static_cast<std::int64_t>(game.seconds) > values.longestGameSeconds)
        values.longestGameSeconds = static_cast<std::int32_t>(game.seconds);
    values.longestWinStreak = std::max(values.longestWinStreak, values.currentStreak);
    if (values.currentStreak < 0 && -values.currentStreak > values.longestLossStreak)
        values.longestLossStreak = -values.currentStreak;
}

} // namespace kubrix
