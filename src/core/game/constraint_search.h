// Backtracking search over bomb/safe variables bound by counting constraints, with propagation.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kubrix {

// Variables are 0..variableCount-1 and take 0 (safe) or 1 (bomb). A constraint asks that the
// number of bombs among its variables lies in lo..hi. Each assignment, forced or decided, counts
// as one node against the budget of a run.
class ConstraintSearch {
public:
    struct Outcome {
        // Every assignment was visited (or the callback asked to stop, with found set).
        bool complete = false;
        bool found = false;
    };
    // Sees each full assignment (one value per variable); returns false to stop the run.
    using SolutionHandler = std::function<bool(std::span<const std::int8_t>)>;

    void reset(int variableCount);
    void addConstraint(std::span<const int> variables, int lo, int hi);
    // Call after the last addConstraint and before run.
    void finish();

    int variableCount() const { return variableCount_; }
    int constraintCount() const { return static_cast<int>(constraints_.size()); }
    std::span<const int> members(int constraint) const
    {
        return {members_.data() + memberStarts_[constraint],
                members_.data() + memberStarts_[constraint + 1]};
    }
    std::span<const int> constraintsOf(int variable) const
    {
        return {links_.data() + linkStarts_[variable], links_.data() + linkStarts_[variable + 1]};
    }
    int lo(int constraint) const { return constraints_[constraint].lo; }
    int hi(int constraint) const { return constraints_[constraint].hi; }
    // The value tried first when deciding each variable; 0 unless changed.
    std::vector<std::int8_t>& preferred() { return preferred_; }
    // Decides variables in the given order, with fixedVariable (-1 for none) held at fixedValue.
    Outcome run(std::span<const int> order, int fixedVariable, int fixedValue, long budget,
                const SolutionHandler& onSolution);
    long nodes() const { return nodes_; }
    // The constraints that forced a value or failed during the last run. A run that found no
    // assignment proves as much with only these constraints: the others never acted.
    const std::vector<int>& usedConstraints() const { return used_; }

private:
    struct Constraint {
        int lo;
        int hi;
        int bombs;
        int unassigned;
    };
    struct Frame {
        int position; // in the decision order
        std::size_t trailSize;
        int variable;
        bool flipped;
    };

    // reason: the constraint that forced the value, or -1 for a decision (or the fixed value).
    bool assign(int variable, int value, int reason);
    bool propagate();
    void undoTo(std::size_t trailSize);
    void markUsed(int constraint);
    void explain(int constraint);
    bool backjump(std::size_t& position);
    std::uint64_t* levelSet(int level) { return levelSets_.data() + level * words_; }
    std::uint64_t* behind(int variable) { return behind_.data() + variable * words_; }

    int variableCount_ = 0;
    std::vector<Constraint> constraints_;
    // The variables of constraint c are members_[memberStarts_[c]] up to memberStarts_[c + 1].
    std::vector<int> memberStarts_{0};
    std::vector<int> members_;
    // The constraints of variable v, laid out the same way.
    std::vector<int> linkStarts_;
    std::vector<int> links_;

    std::vector<std::int8_t> value_; // -1 while unassigned
    std::vector<std::int8_t> preferred_;
    std::vector<int> trail_;
    std::vector<int> pending_;
    // frames_[k - 1] is decision level k.
    std::vector<Frame> frames_;
    // Sets of decision levels, one bit per level, words_ words each: the levels behind the
    // latest failure, and per level those behind the failures below it so far. A failure that
    // does not involve the latest decisions jumps back over them instead of trying their other
    // values, which could not help.
    std::size_t words_ = 0;
    std::vector<std::uint64_t> conflict_;
    std::vector<std::uint64_t> levelSets_;
    // Per assigned variable: the decision levels its value follows from.
    std::vector<std::uint64_t> behind_;
    std::vector<char> usedFlags_;
    std::vector<int> used_;
    int failed_ = -1;
    long nodes_ = 0;
};

} // namespace kubrix
