// The main window's menu layout.
#include "platform/ui/main_menu.h"

#include "platform/ui/command_ids.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <span>

namespace kubrix {

namespace {

// Id 0 is a separator.
struct MenuItem {
    int id;
    const char* text;
};

constexpr MenuItem kGameMenu[] = {
    {command::kNew, "&New\tF2"},
    {0, nullptr},
    {command::kBeginner, "&Beginner"},
    {command::kIntermediate, "&Intermediate"},
    {command::kExpert, "&Expert"},
    {command::kCustom, "&Custom..."},
    {0, nullptr},
    {command::kLoadGame, "&Load Game...\tCtrl+O"},
    {command::kSaveGame, "Sa&ve Game...\tCtrl+S"},
    {0, nullptr},
    {command::kStatistics, "S&tatistics..."},
    {command::kRecords, "&Records..."},
    {0, nullptr},
    {command::kSound, "&Sound"},
    {command::kMusic, "&Music"},
    {command::kPreferences, "&Preferences..."},
    {command::kSkins, "S&kins..."},
    {command::kAutomaticUpdates, "Automatic Updates..."},
    {0, nullptr},
    {command::kExit, "E&xit"},
};

constexpr MenuItem kHelpMenu[] = {
    {command::kContents, "&Contents\tF1"},
    {command::kTutorial, "&Tutorial\tCtrl+F1"},
    {0, nullptr},
    {command::kAbout, "&About Kubrix..."},
};

QMenu* addMenu(QMenuBar& bar, const QString& title, std::span<const MenuItem> items,
               std::map<int, QAction*>& actions)
{
    QMenu* menu = bar.addMenu(title);
    for (const MenuItem& item : items) {
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        const QString text = QString::fromLatin1(item.text);
        const qsizetype tab = text.indexOf(u'\t');
        QAction* action = menu->addAction(text.left(tab));
        if (tab >= 0)
            action->setShortcut(QKeySequence::fromString(text.mid(tab + 1)));
        action->setData(item.id);
        actions[item.id] = action;
    }
    return menu;
}

} // namespace

MainMenu buildMainMenu(QMenuBar& bar)
{
    MainMenu menu;
    menu.game = addMenu(bar, QStringLiteral("&Game"), kGameMenu, menu.actions);
    menu.help = addMenu(bar, QStringLiteral("&Help"), kHelpMenu, menu.actions);
    return menu;
}

} // namespace kubrix
