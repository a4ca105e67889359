// The fixed 4 x 4 x 4 board that the tutorial plays.
#pragma once

#include "core/game/cube.h"

#include <array>

namespace kubrix {

inline constexpr int kTutorialSide = 4;
inline constexpr int kTutorialBombs = 6;
inline constexpr int kTutorialCubes = kTutorialSide * kTutorialSide * kTutorialSide;

// Every record of the tutorial board: fresh cubes with bombs at indices 4, 9, 12, 20, 27 and
// 59, each carrying its stored neighbour count.
std::array<Cube, kTutorialCubes> tutorialLayout();

} // namespace kubrix
