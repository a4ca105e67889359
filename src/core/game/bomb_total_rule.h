// The total bomb count set against a small frontier and the unknown cubes beyond it.
#pragma once

#include "core/game/frontier.h"

#include <bitset>
#include <vector>

namespace kubrix {

// A way of meeting the numbers that puts T bombs on the frontier leaves the rest to the I unknown
// cubes no number speaks of, in C(I, rest) ways. That weight is non-zero exactly when
// 0 <= rest <= I, so a cube is certain when every assignment whose T falls in that window agrees
// on it; the weights themselves only matter for odds, which a proof does not need.
class BombTotalRule {
public:
    // Beyond this many frontier variables the count is left alone (it seldom binds so early).
    static constexpr int kMaxVariables = 127;

    FrontierResult run(const Deducer& deducer, Frontier& frontier, ConstraintSearch& search,
                       bool withReasons);

private:
    // Bit k: some assignment puts exactly k bombs on the group (or on several groups).
    using Totals = std::bitset<kMaxVariables + 1>;
    struct Group {
        Totals totals;
        std::vector<Totals> bombAt;
        std::vector<Totals> safeAt;
        bool exact = false;
    };

    bool enumerate(const Deducer& deducer, Frontier& frontier, ConstraintSearch& search);

    std::vector<Group> groups_;
    std::vector<int> order_;
};

} // namespace kubrix
