// The block of Width x Height x Depth cubes: indexing, bomb placement, neighbour counts, the
// win test, and the revision by which whoever shows the board sees that it changed.
#pragma once

#include "core/base/clock.h"
#include "core/game/cube.h"
#include "core/game/rand15.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

struct CubePosition {
    int x = 0;
    int y = 0;
    int z = 0;
};

class Board {
public:
    static constexpr int kMaxSide = 20;
    static constexpr int kMaxCubes = kMaxSide * kMaxSide * kMaxSide;

    explicit Board(const Clock& clock);

    // Places bombCount bombs by rejection, never on excludedIndex (-1 for none), and never
    // more bombs than there are cubes that may hold one.
    void generate(int width, int height, int depth, int bombCount, int excludedIndex);
    void regenerateExcluding(int bombCount, int excludedIndex);
    // Places the bombs of a layout drawn elsewhere (one flag per cube index, true: a bomb) on
    // fresh cubes of the current size and counts the neighbours. Refuses, changing nothing, a
    // layout of another size, with other than bombCount bombs, or with a bomb on keptFree.
    bool installLayout(const std::vector<bool>& layout, int bombCount, int keptFree);
    // Copies width x height x depth records as they are (no counting). Refuses, changing
    // nothing, a size outside 1..kMaxSide or fewer records than the size needs.
    bool restore(int width, int height, int depth, std::span<const Cube> records);
    // The win test: no covered cube without a bomb remains. Marks do not matter: a safe cube
    // left covered under an 'X' or a '?' still keeps the game open.
    bool allSafeCubesExposed() const;

    // Every side in 1..kMaxSide.
    static bool fits(int width, int height, int depth);
    // The most bombs a game on a board of a size that fits holds: every cube but the one its
    // first exposure keeps free. A game asking for more is given this many, so that its counter
    // tells the truth.
    static int mostBombs(int width, int height, int depth);
    // What restore accepts: a size that fits and at least as many records as it needs.
    static bool canRestore(int width, int height, int depth, std::size_t recordCount);

    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; }
    int cubeCount() const { return width_ * height_ * depth_; }
    // ceil(sqrt(w² + h² + d²)): the camera places the block by it.
    int sceneRadius() const;

    bool contains(int x, int y, int z) const;
    int indexOf(int x, int y, int z) const { return (z * height_ + y) * width_ + x; }
    CubePosition positionOf(int index) const;
    // Calls visit(x, y, z) for each of the up to 26 neighbours inside the block, dx outermost
    // and dz innermost: the order the flood and the counts have always taken.
    template <typename Visit> void forEachNeighbour(CubePosition at, Visit visit) const
    {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz)
                    if ((dx | dy | dz) != 0 && contains(at.x + dx, at.y + dy, at.z + dz))
                        visit(at.x + dx, at.y + dy, at.z + dz);
    }

    const std::vector<Cube>& cubes() const { return cubes_; }
    // Handing a cube out for change counts as a change of the board at that moment.
    Cube& cube(int index)
    {
        changed_ = true;
        return cubes_[static_cast<std::size_t>(index)];
    }
    const Cube& cube(int index) const { return cubes_[static_cast<std::size_t>(index)]; }

    // A stamp of the cubes as they are: it moves on with every generation, restore and cube
    // handed out for change, and is never the same for two states of this board or any other
    // board of the run, so a view built from one state can tell when it is out of date.
    std::uint64_t revision() const;

private:
    void placeBombs(int bombCount, int excludedIndex);
    void countNeighbours();

    const Clock& clock_;
    Rand15 random_;
    std::vector<Cube> cubes_;
    int width_ = 0;
    int height_ = 0;
    int depth_ = 0;
    // The stamp is drawn from the run-wide count only when it is asked for after a change, so
    // a flood that hands out thousands of cubes costs one stamp.
    mutable std::uint64_t revision_ = 0;
    mutable bool changed_ = true;
};

} // namespace kubrix
