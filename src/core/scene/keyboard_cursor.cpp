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

struct Row {
    std::vector<Spot> spots; // left to right
    float top = 0.0F;
    float bottom = 0.0F;
};

// The cubes the cursor can land on, in rows as described in the header.
std::vector<Row> layOut(const ViewProjection& view)
{
    std::vector<Spot> spots;
    for (int index = 0; index < view.board().cubeCount(); ++index) {
        if (!view.showsCovered(index))
            continue;
        if (const std::optional<ScreenPoint> at = view.projectCube(index))
            spots.push_back({index, *at});
    }
    // Ties broken by the index, so the layout never depends on the order the cubes came in.
    std::sort(spots.begin(), spots.end(), [](const Spot& p, const Spot& q) {
        return p.at.y != q.at.y ? p.at.y < q.at.y : p.index < q.index;
    });
    std::vector<Row> rows;
    float limit = 0.0F;
    for (const Spot& spot : spots) {
        if (rows.empty() || spot.at.y - rows.back().top > limit) {
            rows.push_back({{}, spot.at.y, spot.at.y});
            limit = kRowHeight * view.pixelsPerUnit(spot.at.depth);
        }
        rows.back().spots.push_back(spot);
        rows.back().bottom = spot.at.y;
    }
    for (Row& row : rows)
        std::sort(row.spots.begin(), row.spots.end(), [](const Spot& p, const Spot& q) {
            return p.at.x != q.at.x ? p.at.x < q.at.x : p.index < q.index;
        });
    return rows;
}

// The cube of the row nearest across to x; of two as near, the one in front.
int nearestAcross(const Row& row, float x)
{
    const auto distance = [x](const Spot& spot) {
        return std::fabs(spot.at.x - x) + spot.at.depth * 0.001F;
    };
    return std::min_element(row.spots.begin(), row.spots.end(),
                            [&](const Spot& p, const Spot& q) { return distance(p) < distance(q); })
        ->index;
}

// The row a point of the view belongs to: its own, or, between rows, the nearer one.
const Row& homeRow(const std::vector<Row>& rows, float y)
{
    const auto gap = [y](const Row& row) { return std::max({row.top - y, y - row.bottom, 0.0F}); };
    return *std::min_element(rows.begin(), rows.end(),
                             [&](const Row& a, const Row& b) { return gap(a) < gap(b); });
}

// The next cube that way from the cube `index` showing at `from`, or -1.
int nextCube(const std::vector<Row>& rows, ScreenDirection direction, int index,
             const ScreenPoint& from)
{
    if (rows.empty())
        return -1;
    // Left and right in the row, by the order the row is sorted in.
    const auto after = [&](const Spot& spot) {
        return spot.at.x != from.x ? spot.at.x > from.x : spot.index > index;
    };
    switch (direction) {
    case ScreenDirection::Left: {
        const std::vector<Spot>& row = homeRow(rows, from.y).spots;
        const auto it = std::find_if(row.rbegin(), row.rend(), [&](const Spot& spot) {
            return spot.index != index && !after(spot);
        });
        return it == row.rend() ? -1 : it->index;
    }
    case ScreenDirection::Right: {
        const std::vector<Spot>& row = homeRow(rows, from.y).spots;
        const auto it = std::find_if(row.begin(), row.end(), [&](const Spot& spot) {
            return spot.index != index && after(spot);
        });
        return it == row.end() ? -1 : it->index;
    }
    case ScreenDirection::Up: {
        const auto it = std::find_if(rows.rbegin(), rows.rend(),
                                     [&](const Row& row) { return row.bottom < from.y; });
        return it == rows.rend() ? -1 : nearestAcross(*it, from.x);
    }
    case ScreenDirection::Down: {
        const auto it = std::find_if(rows.begin(), rows.end(),
                                     [&](const Row& row) { return row.top > from.y; });
        return it == rows.end() ? -1 : nearestAcross(*it, from.x);
    }
    }
    return -1;
}

// The covered cube seen nearest to a point of the view, or -1.
int nearestTo(const ViewProjection& view, float x, float y)
{
    int found = -1;
    float best = std::numeric_limits<float>::infinity();
    for (const Row& row : layOut(view)) {
        for (const Spot& spot : row.spots) {
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
    // None from a cube behind the eye.
    const std::optional<ScreenPoint> from = view.projectCube(index_);
    const int next = from ? nextCube(layOut(view), direction, index_, *from) : -1;
    if (next < 0)
        return false;
    index_ = next;
    shown_ = true;
    return true;
}

} // namespace kubrix
