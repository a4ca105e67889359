// Proves cubes safe or bombs from what the player can see, with the numbers behind each proof.
#include "core/game/solver.h"

namespace kubrix {

Solver::Solver(int width, int height, int depth)
    : neighbours_(width, height, depth), deducer_(neighbours_)
{
}

std::vector<Deduction> Solver::deduceAll(std::span<const std::int8_t> cells, int bombCount)
{
    std::vector<Deduction> deductions;
    if (cells.size() != static_cast<std::size_t>(neighbours_.cubeCount()))
        return deductions;
    deducer_.reset(bombCount, true);
    for (int cube = 0; cube < neighbours_.cubeCount(); ++cube)
        if (cells[cube] != kCovered)
            deducer_.expose(cube, cells[cube]);
    deducer_.deduce();
    if (deducer_.contradiction())
        return deductions;
    for (const int cube : deducer_.proven())
        deductions.push_back(
            {cube, deducer_.state(cube) == Deducer::State::Bomb, deducer_.reasons(cube)});
    return deductions;
}

std::optional<Deduction> Solver::hint(std::span<const std::int8_t> cells, int bombCount)
{
    std::optional<Deduction> best;
    for (Deduction& deduction : deduceAll(cells, bombCount)) {
        const bool better =
            !best || (best->bomb && !deduction.bomb) ||
            (best->bomb == deduction.bomb && deduction.reasons.size() < best->reasons.size());
        if (better)
            best = std::move(deduction);
    }
    return best;
}

} // namespace kubrix
