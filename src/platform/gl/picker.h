// Finds the covered cube under a point of the board view by drawing the surface mesh once more in
// OpenGL's selection mode.
#pragma once

#include "core/scene/quaternion.h"

#include <optional>

namespace kubrix {

class BoardDrawer;
class Game;
class RenderContext;

// Answers which cube is under a point and does nothing with it. The camera is the visible
// frame's: the same extents for the same client size and the same placement of the block, so
// the cube picked is the cube the player sees under the pointer.
class Picker {
public:
    Picker(RenderContext& context, BoardDrawer& drawer);

    // x, y are client pixels with y growing downwards, in the units of clientWidth and
    // clientHeight, which must be the size the visible frame was drawn at. The cube index under
    // the point, or none; none as well while the context is not ready. Needs the context
    // current. distance is the frame's zoom.
    std::optional<int> cubeAt(const Game& game, const Quaternion& viewRotation, int clientWidth,
                              int clientHeight, int x, int y, float distance = 1.0F);

private:
    RenderContext& context_;
    BoardDrawer& drawer_;
};

} // namespace kubrix
