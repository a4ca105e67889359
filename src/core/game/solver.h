// Proves cubes safe or bombs from what the player can see, with the numbers behind each proof.
#pragma once

#include "core/game/block_neighbours.h"
#include "core/game/deducer.h"
#include "core/game/deduction.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kubrix {

// Reads only what the player sees: the exposed numbers and the total bomb count, never the
// player's marks, which may be wrong. Sound: a cube it calls safe is safe, and a bomb a bomb, in
// every layout that agrees with what is shown. Where a proof would cost too much it says nothing.
class Solver {
public:
    // One entry per cube index in a view: kCovered, or the exposed cube's count 0..26.
    static constexpr std::int8_t kCovered = -1;

    Solver(int width, int height, int depth);
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // Everything provable now, in the order it was proven; later proofs may rest on earlier
    // ones (their reasons then include those of the earlier proofs). Empty when the view has
    // the wrong size or contradicts itself.
    std::vector<Deduction> deduceAll(std::span<const std::int8_t> cells, int bombCount);
    // One provable cube: a safe one if any (the one resting on the fewest numbers), else a bomb.
    std::optional<Deduction> hint(std::span<const std::int8_t> cells, int bombCount);

private:
    BlockNeighbours neighbours_;
    Deducer deducer_;
};

} // namespace kubrix
