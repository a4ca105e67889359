// Cursor movement by screen direction over the cubes the player sees.
#include "core/scene/keyboard_cursor.h"

#include "core/game/board.h"
#include "core/scene/view_projection.h"

#include <cmath>
#include <limits>

namespace kubrix {

namespace {

// Ahead of this many pixels counts as lying that way; cubes straight behind one another
// project almost onto one point.
constexpr float kAheadPixels = 0.5F;
// A cube further off to the side than this many times its distance ahead is not that way.
constexpr float kWidestSideways = 2.0F;

// Covered cubes and the numbers still drawn: what the player sees of the block. An exposed
// cube without a label is empty space.
bool showsSomething(const Board& board, int index)
{
    const Cube& cube = board.cube(index);
    if (cube.covered != 0)
        return true;
    if (cube.neighbourBombs == 0)
        return false;
    bool bordersCovered = false;
    board.forEachNeighbour(board.positionOf(index), [&](int x, int y, int z) {
        bordersCovered = bordersCovered || board.cube(board.indexOf(x, y, z)).covered != 0;
    });
    return bordersCovered;
}

} // namespace

std::optional<int> KeyboardCursor::cube() const
{
    if (!shown_ || index_ < 0)
        return std::nullopt;
    return index_;
}

template <typename Score>
std::optional<int> KeyboardCursor::best(const ViewProjection& view, Score score)
{
    const Board& board = view.board();
    std::optional<int> found;
    float bestScore = std::numeric_limits<float>::infinity();
    for (int index = 0; index < board.cubeCount(); ++index) {
        if (!showsSomething(board, index))
            continue;
        const std::optional<ScreenPoint> at = view.projectCube(index);
        if (!at)
            continue;
        const std::optional<float> value = score(index, *at);
        // Only a cube that beats the best so far is worth the line of sight.
        if (value && *value < bestScore && view.sees(index)) {
            bestScore = *value;
            found = index;
        }
    }
    return found;
}

void KeyboardCursor::show(const ViewProjection& view)
{
    shown_ = true;
    if (index_ >= 0 && index_ < view.board().cubeCount())
        return;
    const float midX = static_cast<float>(view.clientWidth()) / 2.0F;
    const float midY = static_cast<float>(view.clientHeight()) / 2.0F;
    index_ = best(view, [&](int, const ScreenPoint& at) -> std::optional<float> {
                 // The nearer of two cubes equally far from the middle is the one in front.
                 return std::hypot(at.x - midX, at.y - midY) + at.depth * 0.001F;
             }).value_or(-1);
}

bool KeyboardCursor::move(ScreenDirection direction, const ViewProjection& view)
{
    if (index_ < 0 || index_ >= view.board().cubeCount()) {
        show(view);
        return index_ >= 0;
    }
    const std::optional<ScreenPoint> from = view.projectCube(index_);
    if (!from)
        return false;
    const float dx = direction == ScreenDirection::Right  ? 1.0F
                     : direction == ScreenDirection::Left ? -1.0F
                                                          : 0.0F;
    const float dy = direction == ScreenDirection::Down ? 1.0F
                     : direction == ScreenDirection::Up ? -1.0F
                                                        : 0.0F;
    const std::optional<int> next =
        best(view, [&](int index, const ScreenPoint& at) -> std::optional<float> {
            const float vx = at.x - from->x;
            const float vy = at.y - from->y;
            const float ahead = vx * dx + vy * dy;
            const float sideways = std::fabs(vx * dy - vy * dx);
            if (index == index_ || ahead < kAheadPixels || sideways > kWidestSideways * ahead)
                return std::nullopt;
            return ahead + 2.0F * sideways + at.depth * 0.001F;
        });
    if (!next)
        return false;
    index_ = *next;
    shown_ = true;
    return true;
}

} // namespace kubrix
