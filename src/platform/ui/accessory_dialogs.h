// The menus' accessory commands: statistics, records, skins, graphics settings, the update
// dialogs, About and the help.
#pragma once

#include <QPointer>

#include <functional>

class QWidget;

namespace kubrix {

class Clock;
class Game;
class HelpWindow;
class Messages;
class SettingsStore;
class SiteAddress;
class SkinStore;
class Statistics;
class UpdateCheck;
class UrlOpener;

class AccessoryDialogs {
public:
    struct Services {
        Game& game;
        SettingsStore& settings;
        UpdateCheck& updates;
        const SiteAddress& site;
        UrlOpener& opener;
        Messages& messages;
        Statistics& statistics;
        const Clock& clock;
        SkinStore& skins;
        // After the skin manager applied another skin.
        std::function<void()> skinChanged;
    };

    // The dialogs open over owner; the help window lives as long as owner.
    AccessoryDialogs(QWidget& owner, Services services);

    // Game > Statistics..., Game > Records... and Game > Skins...
    void statistics();
    void records();
    void skins();
    // Game > Preferences...: the caller repaints afterwards, whatever the player chose.
    void graphicsSettings();
    // Game > Automatic Updates...
    void configureUpdates();
    // "Update Detected for Kubrix"; the version it announced is then stored as known.
    void updateNotice();
    // Help > About Kubrix...
    void about();
    // Help > Contents: the help window at its table of contents.
    void helpContents();
    // Null until the help was first opened.
    HelpWindow* helpWindow() const;

private:
    QWidget& owner_;
    Services services_;
    QPointer<HelpWindow> help_;
};

} // namespace kubrix
