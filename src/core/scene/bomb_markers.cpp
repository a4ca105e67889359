// Collects the covered bombs of a lost game for the bomb drawer.
#include "core/scene/bomb_markers.h"

#include "core/game/board.h"
#include "core/game/cube.h"

namespace kubrix {

void BombMarkers::build(const Board& board, bool gameLost, Colour tint, const Peel& peel)
{
    tint_ = tint;
    width_ = static_cast<float>(board.width());
    height_ = static_cast<float>(board.height());
    depth_ = static_cast<float>(board.depth());
    records_.clear();
    if (!gameLost)
        return;

    const int peelSide = peel.sideOf(board.width(), board.height(), board.depth());
    const std::vector<Cube>& cubes = board.cubes();
    for (int index = 0; index < static_cast<int>(cubes.size()); ++index) {
        const Cube& cube = cubes[static_cast<std::size_t>(index)];
        if (cube.covered == 0 || cube.bomb == 0)
            continue;
        const CubePosition at = board.positionOf(index);
        if (peel.hides(at.x, at.y, at.z, peelSide))
            continue;
        records_.push_back({at.x, at.y, at.z, index, 0.0F, cube.marked, cube.intact});
    }
}

} // namespace kubrix
