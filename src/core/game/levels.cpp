// The difficulty presets and the limits of a custom board.
#include "core/game/levels.h"

#include "core/game/board.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kubrix {

namespace {
constexpr std::array<BoardSize, 3> kPresets{{{4, 4, 4, 6}, {6, 6, 6, 23}, {8, 8, 8, 60}}};
constexpr std::array<std::string_view, 3> kNames{"beginner", "intermediate", "expert"};

int clampSide(int side)
{
    return std::clamp(side, kCustomSideRange.least, kCustomSideRange.most);
}
} // namespace

std::optional<BoardSize> presetOf(int level)
{
    if (!keepsRecords(level))
        return std::nullopt;
    return kPresets[static_cast<std::size_t>(level)];
}

int levelOn(int level, const BoardSize& board)
{
    return presetOf(level) == board ? level : kLevelCustom;
}

bool keepsRecords(int level)
{
    return level >= kLevelBeginner && level <= kLevelExpert;
}

std::string_view levelName(int level)
{
    return keepsRecords(level) ? kNames[static_cast<std::size_t>(level)] : std::string_view{};
}

int readDialogNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

CountRange customBombRange(int width, int height, int depth)
{
    const int most = std::min(
        Board::mostBombs(clampSide(width), clampSide(height), clampSide(depth)), kMaxCustomBombs);
    return {std::min(1, most), most};
}

BoardSize clampCustomSize(BoardSize requested)
{
    BoardSize size{clampSide(requested.width), clampSide(requested.height),
                   clampSide(requested.depth), 0};
    const CountRange bombs = customBombRange(size.width, size.height, size.depth);
    size.bombs = std::clamp(requested.bombs, bombs.least, bombs.most);
    return size;
}

} // namespace kubrix
