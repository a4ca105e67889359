// The numbers of exposed cubes that still border covered ones: one record per label, rebuilt
// after every change of the board and read by the label drawer.
#pragma once

#include "core/base/colour.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

class Board;

struct LabelRecord {
    static constexpr int kMaxNeighbours = 26;

    // 1 when every covered neighbour is marked: the number then has nothing left to say and
    // is drawn faintly.
    std::int32_t allMarked = 0;
    // Covered neighbours in scan order (x offset outermost, z innermost), the rest -1; hovering
    // any of them brings the label to full opacity.
    std::array<std::int32_t, kMaxNeighbours> neighbours{};
    // The cube's bomb-neighbour count minus one (0..25): the label's index in the number tiles.
    std::int32_t number = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::int32_t cubeIndex = -1;
    // Written by the drawer each frame to sort the labels back to front.
    float viewDepth = 0.0F;
};

class NumberLabels {
public:
    // Takes the tint afresh on every build, unchanged.
    void build(const Board& board, Colour tint);
    void setHover(int index) { hoverIndex_ = index; }
    int hoverIndex() const { return hoverIndex_; }
    const Colour& tint() const { return tint_; }

    // The board size of the last build, as the drawer's depth fade needs it.
    float width() const { return width_; }
    float height() const { return height_; }
    float depth() const { return depth_; }

    // In cube index order after a build; the drawer may rewrite depths and reorder.
    std::span<const LabelRecord> records() const { return records_; }
    std::span<LabelRecord> records() { return records_; }
    int count() const { return static_cast<int>(records_.size()); }

private:
    Colour tint_;
    int hoverIndex_ = -1;
    float width_ = 0.0F;
    float height_ = 0.0F;
    float depth_ = 0.0F;
    std::vector<LabelRecord> records_;
};

} // namespace kubrix
