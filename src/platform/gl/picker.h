// Finds the covered cube under a point of the board view by drawing the surface mesh once more in
// OpenGL's selection mode, and hands that cube to the game.
#pragma once

#include "core/scene/quaternion.h"

#include <optional>

namespace kubrix {

class BoardDrawer;
class Game;
class RenderContext;

// What the cube under the point is for: the highlight of a resting pointer, a left click or a
// right click.
enum class PickMode { Hover, Expose, Mark };

// The camera is the visible frame's: the same extents for the same client size and the same
// placement of the block, so the cube picked is the cube the player sees under the pointer.
class Picker {
public:
    Picker(RenderContext& context, BoardDrawer& drawer);

    // x, y are client pixels with y growing downwards, in the units of clientWidth and
    // clientHeight, which must be the size the visible frame was drawn at. Hover sets the hover
    // index to the cube found or to -1; expose and mark act only on a cube found. Returns the
    // game operation's result (1 when something changed), 0 when nothing was called: no
    // context (then even the hover index stays as it was) or no cube for expose and mark.
    int pickCube(Game& game, const Quaternion& viewRotation, int clientWidth, int clientHeight,
                 int x, int y, PickMode mode);

    // The selection pass alone: the cube index under the point, or none. The context keeps the
    // result in hitValid and pickedName. Needs the context current and ready (else none).
    std::optional<int> cubeAt(const Game& game, const Quaternion& viewRotation, int clientWidth,
                              int clientHeight, int x, int y);

    // On: draws that follow only record hits near (x, y) into the context's selection buffer,
    // under the name 0xFFFFFFFF until a strip loads its own. Off: back to drawing, and the hits
    // are evaluated; more hits than the buffer holds count as none.
    void setSelectMode(bool on, int x, int y);

private:
    RenderContext& context_;
    BoardDrawer& drawer_;
};

} // namespace kubrix
