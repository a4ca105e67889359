// The menus' accessory commands: graphics settings, the update dialogs, About and the help.
#pragma once

#include <QPointer>

class QWidget;

namespace kubrix {

class Game;
class HelpWindow;
class Messages;
class SettingsStore;
class SiteAddress;
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
    };

    // The dialogs open over owner; the help window lives as long as owner.
    AccessoryDialogs(QWidget& owner, Services services);

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
