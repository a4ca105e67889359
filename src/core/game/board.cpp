// The block of cubes: indexing, bomb placement, neighbour counts, the win test and revisions.
#include "core/game/board.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace kubrix {

namespace {

// Stamps unique across all boards of the run: a view may be handed another board whose own
// count of changes happens to match.
std::uint64_t nextRevision()
{
    static std::atomic<std::uint64_t> stamps{0};
    return ++stamps;
}

} // namespace

Board::Board(const Clock& clock) : clock_(clock)
{
}

void Board::generate(int width, int height, int depth, int bombCount, int excludedIndex)
{
    width_ = width;
    height_ = height;
    depth_ = depth;
    cubes_.assign(static_cast<std::size_t>(cubeCount()), Cube{});
    random_.seed(clock_.now());
    placeBombs(bombCount, excludedIndex);
    countNeighbours();
    changed_ = true;
}

void Board::regenerateExcluding(int bombCount, int excludedIndex)
{
    generate(width_, height_, depth_, bombCount, excludedIndex);
}

bool Board::installLayout(const std::vector<bool>& layout, int bombCount, int keptFree)
{
    if (layout.size() != static_cast<std::size_t>(cubeCount()) || keptFree < 0 ||
        keptFree >= cubeCount() || layout[static_cast<std::size_t>(keptFree)] ||
        std::count(layout.begin(), layout.end(), true) != bombCount)
        return false;
    cubes_.assign(layout.size(), Cube{});
    for (std::size_t index = 0; index < layout.size(); ++index)
        cubes_[index].bomb = layout[index] ? 1 : 0;
    countNeighbours();
    changed_ = true;
    return true;
}

void Board::placeBombs(int bombCount, int excludedIndex)
{
    // Rejection placement only ends when a free cube exists for every bomb, so a count that
    // does not fit is cut here too, whoever asked for it.
    const bool excluding = excludedIndex >= 0 && excludedIndex < cubeCount();
    const int room = cubeCount() - (excluding ? 1 : 0);
    const int wanted = std::clamp(bombCount, 0, room);
    int placed = 0;
    while (placed < wanted) {
        const double r1 = random_.next();
        const double r2 = random_.next();
        const double r3 = random_.next();
        const auto x = static_cast<int>(r1 / Rand15::kRange * width_);
        const auto y = static_cast<int>(r2 / Rand15::kRange * height_);
        const auto z = static_cast<int>(r3 / Rand15::kRange * depth_);
        const int index = indexOf(x, y, z);
        Cube& target = cube(index);
        if (target.bomb == 0 && index != excludedIndex) {
            target.bomb = 1;
            ++placed;
        }
    }
}

void Board::countNeighbours()
{
    for (int z = 0; z < depth_; ++z) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                int count = 0;
                for (int dx = -1; dx <= 1; ++dx) {
                    for (int dy = -1; dy <= 1; ++dy) {
                        for (int dz = -1; dz <= 1; ++dz) {
                            if ((dx | dy | dz) != 0 && contains(x + dx, y + dy, z + dz) &&
                                cube(indexOf(x + dx, y + dy, z + dz)).bomb != 0)
                                ++count;
                        }
                    }
                }
                cube(indexOf(x, y, z)).neighbourBombs = static_cast<std::uint8_t>(count);
            }
        }
    }
}

bool Board::restore(int width, int height, int depth, std::span<const Cube> records)
{
    if (!canRestore(width, height, depth, records.size()))
        return false;
    const auto needed = static_cast<std::size_t>(width * height * depth);
    width_ = width;
    height_ = height;
    depth_ = depth;
    cubes_.assign(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(needed));
    changed_ = true;
    return true;
}

bool Board::allSafeCubesExposed() const
{
    return std::none_of(cubes_.begin(), cubes_.end(),
                        [](const Cube& cube) { return cube.covered != 0 && cube.bomb == 0; });
}

std::uint64_t Board::revision() const
{
    if (changed_) {
        revision_ = nextRevision();
        changed_ = false;
    }
    return revision_;
}

int Board::sceneRadius() const
{
    const double squares =
        double(width_) * width_ + double(height_) * height_ + double(depth_) * depth_;
    return static_cast<int>(std::ceil(std::sqrt(squares)));
}

bool Board::fits(int width, int height, int depth)
{
    const auto inRange = [](int side) { return side >= 1 && side <= kMaxSide; };
    return inRange(width) && inRange(height) && inRange(depth);
}

int Board::mostBombs(int width, int height, int depth)
{
    return std::max(width * height * depth - 1, 0);
}

bool Board::canRestore(int width, int height, int depth, std::size_t recordCount)
{
    return fits(width, height, depth) &&
           recordCount >= static_cast<std::size_t>(width * height * depth);
}

bool Board::contains(int x, int y, int z) const
{
    return x >= 0 && x < width_ && y >= 0 && y < height_ && z >= 0 && z < depth_;
}

CubePosition Board::positionOf(int index) const
{
    const int layer = width_ * height_;
    return {index % width_, (index % layer) / width_, index / layer};
}

} // namespace kubrix
