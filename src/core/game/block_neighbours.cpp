// The neighbour lists of every cube of one block size, built once and shared by the solver.
#include "core/game/block_neighbours.h"

#include <cstdlib>

namespace kubrix {

BlockNeighbours::BlockNeighbours(int width, int height, int depth)
    : width_(width), height_(height), depth_(depth)
{
    if (width < 1 || height < 1 || depth < 1)
        width_ = height_ = depth_ = 0;
    const int count = width_ * height_ * depth_;
    starts_.reserve(static_cast<std::size_t>(count) + 1);
    list_.reserve(static_cast<std::size_t>(count) * kMaxNeighbours);
    starts_.push_back(0);
    for (int z = 0; z < depth_; ++z)
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                for (int nz = z - 1; nz <= z + 1; ++nz)
                    for (int ny = y - 1; ny <= y + 1; ++ny)
                        for (int nx = x - 1; nx <= x + 1; ++nx) {
                            const bool inside = nx >= 0 && nx < width_ && ny >= 0 && ny < height_ &&
                                                nz >= 0 && nz < depth_;
                            if (inside && (nx != x || ny != y || nz != z))
                                list_.push_back((nz * height_ + ny) * width_ + nx);
                        }
                starts_.push_back(static_cast<int>(list_.size()));
            }
}

bool BlockNeighbours::adjacent(int a, int b) const
{
    const int layer = width_ * height_;
    return a != b && std::abs(a % width_ - b % width_) <= 1 &&
           std::abs(a % layer / width_ - b % layer / width_) <= 1 &&
           std::abs(a / layer - b / layer) <= 1;
}

} // namespace kubrix
