// The projection and placement of the block for a board size and a client area.
#include "core/scene/camera.h"

#include <algorithm>
#include <cmath>

namespace kubrix {

CameraSetup cameraFor(int width, int height, int depth, int sceneRadius, int clientW, int clientH,
                      float distance)
{
    CameraSetup camera;
    camera.maxSide = std::max({width, height, depth});
    camera.radius = sceneRadius / 2 + 2;
    const float twiceSide = 2.0F * static_cast<float>(camera.maxSide);
    camera.centreZ = -twiceSide * distance;
    camera.nearPlane = 1.0F;
    camera.farPlane = twiceSide * distance + twiceSide;
    // An empty board would put the block inside the eye; one cube's worth keeps the maths finite.
    const double twiceM = 2.0 * std::max(camera.maxSide, 1);
    camera.halfSize = static_cast<float>(std::tan(std::atan2(double(camera.radius), twiceM)));

    // A minimised window reports a zero side; the ratio must stay finite all the same.
    const float w = static_cast<float>(std::max(clientW, 1));
    const float h = static_cast<float>(std::max(clientH, 1));
    if (w > h) {
        camera.xExtent = camera.halfSize * w / h;
        camera.yExtent = camera.halfSize;
    } else {
        camera.xExtent = camera.halfSize;
        camera.yExtent = camera.halfSize * h / w;
    }

    camera.offsetX = -static_cast<float>(width) / 2.0F;
    camera.offsetY = -static_cast<float>(height) / 2.0F;
    camera.offsetZ = -static_cast<float>(depth) / 2.0F;
    return camera;
}

} // namespace kubrix
