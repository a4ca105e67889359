// Zoom limits, the facing side and the peeled layers of the view.
#include "core/scene/view_state.h"

#include <algorithm>
#include <cmath>

namespace kubrix {

namespace {

// The camera's near plane, in cubes from the eye (see cameraFor).
constexpr float kNearPlane = 1.0F;
// How far beyond the near plane the nearest corner stays at the closest zoom.
constexpr float kNearMargin = 1.0F;

} // namespace

float ViewState::nearestDistance(BlockSize size)
{
    const int longest = std::max({size.width, size.height, size.depth, 1});
    const double halfDiagonal =
        std::sqrt(double(size.width) * size.width + double(size.height) * size.height +
                  double(size.depth) * size.depth) /
        2.0;
    // The usual distance is 2M; the corner turned straight at the viewer is halfDiagonal nearer.
    const double nearest = (halfDiagonal + kNearPlane + kNearMargin) / (2.0 * longest);
    return static_cast<float>(std::min(nearest, 1.0));
}

Peel ViewState::facing(const Quaternion& viewRotation)
{
    // The viewer looks along eye-space -z; the model-view's third row is the board direction
    // towards the viewer.
    const Matrix4 m = toMatrix(viewRotation);
    const float towards[3] = {m[2], m[6], m[10]};
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (std::fabs(towards[a]) > std::fabs(towards[axis]))
            axis = a;
    return {axis, towards[axis] < 0.0F ? -1 : 1, 0};
}

float ViewState::distance(BlockSize size) const
{
    return std::clamp(distance_, nearestDistance(size), kFarthest);
}

void ViewState::zoom(float notches, BlockSize size)
{
    if (!std::isfinite(notches))
        return;
    // Starting from the clamped value, a press at a limit does not have to be undone first.
    const float moved = distance(size) * std::pow(kZoomStep, -notches);
    distance_ = std::clamp(moved, nearestDistance(size), kFarthest);
}

bool ViewState::follow(const Quaternion& viewRotation)
{
    const Peel now = facing(viewRotation);
    if (now.axis == peel_.axis && now.sign == peel_.sign)
        return false;
    const bool wasPeeled = peel_.layers > 0;
    peel_ = now;
    return wasPeeled;
}

bool ViewState::peelLayer(BlockSize size)
{
    if (peel_.layers >= peel_.sideOf(size.width, size.height, size.depth) - 1)
        return false;
    ++peel_.layers;
    return true;
}

bool ViewState::restoreLayer()
{
    if (peel_.layers <= 0)
        return false;
    --peel_.layers;
    return true;
}

bool ViewState::showAllLayers()
{
    const bool wasPeeled = peel_.layers > 0;
    peel_.layers = 0;
    return wasPeeled;
}

std::string ViewState::layerCaption(BlockSize size) const
{
    if (peel_.layers <= 0)
        return {};
    return "layer " + std::to_string(peel_.layers + 1) + " / " +
           std::to_string(peel_.sideOf(size.width, size.height, size.depth));
}

void ViewState::reset()
{
    distance_ = 1.0F;
    peel_.layers = 0;
}

} // namespace kubrix
