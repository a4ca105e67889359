// Draws bomb layouts that the solver can clear from the first exposed cube without a guess.
#include "core/game/no_guess_generator.h"

namespace kubrix {

namespace {

// Bomb moves tried on one drawn layout before drawing a fresh one.
constexpr int kRepairsPerDraw = 40;

} // namespace

NoGuessGenerator::NoGuessGenerator(int width, int height, int depth)
    : neighbours_(width, height, depth), playOut_(neighbours_)
{
}

std::optional<std::vector<bool>> NoGuessGenerator::generate(int bombCount, int firstCube,
                                                            std::uint32_t seed,
                                                            GenerationBudget budget)
{
    const int count = neighbours_.cubeCount();
    if (firstCube < 0 || firstCube >= count || bombCount < 0 || bombCount > count - 1)
        return std::nullopt;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + budget.time;
    random_.seed(seed);
    // A first cube that shows a number gives almost nothing to reason from, and nearly every
    // such layout needs a guess at once; a first cube with no bomb around it floods open an
    // area, so far fewer draws are wasted. Its neighbours get bombs only when the count leaves
    // no room elsewhere.
    kept_.assign(static_cast<std::size_t>(count), false);
    kept_[firstCube] = true;
    const auto around = neighbours_.of(firstCube);
    if (bombCount <= count - 1 - static_cast<int>(around.size()))
        for (const int cube : around)
            kept_[cube] = true;
    std::vector<bool> layout;
    int played = 0;
    while (played < budget.attempts && Clock::now() < deadline) {
        draw(bombCount, layout);
        for (int repairs = 0;; ++repairs) {
            ++played;
            if (playOut_.clears(layout, firstCube))
                return layout;
            if (repairs == kRepairsPerDraw || played >= budget.attempts ||
                Clock::now() >= deadline || !repair(layout))
                break;
        }
    }
    return std::nullopt;
}

void NoGuessGenerator::draw(int bombCount, std::vector<bool>& layout)
{
    open_.clear();
    for (int cube = 0; cube < neighbours_.cubeCount(); ++cube)
        if (!kept_[cube])
            open_.push_back(cube);
    layout.assign(kept_.size(), false);
    // The first bombCount entries of a partial shuffle.
    const auto openCount = static_cast<std::uint32_t>(open_.size());
    for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(bombCount); ++i) {
        std::swap(open_[i], open_[i + below(openCount - i)]);
        layout[open_[i]] = true;
    }
}

// Moves one bomb that the play could not settle, next to an exposed cube, to an unknown cube no
// exposed number sees, so that the numbers around the dead end change and the play tries again.
bool NoGuessGenerator::repair(std::vector<bool>& layout)
{
    const Deducer& deducer = playOut_.deducer();
    blocking_.clear();
    open_.clear();
    for (int cube = 0; cube < neighbours_.cubeCount(); ++cube) {
        if (deducer.state(cube) != Deducer::State::Unknown || kept_[cube])
            continue;
        bool seen = false;
        for (const int next : neighbours_.of(cube))
            seen = seen || deducer.state(next) == Deducer::State::Exposed;
        if (seen && layout[cube])
            blocking_.push_back(cube);
        else if (!seen && !layout[cube])
            open_.push_back(cube);
    }
    if (blocking_.empty() || open_.empty())
        return false;
    const int from = blocking_[below(static_cast<std::uint32_t>(blocking_.size()))];
    const int to = open_[below(static_cast<std::uint32_t>(open_.size()))];
    layout[from] = false;
    layout[to] = true;
    return true;
}

// An unbiased draw in 0..bound-1 (bound > 0) by multiply and reject; unlike the standard
// distributions it gives the same numbers with every standard library.
std::uint32_t NoGuessGenerator::below(std::uint32_t bound)
{
    std::uint64_t product = std::uint64_t{random_()} * bound;
    const std::uint32_t threshold = (0U - bound) % bound;
    while (static_cast<std::uint32_t>(product) < threshold)
        product = std::uint64_t{random_()} * bound;
    return static_cast<std::uint32_t>(product >> 32);
}

} // namespace kubrix
