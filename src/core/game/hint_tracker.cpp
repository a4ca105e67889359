// Hints from proofs kept across the moves of one game.
#include "core/game/hint_tracker.h"

#include "core/game/board.h"

namespace kubrix {

HintTracker::HintTracker(const Board& board, int bombCount)
    : neighbours_(board.width(), board.height(), board.depth()), deducer_(neighbours_)
{
    for (const Cube& cube : board.cubes())
        witness_.push_back(cube.bomb != 0 ? 1 : 0);
    deducer_.reset(bombCount, true);
    // Without numbers the deducer leaves proven cubes covered until the player exposes them.
    deducer_.setLayout(witness_, {});
}

std::optional<Deduction> HintTracker::next(const Board& board)
{
    for (int cube = 0; cube < board.cubeCount(); ++cube)
        if (board.cube(cube).covered == 0)
            deducer_.expose(cube, board.cube(cube).neighbourBombs);
    // A safe cube proven earlier and not yet exposed is an answer already; the dearer rules
    // wait until the player has taken every such cube.
    std::optional<Deduction> best = bestProven(board);
    if (!best || best->bomb) {
        deducer_.deduce();
        best = bestProven(board);
    }
    if (deducer_.contradiction())
        return std::nullopt;
    return best;
}

std::optional<Deduction> HintTracker::bestProven(const Board& board) const
{
    std::optional<Deduction> best;
    for (const int cube : deducer_.proven()) {
        const bool bomb = deducer_.state(cube) == Deducer::State::Bomb;
        if (board.cube(cube).covered == 0)
            continue;
        const std::vector<int>& reasons = deducer_.reasons(cube);
        const bool better = !best || (best->bomb && !bomb) ||
                            (best->bomb == bomb && reasons.size() < best->reasons.size());
        if (better)
            best = Deduction{cube, bomb, reasons};
    }
    return best;
}

} // namespace kubrix
