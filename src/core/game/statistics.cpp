// The player's lifetime statistics.
#include "core/game/statistics.h"

#include "core/base/settings_table.h"

#include <algorithm>
#include <limits>

namespace kubrix {

namespace {

// Every count and total stops at the largest value the store keeps rather than wrapping to a
// negative one; the most negative value is left out so that a losing streak can be negated.
constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();

std::int32_t saturated(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp(value, -kMost, kMost));
}

std::int64_t secondsSince(std::uint32_t start, std::uint32_t now)
{
    return (now - start) / 1000U;
}

} // namespace

void Statistics::load(const SettingsStore& store, std::uint32_t now)
{
    gamesPlayed_ = settings::read(store, settings::gamesPlayed);
    gamesWon_ = settings::read(store, settings::gamesWon);
    longestWinStreak_ = settings::read(store, settings::longestWinStreak);
    longestLossStreak_ = settings::read(store, settings::longestLossStreak);
    currentStreak_ = saturated(settings::read(store, settings::currentStreak));
    longestGameSeconds_ = settings::read(store, settings::longestGameSeconds);
    totalSeconds_ = settings::read(store, settings::totalSeconds);
    runStartTick_ = now;
}

void Statistics::save(SettingsStore& store, std::uint32_t now)
{
    // The run start is not moved on, so a second save would count this run twice; the
    // program saves once, when its window is destroyed.
    totalSeconds_ = runningTotalSeconds(now);
    settings::write(store, settings::gamesPlayed, gamesPlayed_);
    settings::write(store, settings::gamesWon, gamesWon_);
    settings::write(store, settings::longestWinStreak, longestWinStreak_);
    settings::write(store, settings::longestLossStreak, longestLossStreak_);
    settings::write(store, settings::currentStreak, currentStreak_);
    settings::write(store, settings::longestGameSeconds, longestGameSeconds_);
    settings::write(store, settings::totalSeconds, totalSeconds_);
}

std::int32_t Statistics::runningTotalSeconds(std::uint32_t now) const
{
    return saturated(std::int64_t{totalSeconds_} + secondsSince(runStartTick_, now));
}

void Statistics::reset()
{
    gamesPlayed_ = gamesWon_ = longestWinStreak_ = longestLossStreak_ = 0;
    currentStreak_ = longestGameSeconds_ = totalSeconds_ = 0;
}

void Statistics::recordGameStarted()
{
    gamesPlayed_ = saturated(std::int64_t{gamesPlayed_} + 1);
}

void Statistics::recordFinishedGame(bool won, std::uint32_t seconds)
{
    if (won) {
        gamesWon_ = saturated(std::int64_t{gamesWon_} + 1);
        currentStreak_ = currentStreak_ < 0 ? 1 : saturated(std::int64_t{currentStreak_} + 1);
    } else {
        currentStreak_ = currentStreak_ > 0 ? -1 : saturated(std::int64_t{currentStreak_} - 1);
    }
    // A game lasts at most 2^32 ms, so its seconds always fit 32 signed bits.
    if (static_cast<std::int64_t>(seconds) > longestGameSeconds_)
        longestGameSeconds_ = static_cast<std::int32_t>(seconds);
    if (currentStreak_ > longestWinStreak_)
        longestWinStreak_ = currentStreak_;
    if (currentStreak_ < 0 && -currentStreak_ > longestLossStreak_)
        longestLossStreak_ = -currentStreak_;
}

} // namespace kubrix
