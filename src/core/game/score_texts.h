// How the statistics and the fastest times read in their dialogs.
#pragma once

#include <cstdint>
#include <string>

namespace kubrix {

// "%02d:%02d:%02d" hours, minutes, seconds; the hours are not limited. A stored value below
// zero (only a hand-edited store has one) reads as zero.
std::string durationText(std::int64_t seconds);
// "%d Wins" for a streak of 0 or more, "%d Losses" for a losing one.
std::string streakText(std::int32_t streak);
// "%02d:%02d" minutes and seconds, the minutes not limited: no record (59999) reads 999:59.
std::string recordTimeText(std::int32_t seconds);
// The running total over the games played (whole seconds), 0 before the first game.
std::int64_t averageGameSeconds(std::int64_t totalSeconds, std::int32_t gamesPlayed);

} // namespace kubrix
