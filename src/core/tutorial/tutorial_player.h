// The tutorial's script player: the moves of each page, played on the game as time passes.
#pragma once

#include "core/scene/quaternion.h"
#include "core/tutorial/tutorial_pages.h"
#include "core/tutorial/tutorial_view.h"

#include <cstdint>

namespace kubrix {

class Game;

// Driven by the main window's timer, so every move lands on the first tick that finds it due. A
// page's first move comes kLeadMs after the page appeared, each further one kStepMs later; a turn
// page turns the block over kTurnMs.
class TutorialPlayer {
public:
    static constexpr std::int32_t kLeadMs = 800;
    static constexpr std::int32_t kStepMs = 1600;
    static constexpr std::int32_t kTurnMs = 3200;

    // Plays on the game's board and turns the view rotation; the view shows the pages.
    TutorialPlayer(Game& game, Quaternion& viewRotation, TutorialView& view);

    // Shows the first page.
    void start(std::uint32_t now);
    // "Next >>": shows the next page. False in finish mode, where the button closes the window.
    bool next(std::uint32_t now);
    // One timer tick: plays the page's moves that are due. True on a page with moves, whose
    // board and view the main window then repaints.
    bool tick(std::uint32_t now);

    int page() const { return page_; }
    std::uint32_t pageStartTick() const { return pageStartTick_; }
    bool finishMode() const { return finishMode_; }

private:
    void showPage(std::uint32_t now);
    void playCubeSteps(const TutorialPage& page, std::int32_t t);
    void playTurn(const TutorialPage& page, std::int32_t t);
    void act(const TutorialStep& step);
    void finishPage();

    Game& game_;
    Quaternion& viewRotation_;
    TutorialView& view_;
    int page_ = 0;
    // The page's next move; 0 when the page starts.
    int step_ = 0;
    std::uint32_t pageStartTick_ = 0;
    bool pageDone_ = false;
    bool finishMode_ = false;
};

} // namespace kubrix
