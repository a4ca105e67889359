// What is known of one block as play goes on, and the rules that prove more, cheapest first.
#include "core/game/deducer.h"

#include <algorithm>

namespace kubrix {

Deducer::Deducer(const BlockNeighbours& neighbours) : neighbours_(neighbours)
{
}

void Deducer::reset(int bombCount, bool trackReasons)
{
    const auto count = static_cast<std::size_t>(neighbours_.cubeCount());
    state_.assign(count, State::Unknown);
    need_.assign(count, 0);
    unknown_.assign(count, 0);
    bombs_ = {};
    numbers_ = {};
    singles_.clear();
    inSingles_.assign(count, 0);
    pairs_.clear();
    pairsHead_ = 0;
    inPairs_.assign(count, 0);
    seen_.assign(count, 0);
    seenStamp_ = 0;
    bombCount_ = bombCount;
    bombsLeft_ = bombCount;
    unknownCount_ = neighbours_.cubeCount();
    exposedCount_ = 0;
    contradiction_ = bombCount < 0 || bombCount > unknownCount_;
    trackReasons_ = trackReasons;
    proven_.clear();
    reasons_.assign(trackReasons ? count : 0, {});
}

void Deducer::setLayout(std::span<const std::int8_t> bombs, std::span<const std::int8_t> numbers)
{
    bombs_ = bombs;
    numbers_ = numbers;
}

void Deducer::expose(int cube, int number)
{
    const State before = state_[cube];
    if (before == State::Exposed)
        return;
    if (before == State::Bomb || number < 0 || number > BlockNeighbours::kMaxNeighbours) {
        contradiction_ = true;
        return;
    }
    int bombs = 0;
    int unknown = 0;
    for (const int next : neighbours_.of(cube)) {
        if (state_[next] == State::Exposed && before == State::Unknown) {
            --unknown_[next];
            touch(next);
        }
        bombs += state_[next] == State::Bomb ? 1 : 0;
        unknown += state_[next] == State::Unknown ? 1 : 0;
    }
    if (before == State::Unknown)
        --unknownCount_;
    state_[cube] = State::Exposed;
    ++exposedCount_;
    need_[cube] = static_cast<std::int8_t>(number - bombs);
    unknown_[cube] = static_cast<std::int8_t>(unknown);
    touch(cube);
}

void Deducer::deduce()
{
    while (!contradiction_ && !finished()) {
        applySingles();
        if (contradiction_ || finished())
            break;
        if (applyPairs())
            continue;
        if (contradiction_)
            break;
        frontier_.build(*this);
        if (apply(frontierRule_.run(*this, frontier_, search_, trackReasons_)))
            continue;
        if (contradiction_ || !apply(bombTotalRule_.run(*this, frontier_, search_, trackReasons_)))
            break;
    }
    contradiction_ = contradiction_ || bombsLeft_ < 0 || bombsLeft_ > unknownCount_;
}

bool Deducer::finished() const
{
    const bool allExposed =
        !numbers_.empty() && exposedCount_ == static_cast<int>(numbers_.size()) - bombCount_;
    return unknownCount_ == 0 || allExposed;
}

void Deducer::touch(int cube)
{
    if (inSingles_[cube] == 0) {
        inSingles_[cube] = 1;
        singles_.push_back(cube);
    }
    if (inPairs_[cube] == 0) {
        inPairs_[cube] = 1;
        pairs_.push_back(cube);
    }
}

void Deducer::prove(int cube, bool bomb, std::span<const int> constraints)
{
    if (state_[cube] != State::Unknown)
        return;
    // A proof against the layout being played would be a fault in a rule: the play ends as not
    // cleared rather than trust it.
    if (!bombs_.empty() && (bombs_[cube] != 0) != bomb) {
        contradiction_ = true;
        return;
    }
    if (trackReasons_)
        reasons_[cube] = reasonsFrom(constraints);
    state_[cube] = bomb ? State::Bomb : State::Safe;
    --unknownCount_;
    bombsLeft_ -= bomb ? 1 : 0;
    for (const int next : neighbours_.of(cube))
        if (state_[next] == State::Exposed) {
            --unknown_[next];
            need_[next] = static_cast<std::int8_t>(need_[next] - (bomb ? 1 : 0));
            touch(next);
        }
    proven_.push_back(cube);
    if (!bomb && !numbers_.empty())
        expose(cube, numbers_[cube]);
}

// A number's unknown neighbours and the bombs it still needs depend on the cubes around it
// that were proven before, so their reasons are this proof's reasons too.
std::vector<int> Deducer::reasonsFrom(std::span<const int> constraints)
{
    std::vector<int> reasons;
    ++seenStamp_;
    const auto add = [&](int number) {
        if (seen_[number] != seenStamp_) {
            seen_[number] = seenStamp_;
            reasons.push_back(number);
        }
    };
    for (const int number : constraints) {
        add(number);
        for (const int next : neighbours_.of(number))
            if (state_[next] == State::Safe || state_[next] == State::Bomb)
                std::for_each(reasons_[next].begin(), reasons_[next].end(), add);
    }
    std::sort(reasons.begin(), reasons.end());
    return reasons;
}

void Deducer::applySingles()
{
    while (!singles_.empty() && !contradiction_) {
        const int number = singles_.back();
        singles_.pop_back();
        inSingles_[number] = 0;
        const int unknown = unknown_[number];
        const int need = need_[number];
        contradiction_ = need < 0 || need > unknown;
        if (contradiction_ || unknown == 0 || (need != 0 && need != unknown))
            continue;
        const int rule[] = {number};
        for (const int next : neighbours_.of(number))
            if (state_[next] == State::Unknown)
                prove(next, need != 0, rule);
    }
}

// Pairs of numbers that share unknown neighbours, for every number whose counts changed since
// its pairs were last looked at. Stops at the first pair that proves something, so that the
// single-number rule takes up the news first.
bool Deducer::applyPairs()
{
    while (pairsHead_ < pairs_.size()) {
        const int one = pairs_[pairsHead_++];
        inPairs_[one] = 0;
        if (state_[one] != State::Exposed || unknown_[one] == 0)
            continue;
        seen_[one] = ++seenStamp_;
        for (const int shared : neighbours_.of(one)) {
            if (state_[shared] != State::Unknown)
                continue;
            for (const int other : neighbours_.of(shared)) {
                if (seen_[other] == seenStamp_ || state_[other] != State::Exposed)
                    continue;
                seen_[other] = seenStamp_;
                if (applyPair(one, other)) {
                    touch(one);
                    return true;
                }
                if (contradiction_)
                    return false;
            }
        }
    }
    pairs_.clear();
    pairsHead_ = 0;
    return false;
}

// With I the unknown cubes both numbers see and A, B those only one of them sees, the bombs in I
// lie between max(0, needA - |A|, needB - |B|) and min(|I|, needA, needB). When that leaves A
// (or B) no bomb, or a bomb in every cube, those cubes are settled.
bool Deducer::applyPair(int one, int other)
{
    int shared = 0;
    for (const int next : neighbours_.of(one))
        if (state_[next] == State::Unknown && neighbours_.adjacent(next, other))
            ++shared;
    const int onlyOne = unknown_[one] - shared;
    const int onlyOther = unknown_[other] - shared;
    const int needOne = need_[one];
    const int needOther = need_[other];
    const int lo = std::max({0, needOne - onlyOne, needOther - onlyOther});
    const int hi = std::min({shared, needOne, needOther});
    contradiction_ = lo > hi;
    if (contradiction_)
        return false;
    if (onlyOne > 0 && (needOne == lo || needOne - hi == onlyOne)) {
        proveOutside(one, other, needOne != lo);
        return true;
    }
    if (onlyOther > 0 && (needOther == lo || needOther - hi == onlyOther)) {
        proveOutside(other, one, needOther != lo);
        return true;
    }
    return false;
}

void Deducer::proveOutside(int owner, int other, bool bomb)
{
    const int rule[] = {owner, other};
    for (const int next : neighbours_.of(owner))
        if (state_[next] == State::Unknown && !neighbours_.adjacent(next, other))
            prove(next, bomb, rule);
}

bool Deducer::apply(const FrontierResult& result)
{
    contradiction_ = contradiction_ || result.contradiction;
    if (contradiction_)
        return false;
    for (const Finding& finding : result.findings)
        prove(finding.cube, finding.bomb, finding.constraints);
    return !result.findings.empty();
}

} // namespace kubrix
