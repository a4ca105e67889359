// The neighbour lists of every cube of one block size, built once and shared by the solver.
#pragma once

#include <span>
#include <vector>

namespace kubrix {

// Cube index = (z * height + y) * width + x. A cube's neighbours are the up to 26 cubes that
// differ from it by at most one along every axis.
class BlockNeighbours {
public:
    static constexpr int kMaxNeighbours = 26;

    // A side below 1 makes an empty block.
    BlockNeighbours(int width, int height, int depth);

    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; }
    int cubeCount() const { return static_cast<int>(starts_.size()) - 1; }

    // Ascending cube indices.
    std::span<const int> of(int cube) const
    {
        return {list_.data() + starts_[cube], list_.data() + starts_[cube + 1]};
    }
    bool adjacent(int a, int b) const;

private:
    int width_;
    int height_;
    int depth_;
    // of(i) is list_[starts_[i]] up to list_[starts_[i + 1]].
    std::vector<int> starts_;
    std::vector<int> list_;
};

} // namespace kubrix
