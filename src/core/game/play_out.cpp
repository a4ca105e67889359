// Plays a known layout by proofs alone from a first cube, as a player who never guesses would.
#include "core/game/play_out.h"

#include <algorithm>

namespace kubrix {

PlayOut::PlayOut(const BlockNeighbours& neighbours) : neighbours_(neighbours), deducer_(neighbours)
{
}

bool PlayOut::clears(const std::vector<bool>& bombs, int firstCube)
{
    const int count = neighbours_.cubeCount();
    // Even a refused layout leaves deducer() describing this call.
    deducer_.reset(0, false);
    if (bombs.size() != static_cast<std::size_t>(count) || firstCube < 0 || firstCube >= count ||
        bombs[firstCube])
        return false;
    bombs_.assign(bombs.begin(), bombs.end());
    numbers_.assign(bombs.size(), 0);
    for (int cube = 0; cube < count; ++cube)
        for (const int next : neighbours_.of(cube))
            numbers_[cube] = static_cast<std::int8_t>(numbers_[cube] + bombs_[next]);
    const int bombCount = static_cast<int>(std::count(bombs.begin(), bombs.end(), true));
    deducer_.reset(bombCount, false);
    deducer_.setLayout(bombs_, numbers_);
    deducer_.expose(firstCube, numbers_[firstCube]);
    deducer_.deduce();
    return !deducer_.contradiction() && deducer_.exposedCount() == count - bombCount;
}

bool clearsWithoutGuess(int width, int height, int depth, const std::vector<bool>& bombs,
                        int firstCube)
{
    const BlockNeighbours neighbours(width, height, depth);
    return PlayOut(neighbours).clears(bombs, firstCube);
}

} // namespace kubrix
