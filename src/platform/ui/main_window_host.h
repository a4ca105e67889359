// What the game rules ask of the window, answered by the main window.
#pragma once

#include "core/game/game_host.h"

namespace kubrix {

class MainWindow;

class MainWindowHost final : public GameHost {
public:
    // The game exists before its window; until the window is attached (and after it is gone)
    // there is no tutorial.
    void attach(MainWindow* window) { window_ = window; }

    bool tutorialGame() const override;
    bool tutorialRunning() const override;
    // The "Fastest Time" dialog over the main window.
    void showRecordEntry(Game& game) override;

private:
    MainWindow* window_ = nullptr;
};

} // namespace kubrix
