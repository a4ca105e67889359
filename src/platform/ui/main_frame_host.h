// What the game rules ask of the window, answered by the main window and the skin store.
#pragma once

#include "core/game/game_host.h"

namespace kubrix {

class CMainFrame;
class SkinStore;

class MainFrameHost final : public GameHost {
public:
    explicit MainFrameHost(SkinStore& skins) : skins_(skins) {}

    // The game exists before its window; until the window is attached (and after it is gone)
    // there is no tutorial and the board takes the application's button-face colour.
    void attach(CMainFrame* frame) { frame_ = frame; }

    bool tutorialGame() const override;
    bool tutorialRunning() const override;
    // The "Fastest Time" dialog over the main window.
    void showRecordEntry(Game& game) override;
    Colour boardTint() const override;

private:
    SkinStore& skins_;
    CMainFrame* frame_ = nullptr;
};

} // namespace kubrix
