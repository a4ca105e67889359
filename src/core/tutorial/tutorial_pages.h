// The tutorial's nine pages: their titles, texts, pictures and the moves each page plays.
#pragma once

#include "core/scene/quaternion.h"

#include <span>
#include <string_view>

namespace kubrix {

enum class TutorialAction {
    None, // the cube is only highlighted
    Expose,
    Mark, // one press of the mark cycle: marked, suspect, plain
};

// One scripted move on a cube of the tutorial board (cube indices as the board numbers them).
struct TutorialStep {
    int cube;
    TutorialAction action;
};

// What the page's picture shows beside its text.
enum class TutorialArt {
    Bomb,
    Clock,
    Expose,
    Mark,
    MarkCycle,
    Turn,
    Spin,
    Pattern,
    Done,
};

// A page plays its cube steps one after another, or, as a turn page (no steps), turns the
// block from one orientation to another; a page with neither only waits to be read.
struct TutorialPage {
    std::string_view title;
    std::string_view text;
    TutorialArt art;
    std::span<const TutorialStep> steps;
    bool turn = false;
    Quaternion from{};
    Quaternion to{};
};

inline constexpr int kTutorialPageCount = 9;
inline constexpr int kTutorialLastPage = kTutorialPageCount - 1;

// Orientations of the block the turn pages move between; the first is the board's start.
inline constexpr Quaternion kTutorialO0 = kTutorialRotation;
inline constexpr Quaternion kTutorialO1{0.465019F, 0.041213F, 0.015187F, 0.884215F};
inline constexpr Quaternion kTutorialO2{0.338358F, -0.321647F, -0.653368F, 0.595972F};

// Page 0..8; a number outside that range is taken as the nearest page.
const TutorialPage& tutorialPage(int page);

} // namespace kubrix
