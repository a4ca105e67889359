// The total bomb count set against a small frontier and the unknown cubes beyond it.
#include "core/game/bomb_total_rule.h"

#include "core/game/deducer.h"

#include <algorithm>
#include <numeric>

namespace kubrix {

namespace {

using Totals = std::bitset<BombTotalRule::kMaxVariables + 1>;

// Nodes that listing the assignments of all groups may spend; a group that needs more than is
// left is taken to allow any total, which can only make the rule say less.
constexpr long kRunBudget = 300000;

Totals between(int lo, int hi)
{
    Totals bits;
    for (int k = lo; k <= hi; ++k)
        bits.set(static_cast<std::size_t>(k));
    return bits;
}

// Every a + b with a in one set and b in the other.
Totals sumOf(const Totals& one, const Totals& other)
{
    Totals sums;
    for (std::size_t k = 0; k < one.size(); ++k)
        if (one.test(k))
            sums |= other << k;
    return sums;
}

bool onlyBit(const Totals& bits, int k)
{
    return k >= 0 && k <= BombTotalRule::kMaxVariables && bits.count() == 1 &&
           bits.test(static_cast<std::size_t>(k));
}

} // namespace

FrontierResult BombTotalRule::run(const Deducer& deducer, Frontier& frontier,
                                  ConstraintSearch& search, bool withReasons)
{
    FrontierResult result;
    const int frontierSize = frontier.variableCount();
    const int interior = deducer.unknownCount() - frontierSize;
    const int left = deducer.bombsLeft();
    if (frontierSize > kMaxVariables)
        return result;
    const int lowest = std::max(0, left - interior);
    const int highest = std::min(left, frontierSize);
    result.contradiction = lowest > highest;
    // A window that admits every frontier total binds nothing the groups did not settle.
    if (result.contradiction || (frontierSize > 0 && lowest == 0 && highest == frontierSize))
        return result;
    result.contradiction = !enumerate(deducer, frontier, search);
    if (result.contradiction)
        return result;

    const Totals window = between(lowest, highest);
    const std::size_t count = groups_.size();
    std::vector<Totals> before(count + 1);
    std::vector<Totals> after(count + 1);
    before[0].set(0);
    after[count].set(0);
    for (std::size_t g = 0; g < count; ++g)
        before[g + 1] = sumOf(before[g], groups_[g].totals);
    for (std::size_t g = count; g-- > 0;)
        after[g] = sumOf(groups_[g].totals, after[g + 1]);
    const Totals possible = before[count] & window;
    result.contradiction = possible.none();
    if (result.contradiction)
        return result;

    std::vector<int> reasons;
    if (withReasons)
        reasons.assign(frontier.allConstraints().begin(), frontier.allConstraints().end());
    for (std::size_t g = 0; g < count; ++g) {
        const Group& group = groups_[g];
        if (!group.exact)
            continue;
        const Totals others = sumOf(before[g], after[g + 1]);
        Totals allowed;
        for (std::size_t k = 0; k <= group.bombAt.size(); ++k)
            if (((others << k) & window).any())
                allowed.set(k);
        const std::span<const int> cubes = frontier.variables(static_cast<int>(g));
        for (std::size_t v = 0; v < group.bombAt.size(); ++v) {
            const bool canBomb = (group.bombAt[v] & allowed).any();
            const bool canSafe = (group.safeAt[v] & allowed).any();
            if (canBomb != canSafe)
                result.findings.push_back({cubes[v], canBomb, reasons});
        }
    }
    if (interior > 0 && (onlyBit(possible, left) || onlyBit(possible, left - interior))) {
        const bool bomb = !onlyBit(possible, left);
        for (int cube = 0; cube < deducer.neighbours().cubeCount(); ++cube)
            if (deducer.state(cube) == Deducer::State::Unknown && !frontier.isVariable(cube))
                result.findings.push_back({cube, bomb, reasons});
    }
    return result;
}

bool BombTotalRule::enumerate(const Deducer& deducer, Frontier& frontier, ConstraintSearch& search)
{
    groups_.resize(static_cast<std::size_t>(frontier.groupCount()));
    long budget = kRunBudget;
    for (int g = 0; g < frontier.groupCount(); ++g) {
        frontier.load(g, deducer, search);
        const int size = search.variableCount();
        Group& group = groups_[g];
        group.totals.reset();
        group.bombAt.assign(static_cast<std::size_t>(size), Totals{});
        group.safeAt.assign(static_cast<std::size_t>(size), Totals{});
        const auto record = [&](std::span<const std::int8_t> values) {
            const auto bombs =
                static_cast<std::size_t>(std::accumulate(values.begin(), values.end(), 0));
            group.totals.set(bombs);
            for (int v = 0; v < size; ++v)
                (values[v] != 0 ? group.bombAt : group.safeAt)[v].set(bombs);
            return true;
        };
        order_.resize(static_cast<std::size_t>(size));
        std::iota(order_.begin(), order_.end(), 0);
        const ConstraintSearch::Outcome outcome = search.run(order_, -1, 0, budget, record);
        budget -= search.nodes();
        group.exact = outcome.complete;
        if (!group.exact)
            group.totals = between(0, size);
        else if (!outcome.found)
            return false;
    }
    return true;
}

} // namespace kubrix
