// How the statistics and the fastest times read.
#include "core/game/score_texts.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace kubrix {

std::string durationText(std::int64_t seconds)
{
    seconds = std::max<std::int64_t>(seconds, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%02" PRId64 ":%02" PRId64 ":%02" PRId64, seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

std::string streakText(std::int32_t streak)
{
    // Widened first: the most negative streak has no positive 32-bit twin.
    const std::int64_t length = streak;
    return std::to_string(length < 0 ? -length : length) + (length < 0 ? " Losses" : " Wins");
}

std::string recordTimeText(std::int32_t seconds)
{
    seconds = std::max(seconds, 0);
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    return text;
}

std::int64_t averageGameSeconds(std::int64_t totalSeconds, std::int32_t gamesPlayed)
{
    return gamesPlayed > 0 ? totalSeconds / gamesPlayed : 0;
}

} // namespace kubrix
