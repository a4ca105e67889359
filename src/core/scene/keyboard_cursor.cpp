// Cursor movement by screen direction over the covered cubes the player sees.
#include "core/scene/keyboard_cursor.h"

#include "core/game/board.h"
#include "core/scene/view_projection.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace kubrix {

namespace {

// A row takes cubes up to this part of a cube's height below its first one; cubes of one row
// of a face seen askew stay together, the rows of a face seen straight stay apart.
constexpr float kRowHeight = 0.5F;

struct Spot {
    int index = -1;
    ScreenPoint at;
};

using Rows = std::vector<std::vector<Spot>>;

// The cubes the cursor can land on, and the one it is on, in rows as described in the header.
Rows layOut(const ViewProjection& view, int current)
{
    std::vector<Spot> spots;
    for (int index = 0; index < view.board().cubeCount(); ++index) {
        if (index != current && !view.showsCovered(index))
            continue;
        if (const std::optional<ScreenPoint> at = view.projectCube(index))
            spots.push_back({index, *at});
    }
    // Ties broken by the index, so the layout never depends on the order the cubes came in.
    const auto before = [](float a, float b, const Spot& p, const Spot& q) {
        return a != b ? a < b : p.index < q.index;
    };
    std::sort(spots.begin(), spots.end(),
              [&](const Spot& p, const Spot& q) { return before(p.at.y, q.at.y, p, q); });
    Rows rows;
    float rowTop = 0.0F;
    float rowLimit = 0.0F;
    for (const Spot& spot : spots) {
        if (rows.empty() || spot.at.y - rowTop > rowLimit) {
            rows.emplace_back();
            rowTop = spot.at.y;
            rowLimit = kRowHeight * view.pixelsPerUnit(spot.at.depth);
        }
        rows.back().push_back(spot);
    }
    for (std::vector<Spot>& row : rows)
        std::sort(row.begin(), row.end(),
                  [&](const Spot& p, const Spot& q) { return before(p.at.x, q.at.x, p, q); });
    return rows;
}

// The cube of the row nearest across to x; of two as near, the one in front.
int nearestAcross(const std::vector<Spot>& row, float x)
{
    const auto distance = [x](const Spot& spot) {
        return std::fabs(spot.at.x - x) + spot.at.depth * 0.001F;
    };
    return std::min_element(row.begin(), row.end(),
                            [&](const Spot& p, const Spot& q) { return distance(p) < distance(q); })
        ->index;
}

// The covered cube seen nearest to a point of the view, or -1.
int nearestTo(const ViewProjection& view, float x, float y)
{
    int found = -1;
    float best = std::numeric_limits<float>::infinity();
    for (const std::vector<Spot>& row : layOut(view, -1)) {
        for (const Spot& spot : row) {
            // The nearer of two cubes equally far from the point is the one in front.
            const float d = std::hypot(spot.at.x - x, spot.at.y - y) + spot.at.depth * 0.001F;
            if (d < best) {
                best = d;
                found = spot.index;
            }
        }
    }
    return found;
}

} // namespace

std::optional<int> KeyboardCursor::cube() const
{
    if (!shown_ || index_ < 0)
        return std::nullopt;
    return index_;
}

void KeyboardCursor::show(const ViewProjection& view)
{
    shown_ = true;
    const Board& board = view.board();
    if (index_ >= 0 && index_ < board.cubeCount()) {
        const bool exposed = board.cube(index_).covered == 0;
        if (!view.peeled(index_) && (exposed || view.sees(index_)))
            return;
        if (const std::optional<ScreenPoint> at = view.projectCube(index_)) {
            index_ = nearestTo(view, at->x, at->y);
            return;
        }
    }
    index_ = nearestTo(view, static_cast<float>(view.clientWidth()) / 2.0F,
                       static_cast<float>(view.clientHeight()) / 2.0F);
}

bool KeyboardCursor::move(ScreenDirection direction, const ViewProjection& view)
{
    if (index_ < 0 || index_ >= view.board().cubeCount()) {
        show(view);
        return index_ >= 0;
    }
    const Rows rows = layOut(view, index_);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::vector<Spot>& row = rows[r];
        const auto here = std::find_if(row.begin(), row.end(),
                                       [&](const Spot& spot) { return spot.index == index_; });
        if (here == row.end())
            continue;
        int next = -1;
        if (direction == ScreenDirection::Left && here != row.begin())
            next = std::prev(here)->index;
        else if (direction == ScreenDirection::Right && std::next(here) != row.end())
            next = std::next(here)->index;
        else if (direction == ScreenDirection::Up && r > 0)
            next = nearestAcross(rows[r - 1], here->at.x);
        else if (direction == ScreenDirection::Down && r + 1 < rows.size())
            next = nearestAcross(rows[r + 1], here->at.x);
        if (next < 0)
            return false;
        index_ = next;
        shown_ = true;
        return true;
    }
    return false; // the cursor's cube lies behind the eye
}

} // namespace kubrix
