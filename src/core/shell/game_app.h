// The application object: owns the game and the update check, and orders start-up and shut-down.
#pragma once

#include "core/base/clock.h"
#include "core/base/settings_store.h"
#include "core/game/game.h"
#include "core/game/game_host.h"
#include "core/game/rand15.h"
#include "core/game/sound_player.h"
#include "core/game/statistics.h"
#include "core/scene/quaternion.h"
#include "core/shell/update_check.h"

#include <string>
#include <vector>

namespace kubrix {

// The window side of start-up and shut-down.
class AppShell {
public:
    virtual ~AppShell() = default;
    // Creates, shows and paints the main window once; false ends the program.
    virtual bool createMainWindow() = 0;
    // Discards the applied and the default skin.
    virtual void releaseSkins() = 0;
};

struct AppServices {
    SettingsStore& settings;
    const Clock& clock;
    SoundPlayer& sound;
    GameHost& host;
    AppShell& shell;
    VersionSource* versionSource = nullptr;
};

class GameApp {
public:
    explicit GameApp(AppServices services);
    ~GameApp();
    GameApp(const GameApp&) = delete;
    GameApp& operator=(const GameApp&) = delete;

    // False means the program exits at once, without a window.
    bool startUp(const std::vector<std::string>& arguments);
    // After the message loop: stops the update check (waiting for it), releases the skins.
    void shutDown();

    Game& game() { return game_; }
    Statistics& statistics() { return statistics_; }
    Quaternion& viewRotation() { return viewRotation_; }
    UpdateEvents& events() { return events_; }
    UpdateCheck& updateCheck() { return updateCheck_; }
    // The process-wide generator the idle face's blinking draws from.
    Rand15& random() { return random_; }

private:
    AppServices services_;
    Statistics statistics_;
    Quaternion viewRotation_;
    UpdateEvents events_;
    UpdateCheck updateCheck_;
    Game game_;
    Rand15 random_;
    bool shutDown_ = false;
};

} // namespace kubrix
