// Keeps a coarse record of the screen covered by the cubes drawn so far and answers whether a
// cube still has a pixel to show.
#include "core/scene/occlusion_culler.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace kubrix {

namespace {

constexpr double kMinimumW = 1e-6;
// Pixels added around what a cube may draw, and kept inside what it surely covers.
constexpr double kMargin = 1.0;
// Depths this close count as a tie, and a tie is not hidden.
constexpr double kDepthSlack = 1e-6;
constexpr float kEmpty = std::numeric_limits<float>::infinity();

using Corners = std::array<double, 8 * 3>;

double cross(double ox, double oy, double ax, double ay, double bx, double by)
{
    return (ax - ox) * (by - oy) - (ay - oy) * (bx - ox);
}

} // namespace

OcclusionCuller::Bounds OcclusionCuller::boundsOf(const Point* corners)
{
    Bounds b{corners[0].x, corners[0].x,     corners[0].y,
             corners[0].y, corners[0].depth, corners[0].depth};
    for (int i = 1; i < 8; ++i) {
        b.left = std::min(b.left, corners[i].x);
        b.right = std::max(b.right, corners[i].x);
        b.bottom = std::min(b.bottom, corners[i].y);
        b.top = std::max(b.top, corners[i].y);
        b.nearest = std::min(b.nearest, corners[i].depth);
        b.farthest = std::max(b.farthest, corners[i].depth);
    }
    return b;
}

void OcclusionCuller::begin(const Matrix4d& projection, const Matrix4d& modelView, int width,
                            int height, double reach)
{
    matrix_ = product(projection, modelView);
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    columns_ = (width_ + kCell - 1) / kCell;
    rows_ = (height_ + kCell - 1) / kCell;
    reach_ = reach;
    cells_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), kEmpty);
}

bool OcclusionCuller::project(double x, double y, double z, double size, double grow,
                              Point* corners) const
{
    const Matrix4d& m = matrix_;
    for (int bits = 0; bits < 8; ++bits) {
        const double px = x + ((bits & 1) != 0 ? size + grow : -grow);
        const double py = y + ((bits & 2) != 0 ? size + grow : -grow);
        const double pz = z + ((bits & 4) != 0 ? size + grow : -grow);
        const double cx = m[0] * px + m[4] * py + m[8] * pz + m[12];
        const double cy = m[1] * px + m[5] * py + m[9] * pz + m[13];
        const double cz = m[2] * px + m[6] * py + m[10] * pz + m[14];
        const double cw = m[3] * px + m[7] * py + m[11] * pz + m[15];
        if (!(cw > kMinimumW))
            return false;
        corners[bits] = {(cx / cw + 1.0) * 0.5 * width_, (cy / cw + 1.0) * 0.5 * height_, cz / cw};
    }
    return true;
}

bool OcclusionCuller::admit(int x, int y, int z)
{
    if (cells_.empty())
        return true;
    std::array<Point, 8> corners{};
    if (!project(x, y, z, 1.0, reach_, corners.data()))
        return true;
    if (hidden(corners.data()))
        return false;
    if (project(x, y, z, 1.0, 0.0, corners.data()))
        cover(corners.data());
    return true;
}

bool OcclusionCuller::hides(float x, float y, float z, float half) const
{
    if (cells_.empty())
        return false;
    // A square turned any way about its centre stays inside the cube around its circle.
    const double r = half * std::numbers::sqrt2;
    std::array<Point, 8> corners{};
    return project(x - r, y - r, z - r, 2.0 * r, 0.0, corners.data()) && hidden(corners.data());
}

