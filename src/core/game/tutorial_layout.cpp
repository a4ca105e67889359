// The fixed 4 x 4 x 4 board that the tutorial plays.
#include "core/game/tutorial_layout.h"

namespace kubrix {

namespace {

constexpr std::array<int, kTutorialBombs> kBombIndices{4, 9, 12, 20, 27, 59};

// By cube index, one z layer per row.
constexpr std::array<std::uint8_t, kTutorialCubes> kNeighbourBombs{
    2, 2, 0, 0, 2, 3, 2, 1, 4, 3, 2, 1, 1, 2, 2, 1, //
    2, 2, 0, 0, 2, 3, 2, 1, 4, 4, 2, 0, 2, 2, 2, 1, //
    1, 1, 0, 0, 1, 1, 2, 2, 1, 1, 2, 2, 0, 0, 2, 2, //
    0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 1, 1, //
};

} // namespace

std::array<Cube, kTutorialCubes> tutorialLayout()
{
    std::array<Cube, kTutorialCubes> cubes{};
    for (std::size_t i = 0; i < cubes.size(); ++i)
        cubes[i].neighbourBombs = kNeighbourBombs[i];
    for (const int index : kBombIndices)
        cubes[static_cast<std::size_t>(index)].bomb = 1;
    return cubes;
}

} // namespace kubrix
