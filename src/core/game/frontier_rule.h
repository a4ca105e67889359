// Exact reasoning over each group of the frontier: what every way of meeting its numbers agrees on.
#pragma once

#include "core/game/constraint_search.h"
#include "core/game/frontier.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

// A variable is settled when one of its values breaks the numbers. Assignments of the whole
// group show most values possible at once; each value not seen is then searched for in a ball
// of variables around its variable, grown up to the whole group while the ball still allows
// it. Numbers reaching out of a ball only bound the bombs inside it, so a ball that rules the
// value out proves it for the whole group. A search cut short by its budget proves nothing:
// the rule then stays silent rather than guess.
class FrontierRule {
public:
    FrontierResult run(const Deducer& deducer, Frontier& frontier, ConstraintSearch& group,
                       bool withReasons);

private:
    enum class Verdict { Possible, Impossible, Unsettled };

    Verdict test(const ConstraintSearch& group, int variable, int value, long budget);
    void loadBall(const ConstraintSearch& group, int centre, int size);
    void witness(std::int8_t value, int variable);

    // Per variable of the group: bit 0 once an assignment of the whole group made it safe, bit 1
    // once one made it a bomb; such a value needs no test.
    std::vector<int> seen_;
    std::vector<std::int8_t> preferred_;
    // The ball: group variables breadth-first from its centre, and its search, whose constraint
    // i is group constraint ballConstraints_[i].
    std::vector<int> ball_;
    std::vector<int> ballIndex_;
    std::vector<int> variableMark_;
    std::vector<int> constraintMark_;
    int stamp_ = 0;
    std::vector<int> ballConstraints_;
    ConstraintSearch ballSearch_;
    std::vector<int> order_;
    std::vector<int> scratch_;
    long spent_ = 0;
};

} // namespace kubrix
