// What the game rules ask of the window around them.
#pragma once

namespace kubrix {

class Game;

class GameHost {
public:
    virtual ~GameHost() = default;
    // The current game is the tutorial's: no fastest time, no saving.
    virtual bool tutorialGame() const = 0;
    // The tutorial window is open and plays the game by itself.
    virtual bool tutorialRunning() const = 0;
    // The fastest-time name dialog; accepting it calls Game::setRecord.
    virtual void showRecordEntry(Game& game) = 0;
};

} // namespace kubrix
