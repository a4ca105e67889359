// Which outer layers of the block are peeled away so the player can see into it.
#pragma once

namespace kubrix {

// The layers of one axis nearest the viewer, counted from the outside. Axis 0, 1, 2 is x, y, z;
// sign +1 means the viewer looks from the axis's high side, so the layers taken are the highest
// coordinates, -1 the lowest. A peeled cube is treated as absent by everything drawn or picked.
struct Peel {
    int axis = 2;
    int sign = 1;
    int layers = 0; // 0: every layer shows

    // The board's number of layers along the peel axis.
    int sideOf(int width, int height, int depth) const
    {
        return axis == 0 ? width : (axis == 1 ? height : depth);
    }
    // True when cube (x, y, z) of a board of side `side` along the peel axis is peeled away.
    bool hides(int x, int y, int z, int side) const
    {
        if (layers <= 0)
            return false;
        const int p = axis == 0 ? x : (axis == 1 ? y : z);
        return sign > 0 ? p >= side - layers : p < layers;
    }

    friend bool operator==(const Peel&, const Peel&) = default;
};

} // namespace kubrix
