// The numbers of exposed cubes that still border covered ones: one record per label, rebuilt
// after every change of the board and read by the label drawer.
#pragma once

#include "core/base/colour.h"
#include "core/scene/peel.h"

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
    // Half the side of a label's square, in cube widths.
    static constexpr float kHalfSize = 0.3F;
    // A label whose covered neighbours are all marked has nothing left to say, so it fades.
    static constexpr float kAllMarkedFade = 0.25F;
    // While the neighbourhood of a hovered cube is lit, every other label is this faint.
    static constexpr float kDimmed = 0.2F;

    // Takes the tint afresh on every build, unchanged. Peeled cubes carry no label.
    void build(const Board& board, Colour tint, const Peel& peel = {});
    void setHover(int index) { hoverIndex_ = index; }
    int hoverIndex() const { return hoverIndex_; }
    // The label counts the hovered cube among its covered neighbours.
    bool lit(const LabelRecord& record) const;
    // The opacity of a label, nearness being 0 at the far side of the block and 1 at the near
    // side. A lit label always shows at full strength, depth or not. With neighbourhood on and
    // a cube hovered, every label that is not lit is dimmed, so the hovered cube's own numbers
    // stand out.
    float alphaOf(const LabelRecord& record, float nearness, bool neighbourhood) const;
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
