// Where the block sits in front of the viewer: the projection and placement shared by every
// frame and by picking.
#pragma once

namespace kubrix {

// Eye-space numbers for one board size and one client area. The frustum is
// (-xExtent, xExtent, -yExtent, yExtent, nearPlane, farPlane); the model-view is a translation
// by (0, 0, centreZ), the view rotation, then a translation by the board offset, which puts the
// middle of the block on the rotation's origin.
struct CameraSetup {
    int maxSide = 0;   // M, the longest side of the board
    int radius = 0;    // sceneRadius / 2 + 2, the half-height the near plane must frame
    float centreZ = 0; // -2M, times the zoom's distance factor
    float nearPlane = 1;
    float farPlane = 0; // 2M beyond the centre: 4M at the usual distance
    float halfSize = 0; // radius / 2M: near-plane half-size before the aspect correction
    float xExtent = 0;
    float yExtent = 0;
    float offsetX = 0; // -width / 2
    float offsetY = 0; // -height / 2
    float offsetZ = 0; // -depth / 2
};

// The shorter side of the client area gets halfSize, the longer one is stretched by the
// aspect ratio, so the block keeps its shape and always fits the narrower direction.
// distance scales the camera's distance from the block's centre (the player's zoom, 1 as the
// block has always been shown); the far plane moves with it so the whole block stays inside.
CameraSetup cameraFor(int width, int height, int depth, int sceneRadius, int clientW, int clientH,
                      float distance = 1.0F);

} // namespace kubrix
