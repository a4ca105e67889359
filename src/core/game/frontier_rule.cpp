// Exact reasoning over each group of the frontier: what every way of meeting its numbers agrees on.
#include "core/game/frontier_rule.h"

#include "core/game/deducer.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace kubrix {

namespace {

// Ball sizes tried in turn, the last one the whole group: most values are ruled out by the
// nearest numbers, and a small ball is searched in a fraction of the time.
constexpr int kWholeGroup = std::numeric_limits<int>::max();
constexpr int kBallSizes[] = {12, 30, kWholeGroup};
// Nodes (assignments) one search may spend, and all searches of one run together: a run stays
// within a few milliseconds even on the largest block.
constexpr long kSearchBudget = 10000;
constexpr long kRunBudget = 300000;
constexpr int kWitnessRounds = 6;

} // namespace

FrontierResult FrontierRule::run(const Deducer& deducer, Frontier& frontier,
                                 ConstraintSearch& group, bool withReasons)
{
    FrontierResult result;
    spent_ = 0;
    const std::span<const std::int8_t> known = deducer.knownLayout();
    for (int g = 0; g < frontier.groupCount() && spent_ < kRunBudget; ++g) {
        frontier.load(g, deducer, group);
        const int count = group.variableCount();
        const std::span<const int> cubes = frontier.variables(g);
        seen_.assign(static_cast<std::size_t>(count), 0);
        preferred_.assign(static_cast<std::size_t>(count), 0);
        variableMark_.assign(static_cast<std::size_t>(count), 0);
        ballIndex_.assign(static_cast<std::size_t>(count), 0);
        constraintMark_.assign(static_cast<std::size_t>(group.constraintCount()), 0);
        stamp_ = 0;
        order_.resize(static_cast<std::size_t>(count));
        std::iota(order_.begin(), order_.end(), 0);
        // The true layout, when known, meets every number.
        for (int v = 0; v < count && !known.empty(); ++v)
            witness(known[cubes[v]], v);
        // Whole-group assignments, each preferring the values not seen yet, for as long as they
        // show new ones.
        for (int round = 0, settled = -1; round < kWitnessRounds; ++round) {
            group.preferred() = preferred_;
            const auto outcome = group.run(order_, -1, 0, kSearchBudget, [&](auto values) {
                for (int v = 0; v < count; ++v)
                    witness(values[v], v);
                return false;
            });
            spent_ += group.nodes();
            result.contradiction = outcome.complete && !outcome.found;
            if (result.contradiction)
                return result;
            const auto seenBoth = static_cast<int>(std::count(seen_.begin(), seen_.end(), 3));
            if (!outcome.found || seenBoth == settled)
                break;
            settled = seenBoth;
        }
        for (int v = 0; v < count && spent_ < kRunBudget; ++v)
            for (int value = 1; value >= 0; --value) {
                if ((seen_[v] & (1 << value)) != 0)
                    continue;
                const Verdict verdict = test(group, v, value, kRunBudget - spent_);
                if (verdict != Verdict::Impossible)
                    continue;
                Finding finding{cubes[v], value == 0, {}};
                if (withReasons)
                    for (const int c : ballSearch_.usedConstraints())
                        finding.constraints.push_back(frontier.constraints(g)[ballConstraints_[c]]);
                result.findings.push_back(std::move(finding));
                break;
            }
    }
    return result;
}

FrontierRule::Verdict FrontierRule::test(const ConstraintSearch& group, int variable, int value,
                                         long budget)
{
    const int count = group.variableCount();
    for (const int wanted : kBallSizes) {
        const int size = std::min(wanted, count);
        loadBall(group, variable, size);
        order_.resize(static_cast<std::size_t>(size));
        std::iota(order_.begin(), order_.end(), 0);
        const auto outcome =
            ballSearch_.run(order_, 0, value, std::min(kSearchBudget, budget), [&](auto values) {
                if (size == count)
                    for (int i = 0; i < size; ++i)
                        witness(values[i], ball_[i]);
                return false;
            });
        spent_ += ballSearch_.nodes();
        budget -= ballSearch_.nodes();
        if (!outcome.complete)
            return Verdict::Unsettled;
        if (!outcome.found)
            return Verdict::Impossible;
        if (size == count)
            return Verdict::Possible;
    }
    return Verdict::Unsettled;
}

void FrontierRule::loadBall(const ConstraintSearch& group, int centre, int size)
{
    ++stamp_;
    ball_.assign(1, centre);
    variableMark_[centre] = stamp_;
    ballIndex_[centre] = 0;
    for (std::size_t head = 0; head < ball_.size() && static_cast<int>(ball_.size()) < size; ++head)
        for (const int c : group.constraintsOf(ball_[head]))
            for (const int v : group.members(c))
                if (variableMark_[v] != stamp_ && static_cast<int>(ball_.size()) < size) {
                    variableMark_[v] = stamp_;
                    ballIndex_[v] = static_cast<int>(ball_.size());
                    ball_.push_back(v);
                }
    ballSearch_.reset(size);
    ballConstraints_.clear();
    for (const int v : ball_)
        for (const int c : group.constraintsOf(v)) {
            if (constraintMark_[c] == stamp_)
                continue;
            constraintMark_[c] = stamp_;
            scratch_.clear();
            for (const int member : group.members(c))
                if (variableMark_[member] == stamp_)
                    scratch_.push_back(ballIndex_[member]);
            // The members outside the ball may hold any of the bombs, or none.
            const int outside = static_cast<int>(group.members(c).size() - scratch_.size());
            ballSearch_.addConstraint(scratch_, std::max(0, group.lo(c) - outside),
                                      std::min(group.hi(c), static_cast<int>(scratch_.size())));
            ballConstraints_.push_back(c);
        }
    ballSearch_.finish();
    for (int i = 0; i < size; ++i)
        ballSearch_.preferred()[i] = preferred_[ball_[i]];
}

// An assignment of the whole group shows each value it gives as possible; later searches try
// the values not seen yet first.
void FrontierRule::witness(std::int8_t value, int variable)
{
    seen_[variable] |= 1 << value;
    if (seen_[variable] != 3)
        preferred_[variable] = static_cast<std::int8_t>(1 - value);
}

} // namespace kubrix
