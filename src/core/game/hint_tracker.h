// What the hints know of the game being played: proofs carried from one hint to the next.
#pragma once

#include "core/game/block_neighbours.h"
#include "core/game/deducer.h"
#include "core/game/deduction.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kubrix {

class Board;

// Reasons as a player does from one move to the next: what was proven stays proven and each
// hint adds only what the newly exposed numbers bring. Proving everything afresh each time
// would meet the searches' caps on a wide frontier and fall short of the play-out that vouched
// for a no-guess board. Reads the exposed numbers and the total, never the player's marks.
class HintTracker {
public:
    // Proves for the board it was made for: its size and bomb layout.
    HintTracker(const Board& board, int bombCount);
    HintTracker(const HintTracker&) = delete;
    HintTracker& operator=(const HintTracker&) = delete;

    // One provable covered cube: a safe one if any (the one resting on the fewest numbers),
    // else a bomb; nothing when nothing is provable or the numbers contradict themselves.
    std::optional<Deduction> next(const Board& board);

private:
    std::optional<Deduction> bestProven(const Board& board) const;

    BlockNeighbours neighbours_;
    Deducer deducer_;
    // The layout being played spares the searches showing that its values are possible; it
    // never proves anything, and a proof against it counts as a contradiction.
    std::vector<std::int8_t> witness_;
};

} // namespace kubrix
