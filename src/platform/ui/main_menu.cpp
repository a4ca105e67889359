// The menu bar's actions and their order.
#include "platform/ui/main_menu.h"

#include "core/game/game.h"
#include "core/game/levels.h"
#include "platform/ui/view_control.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kubrix {

MainMenu::MainMenu(QMainWindow& window, ViewControl& view)
    : newGame(make(window, "actionNew", "&New", Qt::Key_F2)),
      hint(make(window, "actionHint", "&Hint", Qt::Key_H)),
      pause(make(window, "actionPause", "P&ause", Qt::Key_P)),
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
      questionMarks(make(window, "actionQuestionMarks", "&Question Marks")),
      preferences(make(window, "actionPreferences", "&Preferences...")),
      skins(make(window, "actionSkins", "S&kins...")),
      automaticUpdates(make(window, "actionAutomaticUpdates", "Automatic Updates...")),
      exit(make(window, "actionExit", "E&xit")),
      contents(make(window, "actionContents", "&Contents", Qt::Key_F1)),
      tutorial(make(window, "actionTutorial", "&Tutorial", Qt::CTRL | Qt::Key_F1)),
      about(make(window, "actionAbout", "&About Kubrix..."))
{
    for (QAction* toggle : {pause, sound, music, questionMarks, tutorial, noGuess})
        toggle->setCheckable(true);
    // The level played is checked.
    auto* levels = new QActionGroup(&window);
    for (QAction* level : {beginner, intermediate, expert, custom}) {
        level->setCheckable(true);
        levels->addAction(level);
    }

    QMenuBar& bar = *window.menuBar();
    QMenu* gameMenu = bar.addMenu(QStringLiteral("&Game"));
    gameMenu->addActions({newGame, hint, pause});
    gameMenu->addSeparator();
    gameMenu->addActions({beginner, intermediate, expert, custom, noGuess});
    gameMenu->addSeparator();
    gameMenu->addActions({loadGame, saveGame});
    gameMenu->addSeparator();
    gameMenu->addActions({statistics, records});
    gameMenu->addSeparator();
    gameMenu->addActions({sound, music, questionMarks, preferences, skins, automaticUpdates});
    gameMenu->addSeparator();
    gameMenu->addAction(exit);

    view.addMenu(bar);

    QMenu* helpMenu = bar.addMenu(QStringLiteral("&Help"));
    helpMenu->addActions({contents, tutorial});
    helpMenu->addSeparator();
    helpMenu->addAction(about);
}

void MainMenu::showState(const Game& game)
{
    saveGame->setEnabled(game.running());
    // A hint would light a cube of the block the pause hides.
    hint->setEnabled(game.running() && !game.paused());
    pause->setEnabled(game.running());
    pause->setChecked(game.paused());
    noGuess->setChecked(game.noGuessBoards());
    sound->setChecked(game.soundOn());
    music->setChecked(game.musicOn());
    questionMarks->setChecked(game.questionMarks());
    const int level = game.level();
    beginner->setChecked(level == kLevelBeginner);
    intermediate->setChecked(level == kLevelIntermediate);
    expert->setChecked(level == kLevelExpert);
    custom->setChecked(level == kLevelCustom);
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
