// The main window's menu bar, built from one table of command ids, texts and shortcuts.
#pragma once

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace kubrix {

struct MainMenu {
    QMenu* game = nullptr;
    QMenu* help = nullptr;
    // Every item by its command id, which each action also carries as its data().
    std::map<int, QAction*> actions;
};

// Fills the bar with the "&Game" and "&Help" menus. An item's text before a tab is the
// action's text and the key after it the action's shortcut.
MainMenu buildMainMenu(QMenuBar& bar);

} // namespace kubrix
