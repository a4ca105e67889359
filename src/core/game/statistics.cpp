// The player's lifetime statistics.
#include "core/game/statistics.h"

#include "core/base/settings_table.h"

namespace kubrix {

namespace {
std::int32_t secondsSince(std::uint32_t start, std::uint32_t now)
{
    return static_cast<std::int32_t>((now - start) / 1000U);
}
} // namespace

void Statistics::load(const SettingsStore& store, std::uint32_t now)
{
    gamesPlayed_ = settings::read(store, settings::gamesPlayed);
    gamesWon_ = settings::read(store, settings::gamesWon);
    longestWinStreak_ = settings::read(store, settings::longestWinStreak);
    longestLossStreak_ = settings::read(store, settings::longestLossStreak);
    currentStreak_ = settings::read(store, settings::currentStreak);
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
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(totalSeconds_) +
                                     static_cast<std::uint32_t>(secondsSince(runStartTick_, now)));
}

void Statistics::reset()
{
    gamesPlayed_ = gamesWon_ = longestWinStreak_ = longestLossStreak_ = 0;
    currentStreak_ = longestGameSeconds_ = totalSeconds_ = 0;
}

void Statistics::recordFinishedGame(bool won, std::uint32_t seconds)
{
    if (won) {
        ++gamesWon_;
        currentStreak_ = currentStreak_ < 0 ? 1 : currentStreak_ + 1;
    } else {
        currentStreak_ = currentStreak_ > 0 ? -1 : currentStreak_ - 1;
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
