// The difficulty presets and the limits of a custom board.
#pragma once

#include "core/game/board.h"

#include <optional>
#include <string_view>

namespace kubrix {

inline constexpr int kLevelBeginner = 0;
inline constexpr int kLevelIntermediate = 1;
inline constexpr int kLevelExpert = 2;
inline constexpr int kLevelCustom = 4;
inline constexpr int kMaxCustomBombs = 500;

struct BoardSize {
    int width = 0;
    int height = 0;
    int depth = 0;
    int bombs = 0;

    friend bool operator==(const BoardSize&, const BoardSize&) = default;
};

// Levels 0..2; nothing for any other value.
std::optional<BoardSize> presetOf(int level);
// The level a game on that board plays as: a standard level only on its own board, so that a
// hand-made file can never claim a fastest time; Custom otherwise.
int levelOn(int level, const BoardSize& board);
// Only the standard levels keep fastest times.
bool keepsRecords(int level);
// "beginner", "intermediate", "expert"; empty for any other level.
std::string_view levelName(int level);

struct CountRange {
    int least = 0;
    int most = 0;
};

// The "Custom Settings" dialog's reading of one box: a decimal integer, anything else 0.
int readDialogNumber(std::string_view text);
// What the dialog allows for each side.
inline constexpr CountRange kCustomSideRange{1, Board::kMaxSide};
// What the dialog allows for the bombs once each side is limited: at least 1 and at most
// min(cubes - 1, 500), so a single cube holds none.
CountRange customBombRange(int width, int height, int depth);
// Every value limited to its range.
BoardSize clampCustomSize(BoardSize requested);

} // namespace kubrix
