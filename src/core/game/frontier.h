// The covered cubes that exposed numbers speak of, split into groups that share no number.
#pragma once

#include "core/game/constraint_search.h"

#include <span>
#include <vector>

namespace kubrix {

class Deducer;

// A cube proven by a frontier rule, with the exposed cubes whose numbers the proof used.
struct Finding {
    int cube = -1;
    bool bomb = false;
    std::vector<int> constraints;
};

struct FrontierResult {
    std::vector<Finding> findings;
    // The numbers and the total cannot all be true: nothing may be concluded.
    bool contradiction = false;
};

// Variables are the unknown cubes next to an exposed number that still has unknown neighbours;
// those numbers are the constraints. Two variables are in one group when a chain of shared
// numbers links them, so groups can be reasoned about one at a time.
class Frontier {
public:
    void build(const Deducer& deducer);

    int groupCount() const { return static_cast<int>(groups_.size()); }
    // Breadth-first over shared numbers, so that neighbouring variables are decided together.
    std::span<const int> variables(int group) const;
    std::span<const int> constraints(int group) const;
    int variableCount() const { return static_cast<int>(variables_.size()); }
    std::span<const int> allConstraints() const { return constraints_; }
    bool isVariable(int cube) const { return variableMark_[cube] == stamp_; }

    // Variable i of the search is variables(group)[i]; constraint j is constraints(group)[j],
    // which needs exactly its count of still unproven bombs.
    void load(int group, const Deducer& deducer, ConstraintSearch& search);

private:
    struct Group {
        int firstVariable;
        int endVariable;
        int firstConstraint;
        int endConstraint;
    };

    std::vector<int> variables_;
    std::vector<int> constraints_;
    std::vector<Group> groups_;
    // Per cube: stamp_ when it is a variable (or constraint) of the latest build.
    std::vector<int> variableMark_;
    std::vector<int> constraintMark_;
    // Per cube: its index within its group, for variables and constraints alike.
    std::vector<int> local_;
    std::vector<int> scratch_;
    int stamp_ = 0;
};

} // namespace kubrix
