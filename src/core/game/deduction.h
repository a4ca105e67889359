// One cube that the solver proves safe or a bomb, and the exposed cubes whose numbers prove it.
#pragma once

#include <vector>

namespace kubrix {

struct Deduction {
    int cube = -1;
    bool bomb = false;
    // Ascending indices of exposed cubes. Empty when the total bomb count alone decides.
    std::vector<int> reasons;

    friend bool operator==(const Deduction&, const Deduction&) = default;
};

} // namespace kubrix
