// The covered cubes that exposed numbers speak of, split into groups that share no number.
#include "core/game/frontier.h"

#include "core/game/deducer.h"

namespace kubrix {

namespace {

bool isConstraint(const Deducer& deducer, int cube)
{
    return deducer.state(cube) == Deducer::State::Exposed && deducer.unknownAround(cube) > 0;
}

} // namespace

void Frontier::build(const Deducer& deducer)
{
    const BlockNeighbours& neighbours = deducer.neighbours();
    const int count = neighbours.cubeCount();
    if (static_cast<int>(local_.size()) != count) {
        variableMark_.assign(static_cast<std::size_t>(count), 0);
        constraintMark_.assign(static_cast<std::size_t>(count), 0);
        local_.assign(static_cast<std::size_t>(count), 0);
    }
    ++stamp_;
    variables_.clear();
    constraints_.clear();
    groups_.clear();
    for (int seed = 0; seed < count; ++seed) {
        if (constraintMark_[seed] == stamp_ || !isConstraint(deducer, seed))
            continue;
        Group group{variableCount(), 0, static_cast<int>(constraints_.size()), 0};
        constraintMark_[seed] = stamp_;
        constraints_.push_back(seed);
        for (std::size_t head = constraints_.size() - 1; head < constraints_.size(); ++head) {
            const int number = constraints_[head];
            local_[number] = static_cast<int>(head) - group.firstConstraint;
            for (const int cube : neighbours.of(number)) {
                if (deducer.state(cube) != Deducer::State::Unknown || variableMark_[cube] == stamp_)
                    continue;
                variableMark_[cube] = stamp_;
                local_[cube] = variableCount() - group.firstVariable;
                variables_.push_back(cube);
                for (const int next : neighbours.of(cube))
                    if (constraintMark_[next] != stamp_ && isConstraint(deducer, next)) {
                        constraintMark_[next] = stamp_;
                        constraints_.push_back(next);
                    }
            }
        }
        group.endVariable = variableCount();
        group.endConstraint = static_cast<int>(constraints_.size());
        groups_.push_back(group);
    }
}

std::span<const int> Frontier::variables(int group) const
{
    const Group& g = groups_[group];
    return {variables_.data() + g.firstVariable, variables_.data() + g.endVariable};
}

std::span<const int> Frontier::constraints(int group) const
{
    const Group& g = groups_[group];
    return {constraints_.data() + g.firstConstraint, constraints_.data() + g.endConstraint};
}

void Frontier::load(int group, const Deducer& deducer, ConstraintSearch& search)
{
    search.reset(static_cast<int>(variables(group).size()));
    for (const int number : constraints(group)) {
        scratch_.clear();
        for (const int cube : deducer.neighbours().of(number))
            if (deducer.state(cube) == Deducer::State::Unknown)
                scratch_.push_back(local_[cube]);
        search.addConstraint(scratch_, deducer.need(number), deducer.need(number));
    }
    search.finish();
}

} // namespace kubrix
