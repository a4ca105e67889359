// What the game tells whoever shows it: changes of the state its commands and view depend on.
#pragma once

namespace kubrix {

class GameObserver {
public:
    virtual ~GameObserver() = default;
    // A game started running or ended, a new game replaced the old one, or sound or music was
    // switched: whatever offers or checks a command by that state looks again.
    virtual void gameStateChanged() = 0;
    // The tutorial's board is in place; it is explained as seen from one particular angle.
    virtual void tutorialBoardSetUp() = 0;
    // No board that needs no guess turned up within the budget: the game goes on with an
    // ordinary one, which the player should hear of without being stopped.
    virtual void noGuessBoardUnavailable() = 0;
};

} // namespace kubrix