bool OcclusionCuller::hidden(const Point* corners) const
{
    auto [left, right, bottom, top, nearest, farthest] = boundsOf(corners);
    left -= kMargin;
    bottom -= kMargin;
    right += kMargin;
    top += kMargin;
    // Wholly off the viewport: nothing of it is rasterised.
    if (right < 0.0 || top < 0.0 || left > width_ || bottom > height_)
        return true;
    const int c0 = std::clamp(static_cast<int>(std::floor(left / kCell)), 0, columns_ - 1);
    const int c1 = std::clamp(static_cast<int>(std::floor(right / kCell)), 0, columns_ - 1);
    const int r0 = std::clamp(static_cast<int>(std::floor(bottom / kCell)), 0, rows_ - 1);
    const int r1 = std::clamp(static_cast<int>(std::floor(top / kCell)), 0, rows_ - 1);
    const double limit = nearest - kDepthSlack;
    for (int r = r0; r <= r1; ++r) {
        const float* row = cells_.data() + static_cast<std::size_t>(r) * columns_;
        for (int c = c0; c <= c1; ++c)
            if (!(row[c] < limit))
                return false;
    }
    return true;
}

void OcclusionCuller::cover(const Point* corners)
{
    // The outline of a box on the screen is the convex hull of its corners, taken here
    // counter-clockwise (Andrew's monotone chain).
    std::array<Point, 8> sorted{};
    std::copy(corners, corners + 8, sorted.begin());
    std::sort(sorted.begin(), sorted.end(), [](const Point& a, const Point& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    std::array<Point, 16> hull{};
    int n = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const int floor = n;
        for (int k = 0; k < 8; ++k) {
            const Point& p = sorted[static_cast<std::size_t>(pass == 0 ? k : 7 - k)];
            while (n >= floor + 2 &&
                   cross(hull[n - 2].x, hull[n - 2].y, hull[n - 1].x, hull[n - 1].y, p.x, p.y) <= 0)
                --n;
            hull[static_cast<std::size_t>(n++)] = p;
        }
        --n; // the last point of each chain starts the other
    }
    if (n < 3)
        return;

    const auto [left, right, bottom, top, nearest, farthest] = boundsOf(corners);
    const int c0 = std::max(static_cast<int>(std::ceil((left + kMargin) / kCell)), 0);
    const int c1 =
        std::min(static_cast<int>(std::floor((right - kMargin) / kCell)) - 1, columns_ - 1);
    const int r0 = std::max(static_cast<int>(std::ceil((bottom + kMargin) / kCell)), 0);
    const int r1 = std::min(static_cast<int>(std::floor((top - kMargin) / kCell)) - 1, rows_ - 1);
    if (c0 > c1 || r0 > r1)
        return;
    // Edge e of the hull, from a to b, is the line E(p) = A px + B py + C = 0 with the inside
    // where E >= 0. A cell's square [4c - m, 4c + 4 + m] x [4r - m, 4r + 4 + m] is inside when
    // the corner where E is least is: that corner's E grows by 4A per column and 4B per row,
    // so on each row the edge bounds the columns from one side.
    struct Edge {
        double perColumn;
        double perRow;
        double atOrigin; // E of the least corner of cell (0, 0)
    };
    std::array<Edge, 8> edges{};
    for (int e = 0; e < n; ++e) {
        const Point& a = hull[static_cast<std::size_t>(e)];
        const Point& b = hull[static_cast<std::size_t>((e + 1) % n)];
        const double A = a.y - b.y;
        const double B = b.x - a.x;
        const double ox = A >= 0.0 ? -kMargin : kCell + kMargin;
        const double oy = B >= 0.0 ? -kMargin : kCell + kMargin;
        edges[static_cast<std::size_t>(e)] = {A * kCell, B * kCell,
                                              A * (ox - a.x) + B * (oy - a.y)};
    }
    const auto depth = static_cast<float>(farthest);
    for (int r = r0; r <= r1; ++r) {
        double from = c0;
        double to = c1;
        for (int e = 0; e < n && from <= to; ++e) {
            const Edge& edge = edges[static_cast<std::size_t>(e)];
            const double base = edge.atOrigin + edge.perRow * r;
            if (edge.perColumn > 0.0)
                from = std::max(from, std::ceil(-base / edge.perColumn));
            else if (edge.perColumn < 0.0)
                to = std::min(to, std::floor(-base / edge.perColumn));
            else if (base < 0.0)
                to = from - 1.0;
        }
        float* row = cells_.data() + static_cast<std::size_t>(r) * columns_;
        for (auto c = static_cast<int>(from); c <= static_cast<int>(to); ++c)
            row[c] = std::min(row[c], depth);
    }
}

} // namespace kubrix
