// The bombs still covered after a lost game, which the drawer shows through the block.
#pragma once

#include "core/base/colour.h"
#include "core/scene/peel.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

class Board;

struct BombRecord {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::int32_t cubeIndex = -1;
    // Written by the drawer each frame to sort the sprites back to front.
    float viewDepth = 0.0F;
    // The player found it: drawn with the marked sprite.
    std::int32_t marked = 0;
    // 0 on the bomb whose exposure lost the game: drawn as the exploded one.
    std::int32_t intact = 1;
};

class BombMarkers {
public:
    // The list stays empty unless the game is lost; the tint is taken afresh, unchanged.
    // Peeled cubes show no bomb.
    void build(const Board& board, bool gameLost, Colour tint, const Peel& peel = {});
    const Colour& tint() const { return tint_; }

    // The board size of the last build, as the drawer's depth fade needs it.
    float width() const { return width_; }
    float height() const { return height_; }
    float depth() const { return depth_; }

    // In cube index order after a build; the drawer may rewrite depths and reorder.
    std::span<const BombRecord> records() const { return records_; }
    std::span<BombRecord> records() { return records_; }
    int count() const { return static_cast<int>(records_.size()); }

private:
    Colour tint_;
    float width_ = 0.0F;
    float height_ = 0.0F;
    float depth_ = 0.0F;
    std::vector<BombRecord> records_;
};

} // namespace kubrix
