// Draws bomb layouts that the solver can clear from the first exposed cube without a guess.
#pragma once

#include "core/game/block_neighbours.h"
#include "core/game/play_out.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace kubrix {

struct GenerationBudget {
    // Play-outs tried, the first included.
    int attempts = 1000;
    std::chrono::milliseconds time{1500};
};

class NoGuessGenerator {
public:
    NoGuessGenerator(int width, int height, int depth);
    NoGuessGenerator(const NoGuessGenerator&) = delete;
    NoGuessGenerator& operator=(const NoGuessGenerator&) = delete;

    // One flag per cube index (true: a bomb), never a bomb on firstCube, or nothing when the
    // budget ran out first or the arguments allow no layout. The same seed and arguments give
    // the same layout; only the time budget can end a search early and return nothing instead.
    std::optional<std::vector<bool>> generate(int bombCount, int firstCube, std::uint32_t seed,
                                              GenerationBudget budget);

private:
    void draw(int bombCount, std::vector<bool>& layout);
    bool repair(std::vector<bool>& layout);
    std::uint32_t below(std::uint32_t bound);

    BlockNeighbours neighbours_;
    PlayOut playOut_;
    std::mt19937 random_;
    // Cubes that never get a bomb: the first one and, when the count leaves room, its neighbours.
    std::vector<bool> kept_;
    std::vector<int> open_;
    std::vector<int> blocking_;
};

} // namespace kubrix
