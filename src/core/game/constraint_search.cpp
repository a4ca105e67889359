// Backtracking search over bomb/safe variables bound by counting constraints, with propagation.
#include "core/game/constraint_search.h"

#include <algorithm>
#include <bit>

namespace kubrix {

void ConstraintSearch::reset(int variableCount)
{
    variableCount_ = variableCount;
    constraints_.clear();
    memberStarts_.assign(1, 0);
    members_.clear();
    value_.assign(static_cast<std::size_t>(variableCount), -1);
    preferred_.assign(static_cast<std::size_t>(variableCount), 0);
    trail_.clear();
}

void ConstraintSearch::addConstraint(std::span<const int> variables, int lo, int hi)
{
    members_.insert(members_.end(), variables.begin(), variables.end());
    memberStarts_.push_back(static_cast<int>(members_.size()));
    constraints_.push_back({lo, hi, 0, static_cast<int>(variables.size())});
}

void ConstraintSearch::finish()
{
    linkStarts_.assign(static_cast<std::size_t>(variableCount_) + 1, 0);
    for (const int v : members_)
        ++linkStarts_[v + 1];
    for (int v = 0; v < variableCount_; ++v)
        linkStarts_[v + 1] += linkStarts_[v];
    links_.resize(members_.size());
    std::vector<int> fill(linkStarts_.begin(), linkStarts_.end() - 1);
    for (int c = 0; c < static_cast<int>(constraints_.size()); ++c)
        for (int m = memberStarts_[c]; m < memberStarts_[c + 1]; ++m)
            links_[fill[members_[m]]++] = c;
    usedFlags_.assign(constraints_.size(), 0);
}

ConstraintSearch::Outcome ConstraintSearch::run(std::span<const int> order, int fixedVariable,
                                                int fixedValue, long budget,
                                                const SolutionHandler& onSolution)
{
    nodes_ = 0;
    used_.clear();
    usedFlags_.assign(constraints_.size(), 0);
    frames_.clear();
    const auto count = static_cast<std::size_t>(variableCount_);
    words_ = count / 64 + 1;
    conflict_.assign(words_, 0);
    levelSets_.resize(words_ * (count + 1));
    behind_.resize(words_ * count);
    pending_.clear();
    for (int c = 0; c < static_cast<int>(constraints_.size()); ++c)
        pending_.push_back(c);
    Outcome outcome;
    const bool consistent = fixedVariable < 0 || assign(fixedVariable, fixedValue, -1);
    if (!consistent || !propagate()) {
        undoTo(0);
        outcome.complete = true;
        return outcome;
    }
    std::size_t position = 0;
    for (;;) {
        if (nodes_ > budget) {
            undoTo(0);
            return outcome;
        }
        while (position < order.size() && value_[order[position]] >= 0)
            ++position;
        if (position == order.size()) {
            outcome.found = true;
            if (!onSolution(value_)) {
                undoTo(0);
                outcome.complete = true;
                return outcome;
            }
            // Every decision stands behind a solution: go on from the latest one.
            std::fill(conflict_.begin(), conflict_.end(), 0);
            for (std::size_t level = 1; level <= frames_.size(); ++level)
                conflict_[level / 64] |= std::uint64_t{1} << (level % 64);
        } else {
            const int v = order[position];
            frames_.push_back({static_cast<int>(position), trail_.size(), v, false});
            std::fill_n(levelSet(static_cast<int>(frames_.size())), words_, 0);
            if (assign(v, preferred_[v], -1) && propagate())
                continue;
            explain(failed_);
        }
        if (!backjump(position)) {
            undoTo(0);
            outcome.complete = true;
            return outcome;
        }
    }
}

// Back to the latest decision level behind the failure; tries its other value, or, when both
// failed, passes the levels behind both failures further back. False when none is left.
bool ConstraintSearch::backjump(std::size_t& position)
{
    for (;;) {
        int level = 0;
        for (std::size_t w = words_; w-- > 0 && level == 0;)
            if (conflict_[w] != 0)
                level = static_cast<int>(w * 64) + 63 - std::countl_zero(conflict_[w]);
        if (level == 0)
            return false;
        Frame& frame = frames_[level - 1];
        undoTo(frame.trailSize);
        frames_.resize(static_cast<std::size_t>(level));
        conflict_[level / 64] &= ~(std::uint64_t{1} << (level % 64));
        std::uint64_t* kept = levelSet(level);
        for (std::size_t w = 0; w < words_; ++w)
            kept[w] |= conflict_[w];
        if (!frame.flipped) {
            frame.flipped = true;
            position = static_cast<std::size_t>(frame.position);
            if (assign(frame.variable, 1 - preferred_[frame.variable], -1) && propagate())
                return true;
            explain(failed_);
            continue;
        }
        std::copy_n(kept, words_, conflict_.begin());
        frames_.pop_back();
    }
}

// The decision levels behind a failed constraint: those behind the values it sees.
void ConstraintSearch::explain(int constraint)
{
    std::fill(conflict_.begin(), conflict_.end(), 0);
    for (int m = memberStarts_[constraint]; m < memberStarts_[constraint + 1]; ++m)
        if (value_[members_[m]] >= 0) {
            const std::uint64_t* levels = behind(members_[m]);
            for (std::size_t w = 0; w < words_; ++w)
                conflict_[w] |= levels[w];
        }
}

bool ConstraintSearch::assign(int variable, int value, int reason)
{
    ++nodes_;
    std::uint64_t* levels = behind(variable);
    std::fill_n(levels, words_, 0);
    if (reason < 0) {
        const std::size_t level = frames_.size();
        levels[level / 64] |= level == 0 ? 0 : std::uint64_t{1} << (level % 64);
    } else {
        for (int m = memberStarts_[reason]; m < memberStarts_[reason + 1]; ++m)
            if (value_[members_[m]] >= 0) {
                const std::uint64_t* forcing = behind(members_[m]);
                for (std::size_t w = 0; w < words_; ++w)
                    levels[w] |= forcing[w];
            }
    }
    value_[variable] = static_cast<std::int8_t>(value);
    trail_.push_back(variable);
    bool consistent = true;
    for (int l = linkStarts_[variable]; l < linkStarts_[variable + 1]; ++l) {
        const int c = links_[l];
        Constraint& k = constraints_[c];
        --k.unassigned;
        k.bombs += value;
        if (k.bombs > k.hi || k.bombs + k.unassigned < k.lo) {
            if (consistent)
                failed_ = c;
            consistent = false;
        } else if (k.unassigned > 0 && (k.bombs == k.hi || k.bombs + k.unassigned == k.lo)) {
            pending_.push_back(c);
        }
    }
    if (!consistent) {
        markUsed(failed_);
        pending_.clear();
    }
    return consistent;
}

bool ConstraintSearch::propagate()
{
    while (!pending_.empty()) {
        const int c = pending_.back();
        pending_.pop_back();
        const Constraint& k = constraints_[c];
        if (k.unassigned == 0)
            continue;
        int forced = 0;
        if (k.bombs + k.unassigned == k.lo)
            forced = 1;
        else if (k.bombs != k.hi)
            continue;
        markUsed(c);
        for (int m = memberStarts_[c]; m < memberStarts_[c + 1]; ++m)
            if (value_[members_[m]] < 0 && !assign(members_[m], forced, c))
                return false;
    }
    return true;
}

void ConstraintSearch::undoTo(std::size_t trailSize)
{
    while (trail_.size() > trailSize) {
        const int v = trail_.back();
        trail_.pop_back();
        for (int l = linkStarts_[v]; l < linkStarts_[v + 1]; ++l) {
            Constraint& k = constraints_[links_[l]];
            ++k.unassigned;
            k.bombs -= value_[v];
        }
        value_[v] = -1;
    }
}

void ConstraintSearch::markUsed(int constraint)
{
    if (usedFlags_[constraint] == 0) {
        usedFlags_[constraint] = 1;
        used_.push_back(constraint);
    }
}

} // namespace kubrix
