// The menu bar: every Game and Help command with its text and shortcut, and the menus in order.
#pragma once

#include <QKeySequence>

class QAction;
class QMainWindow;

namespace kubrix {

class Game;
class ViewControl;

// Each command is a QAction named "action" and the command's name ("actionNew",
// "actionSaveGame"...), a child of the window; the window connects them and keeps their enabled
// and checked states.
class MainMenu final {
public:
    // Creates every action and fills the window's menu bar: Game, the View menu, Help.
    MainMenu(QMainWindow& window, ViewControl& view);

    // The enabled and checked states of the Game menu as the game now is.
    void showState(const Game& game);

    QAction* const newGame;
    QAction* const hint;
    QAction* const pause;
    QAction* const beginner;
    QAction* const intermediate;
    QAction* const expert;
    QAction* const custom;
    QAction* const noGuess;
    QAction* const loadGame;
    QAction* const saveGame;
    QAction* const statistics;
    QAction* const records;
    QAction* const sound;
    QAction* const music;
    QAction* const questionMarks;
    QAction* const preferences;
    QAction* const skins;
    QAction* const automaticUpdates;
    QAction* const exit;
    QAction* const contents;
    QAction* const tutorial;
    QAction* const about;

private:
    static QAction* make(QMainWindow& window, const char* name, const char* text,
                         const QKeySequence& shortcut = {});
};

} // namespace kubrix
