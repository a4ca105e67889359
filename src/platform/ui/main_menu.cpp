// The menu bar's actions and their order.
#include "platform/ui/main_menu.h"

#include "platform/ui/view_control.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kubrix {

MainMenu::MainMenu(QMainWindow& window, ViewControl& view)
    : newGame(make(window, "actionNew", "&New", Qt::Key_F2)),
      hint(make(window, "actionHint", "&Hint", Qt::Key_H)),
      beginner(make(window, "actionBeginner", "&Beginner")),
      intermediate(make(window, "actionIntermediate", "&Intermediate")),
      expert(make(window, "actionExpert", "&Expert")),
      custom(make(window, "actionCustom", "&Custom...")),
      noGuess(make(window, "actionNoGuess", "No-&Guess Boards")),
      loadGame(make(window, "actionLoadGame", "&Load Game...", Qt::CTRL | Qt::Key_O)),
      saveGame(make(window, "actionSaveGame", "Sa&ve Game...", Qt::CTRL | Qt::Key_S)),
      statistics(make(window, "actionStatistics", "S&tatistics...")),
      records(make(window, "actionRecords", "&Records...")),
      sound(make(window, "actionSound", "&Sound")), music(make(window, "actionMusic", "&Music")),
      preferences(make(window, "actionPreferences", "&Preferences...")),
      skins(make(window, "actionSkins", "S&kins...")),
      automaticUpdates(make(window, "actionAutomaticUpdates", "Automatic Updates...")),
      exit(make(window, "actionExit", "E&xit")),
      contents(make(window, "actionContents", "&Contents", Qt::Key_F1)),
      tutorial(make(window, "actionTutorial", "&Tutorial", Qt::CTRL | Qt::Key_F1)),
      about(make(window, "actionAbout", "&About Kubrix..."))
{
    for (QAction* toggle : {sound, music, tutorial, noGuess})
        toggle->setCheckable(true);

    QMenuBar& bar = *window.menuBar();
    QMenu* gameMenu = bar.addMenu(QStringLiteral("&Game"));
    gameMenu->addActions({newGame, hint});
    gameMenu->addSeparator();
    gameMenu->addActions({beginner, intermediate, expert, custom, noGuess});
    gameMenu->addSeparator();
    gameMenu->addActions({loadGame, saveGame});
    gameMenu->addSeparator();
    gameMenu->addActions({statistics, records});
    gameMenu->addSeparator();
    gameMenu->addActions({sound, music, preferences, skins, automaticUpdates});
    gameMenu->addSeparator();
    gameMenu->addAction(exit);

    view.addMenu(bar);

    QMenu* helpMenu = bar.addMenu(QStringLiteral("&Help"));
    helpMenu->addActions({contents, tutorial});
    helpMenu->addSeparator();
    helpMenu->addAction(about);
}

QAction* MainMenu::make(QMainWindow& window, const char* name, const char* text,
                        const QKeySequence& shortcut)
{
    auto* action = new QAction(QString::fromLatin1(text), &window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace kubrix
