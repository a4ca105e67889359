// What is known of one block as play goes on, and the rules that prove more, cheapest first.
#pragma once

#include "core/game/block_neighbours.h"
#include "core/game/bomb_total_rule.h"
#include "core/game/constraint_search.h"
#include "core/game/frontier.h"
#include "core/game/frontier_rule.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

// Rules in the order they are tried: a single number (no bombs left to find, or as many as
// unknown neighbours), two overlapping numbers, each frontier group exactly, then the total
// bomb count. A dearer rule runs only when the cheaper ones have nothing more to say.
class Deducer {
public:
    enum class State : std::uint8_t {
        Unknown, // covered, not proven
        Safe,    // covered, proven safe
        Bomb,    // covered, proven a bomb
        Exposed,
    };

    // The neighbour lists must outlive the deducer.
    explicit Deducer(const BlockNeighbours& neighbours);

    // Every cube covered and unknown, bombCount bombs in the block. With trackReasons each proof
    // keeps the exposed cubes whose numbers it rests on.
    void reset(int bombCount, bool trackReasons);
    // The layout being played (one 0/1 per cube) and the true count of every cube: a cube proven
    // safe is exposed at once, as a player would. Without them proven cubes stay covered. The
    // layout never proves anything; it only spares the search for assignments that exist.
    void setLayout(std::span<const std::int8_t> bombs, std::span<const std::int8_t> numbers);
    void expose(int cube, int number);
    // Applies the rules until nothing more follows, or a contradiction shows.
    void deduce();

    // The numbers (and the total) cannot all be true; proofs made since are worthless.
    bool contradiction() const { return contradiction_; }
    State state(int cube) const { return state_[cube]; }
    // Of an exposed cube: bombs not yet proven among its unknown neighbours, and their count.
    int need(int cube) const { return need_[cube]; }
    int unknownAround(int cube) const { return unknown_[cube]; }
    int bombsLeft() const { return bombsLeft_; }
    int unknownCount() const { return unknownCount_; }
    int exposedCount() const { return exposedCount_; }
    // Cubes in the order they were proven.
    const std::vector<int>& proven() const { return proven_; }
    // Ascending exposed cubes behind a proven cube (with trackReasons).
    const std::vector<int>& reasons(int cube) const { return reasons_[cube]; }
    const BlockNeighbours& neighbours() const { return neighbours_; }
    std::span<const std::int8_t> knownLayout() const { return bombs_; }

private:
    bool finished() const;
    void touch(int cube);
    void prove(int cube, bool bomb, std::span<const int> constraints);
    std::vector<int> reasonsFrom(std::span<const int> constraints);
    void applySingles();
    bool applyPairs();
    bool applyPair(int one, int other);
    void proveOutside(int owner, int other, bool bomb);
    bool apply(const FrontierResult& result);

    const BlockNeighbours& neighbours_;
    std::vector<State> state_;
    std::vector<std::int8_t> need_;
    std::vector<std::int8_t> unknown_;
    std::span<const std::int8_t> bombs_;
    std::span<const std::int8_t> numbers_;
    // Exposed cubes whose counts changed, waiting for the single-number rule and the pair rule.
    std::vector<int> singles_;
    std::vector<char> inSingles_;
    std::vector<int> pairs_;
    std::size_t pairsHead_ = 0;
    std::vector<char> inPairs_;
    // Per cube: seenStamp_ once met in the current walk (pairs, reasons).
    std::vector<int> seen_;
    int seenStamp_ = 0;
    int bombCount_ = 0;
    int bombsLeft_ = 0;
    int unknownCount_ = 0;
    int exposedCount_ = 0;
    bool contradiction_ = false;
    bool trackReasons_ = false;
    std::vector<int> proven_;
    std::vector<std::vector<int>> reasons_;

    Frontier frontier_;
    ConstraintSearch search_;
    FrontierRule frontierRule_;
    BombTotalRule bombTotalRule_;
};

} // namespace kubrix
