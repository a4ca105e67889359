// Selects the exposed, numbered cubes that still border covered cubes and records their
// covered neighbours for the label drawer.
#include "core/scene/number_labels.h"

#include "core/game/board.h"
#include "core/game/cube.h"

namespace kubrix {

bool NumberLabels::lit(const LabelRecord& record) const
{
    if (hoverIndex_ < 0)
        return false;
    for (const std::int32_t neighbour : record.neighbours) {
        if (neighbour == -1)
            return false;
        if (neighbour == hoverIndex_)
            return true;
    }
    return false;
}

float NumberLabels::alphaOf(const LabelRecord& record, float nearness, bool neighbourhood) const
{
    if (lit(record))
        return 1.0F;
    const float alpha = (record.allMarked != 0 ? kAllMarkedFade : 1.0F) * (0.8F * nearness + 0.2F);
    return neighbourhood && hoverIndex_ >= 0 ? alpha * kDimmed : alpha;
}

void NumberLabels::build(const Board& board, Colour tint, const Peel& peel)
{
    tint_ = tint;
    const int w = board.width();
    const int h = board.height();
    const int d = board.depth();
    width_ = static_cast<float>(w);
    height_ = static_cast<float>(h);
    depth_ = static_cast<float>(d);
    records_.clear();
    const int peelSide = peel.sideOf(w, h, d);

    const std::vector<Cube>& cubes = board.cubes();
    int index = 0;
    for (int z = 0; z < d; ++z) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x, ++index) {
                const Cube& cube = cubes[static_cast<std::size_t>(index)];
                if (cube.covered != 0 || cube.neighbourBombs == 0 || peel.hides(x, y, z, peelSide))
                    continue;
                LabelRecord label;
                label.neighbours.fill(-1);
                label.allMarked = 1;
                int found = 0;
                for (int dx = -1; dx <= 1; ++dx) {
                    for (int dy = -1; dy <= 1; ++dy) {
                        for (int dz = -1; dz <= 1; ++dz) {
                            if ((dx | dy | dz) == 0 || !board.contains(x + dx, y + dy, z + dz))
                                continue;
                            const int other = board.indexOf(x + dx, y + dy, z + dz);
                            const Cube& neighbour = cubes[static_cast<std::size_t>(other)];
                            if (neighbour.covered == 0)
                                continue;
                            label.neighbours[static_cast<std::size_t>(found++)] = other;
                            if (neighbour.marked == 0)
                                label.allMarked = 0;
                        }
                    }
                }
                // Once every neighbour is exposed the number can tell the player nothing.
                if (found == 0)
                    continue;
                label.number = cube.neighbourBombs - 1;
                label.x = x;
                label.y = y;
                label.z = z;
                label.cubeIndex = index;
                records_.push_back(label);
            }
        }
    }
}

} // namespace kubrix
