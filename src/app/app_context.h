// The program's process-wide objects, one of each, and the window side of start-up.
#pragma once

#include "core/base/clock.h"
#include "core/shell/game_app.h"
#include "core/shell/site_address.h"
#include "core/skin/skin_store.h"
#include "platform/audio/sound_system.h"
#include "platform/gl/texture_set.h"
#include "platform/net/curl_version_source.h"
#include "platform/ui/main_window_host.h"
#include "platform/ui/skin_info_popup.h"
#include "platform/ui/xdg_url_opener.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QIcon;

namespace kubrix {

class MainWindow;
class Messages;
class SettingsStore;

// Every field left empty takes the program's own: the per-user settings file, the system clock,
// the per-user data folder, the sound output, message boxes, the real device probe, the skin
// popup and xdg-open. Tests fill them in. The maker's web site is always the one the build or
// KUBRIX_SITE_URL names.
struct AppContextOptions {
    SettingsStore* settings = nullptr;
    const Clock* clock = nullptr;
    std::filesystem::path dataFolder;
    SoundPlayer* sound = nullptr;
    Messages* messages = nullptr;
    std::function<int()> probeDevice;
    SkinInfoPresenter* skinInfo = nullptr;
    UrlOpener* opener = nullptr;
};

class AppContext final : public AppShell {
public:
    AppContext() : AppContext(AppContextOptions{}) {}
    explicit AppContext(AppContextOptions options);
    ~AppContext() override;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Creates, sets up and shows the main window. Without a usable device the window shows the
    // initialisation error and closes itself once the event loop runs.
    bool createMainWindow() override;
    void releaseSkins() override;
    // After a skin was applied or the default restored: the scene takes the new textures, the
    // sounds are rebuilt, and the music, when it is on, starts again in the new skin's tune.
    void skinChanged();
    // The window's destruction (statistics saved, textures released), before shutDown.
    void destroyMainWindow();

    GameApp& app() { return app_; }
    MainWindow* mainWindow() const { return window_.get(); }
    SettingsStore& settings() { return settings_; }
    SkinStore& skins() { return skins_; }
    GameHost& host() { return host_; }
    TextureSet& textures() { return textures_; }
    const std::filesystem::path& dataFolder() const { return dataFolder_; }

    // The per-user folder of saved games and skin packages: $XDG_DATA_HOME/Kubrix.
    static std::filesystem::path defaultDataFolder();
    // The game's icon at the sizes window managers and panels look for, drawn down from its
    // one large picture.
    static QIcon gameIcon();

private:
    std::unique_ptr<SettingsStore> ownSettings_;
    SettingsStore& settings_;
    SystemClock systemClock_;
    const Clock& clock_;
    std::filesystem::path dataFolder_;
    std::vector<std::uint8_t> builtInSkin_;
    std::unique_ptr<Messages> ownMessages_;
    Messages& messages_;
    XdgUrlOpener xdgOpener_;
    UrlOpener& opener_;
    SkinInfoPopup skinInfo_;
    SkinStore skins_;
    TextureSet textures_;
    std::unique_ptr<SoundSystem> ownSound_;
    SoundPlayer& sound_;
    MainWindowHost host_;
    std::function<int()> probeDevice_;
    SiteAddress site_;
    CurlVersionSource versionSource_;
    GameApp app_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace kubrix
