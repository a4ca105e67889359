// The frame's perspective on the processor, and lines of sight through the block.
#include "core/scene/view_projection.h"

#include "core/game/board.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kubrix {

namespace {

Vec3 rotated(const Matrix4& m, const Vec3& v)
{
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z, m[1] * v.x + m[5] * v.y + m[9] * v.z,
            m[2] * v.x + m[6] * v.y + m[10] * v.z};
}

} // namespace

ViewProjection::ViewProjection(const Board& board, const Quaternion& viewRotation, int clientWidth,
                               int clientHeight, float distance, const Peel& peel)
    : board_(board), rotation_(toMatrix(viewRotation)),
      camera_(cameraFor(board.width(), board.height(), board.depth(), board.sceneRadius(),
                        clientWidth, clientHeight, distance)),
      peel_(peel), width_(std::max(clientWidth, 1)), height_(std::max(clientHeight, 1))
{
    // The eye sits at the origin of eye space; turned back into the block's coordinates.
    const Vec3 back = rotated(toMatrix(inverse(viewRotation)), {0.0F, 0.0F, -camera_.centreZ});
    eye_ = {back.x - camera_.offsetX, back.y - camera_.offsetY, back.z - camera_.offsetZ};
}

std::optional<ScreenPoint> ViewProjection::project(const Vec3& p) const
{
    const Vec3 e =
        rotated(rotation_, {p.x + camera_.offsetX, p.y + camera_.offsetY, p.z + camera_.offsetZ});
    const float depth = -(e.z + camera_.centreZ);
    if (depth <= 0.0F)
        return std::nullopt;
    const float ndcX = camera_.nearPlane * e.x / depth / camera_.xExtent;
    const float ndcY = camera_.nearPlane * e.y / depth / camera_.yExtent;
    return ScreenPoint{(ndcX + 1.0F) * 0.5F * static_cast<float>(width_),
                       (1.0F - ndcY) * 0.5F * static_cast<float>(height_), depth};
}

std::optional<ScreenPoint> ViewProjection::projectCube(int index) const
{
    const CubePosition at = board_.positionOf(index);
    return project({static_cast<float>(at.x) + 0.5F, static_cast<float>(at.y) + 0.5F,
                    static_cast<float>(at.z) + 0.5F});
}

float ViewProjection::pixelsPerUnit(float depth) const
{
    return camera_.nearPlane / std::max(depth, 0.001F) / camera_.xExtent * 0.5F *
           static_cast<float>(width_);
}

bool ViewProjection::peeled(int index) const
{
    const CubePosition at = board_.positionOf(index);
    return peel_.hides(at.x, at.y, at.z,
                       peel_.sideOf(board_.width(), board_.height(), board_.depth()));
}

bool ViewProjection::showsCovered(int index) const
{
    return board_.cube(index).covered != 0 && !peeled(index) && sees(index);
}

bool ViewProjection::sees(int index) const
{
    // Walks the cells the line crosses, one cell boundary at a time; the block is a box and
    // the eye lies outside it, so a line that has left the block meets nothing more.
    const CubePosition start = board_.positionOf(index);
    std::array<int, 3> cell{start.x, start.y, start.z};
    const std::array<float, 3> direction{eye_.x - (static_cast<float>(start.x) + 0.5F),
                                         eye_.y - (static_cast<float>(start.y) + 0.5F),
                                         eye_.z - (static_cast<float>(start.z) + 0.5F)};
    constexpr float kNever = std::numeric_limits<float>::infinity();
    std::array<int, 3> step{};
    std::array<float, 3> next{};
    std::array<float, 3> across{};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const float d = std::fabs(direction[axis]);
        step[axis] = direction[axis] > 0.0F ? 1 : -1;
        across[axis] = d > 0.0F ? 1.0F / d : kNever;
        next[axis] = d > 0.0F ? 0.5F / d : kNever;
    }
    for (;;) {
        const auto axis =
            static_cast<std::size_t>(std::min_element(next.begin(), next.end()) - next.begin());
        if (next[axis] > 1.0F)
            return true;
        cell[axis] += step[axis];
        next[axis] += across[axis];
        if (!board_.contains(cell[0], cell[1], cell[2]))
            return true;
        const int crossed = board_.indexOf(cell[0], cell[1], cell[2]);
        if (board_.cube(crossed).covered != 0 && !peeled(crossed))
            return false;
    }
}

} // namespace kubrix
