// The tutorial's page table.
#include "core/tutorial/tutorial_pages.h"

#include <algorithm>
#include <array>

namespace kubrix {

namespace {

using enum TutorialAction;

// The board has no bomb around cube 60, so exposing it opens a region; cube 20 holds a bomb;
// cubes 14 and 10 are safe once the numbers of the first exposure are read.
constexpr std::array<TutorialStep, 1> kExposeSteps{{{60, Expose}}};
constexpr std::array<TutorialStep, 1> kMarkSteps{{{20, Mark}}};
constexpr std::array<TutorialStep, 3> kMarkCycleSteps{{{16, Mark}, {16, Mark}, {16, Mark}}};
constexpr std::array<TutorialStep, 4> kStrategySteps{
    {{12, None}, {13, None}, {14, Expose}, {10, Expose}}};

const std::array<TutorialPage, kTutorialPageCount> kPages{{
    {"Objective",
     "The objective in Kubrix is to identify all of the cubes containing bombs without exposing "
     "any of them.",
     TutorialArt::Bomb,
     {}},
    {"Starting a game",
     "The game timer starts when you expose the first cube, and ends when the only cubes left "
     "contain bombs, or when a bomb is accidentally exposed.",
     TutorialArt::Clock,
     {}},
    {"Exposing a Cube",
     "Left-click on a cube to expose it.  The number of bombs adjacent to that cube will be "
     "shown.",
     TutorialArt::Expose, kExposeSteps},
    {"Marking a Cube - 1 of 2",
     "Right-click on a cube to mark it as a bomb ('X').  Accidentally clicking on a square marked "
     "as a bomb will not trigger the bomb.",
     TutorialArt::Mark, kMarkSteps},
    {"Marking a Cube - 2 of 2",
     "Right-click a second time to mark the cube as suspect ('?') and a third time to return it "
     "to the normal 'unknown' state.",
     TutorialArt::MarkCycle, kMarkCycleSteps},
    {"Examining the Play Area - 1 of 2",
     "To examine the cube from a different angle, drag the mouse while holding down the left "
     "mouse button.",
     TutorialArt::Turn,
     {},
     true,
     kTutorialO0,
     kTutorialO1},
    {"Examining the Play Area - 2 of 2",
     "You can also spin the cube in a different manner by dragging the mouse while holding down "
     "the right button.",
     TutorialArt::Spin,
     {},
     true,
     kTutorialO1,
     kTutorialO2},
    {"Strategy",
     "Look for common patterns.  For example, if two adjacent exposed cubes have the same value "
     "and one is next to the edge of the play area, then all the cubes on the other side will be "
     "empty.",
     TutorialArt::Pattern, kStrategySteps},
    {"All done!", "You can now continue and finish the tutorial game.", TutorialArt::Done, {}},
}};

} // namespace

const TutorialPage& tutorialPage(int page)
{
    return kPages[static_cast<std::size_t>(std::clamp(page, 0, kTutorialLastPage))];
}

} // namespace kubrix
