// Plays a known layout by proofs alone from a first cube, as a player who never guesses would.
#pragma once

#include "core/game/block_neighbours.h"
#include "core/game/deducer.h"

#include <cstdint>
#include <vector>

namespace kubrix {

class PlayOut {
public:
    // The neighbour lists must outlive the play-out.
    explicit PlayOut(const BlockNeighbours& neighbours);

    // bombs holds one flag per cube index. True when exposing firstCube, then every cube the
    // solver proves safe (floods included), over and over, exposes every safe cube.
    bool clears(const std::vector<bool>& bombs, int firstCube);
    // Where the latest play stopped.
    const Deducer& deducer() const { return deducer_; }

private:
    const BlockNeighbours& neighbours_;
    Deducer deducer_;
    std::vector<std::int8_t> bombs_;
    std::vector<std::int8_t> numbers_;
};

// The same check for one layout of a width x height x depth block.
bool clearsWithoutGuess(int width, int height, int depth, const std::vector<bool>& bombs,
                        int firstCube);

} // namespace kubrix
