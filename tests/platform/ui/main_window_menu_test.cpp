// The main window's menu: its items, their order and shortcuts, and what each command does.
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/custom_settings_dialog.h"
#include "support/modal_answer.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <string>
#include <vector>

namespace kubrix::test {
namespace {

struct Entry {
    std::string text; // "-" for a separator
    std::string name;
    std::string shortcut;
    bool enabled;
};

std::vector<Entry> entriesOf(QMenu& menu)
{
    std::vector<Entry> entries;
    for (QAction* a : menu.actions()) {
        if (a->isSeparator())
            entries.push_back({"-", "", "", false});
        else
            entries.push_back({a->text().toStdString(), a->objectName().toStdString(),
                               a->shortcut().toString().toStdString(), a->isEnabled()});
    }
    return entries;
}

void expectEntries(const std::vector<Entry>& actual, const std::vector<Entry>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].text, expected[i].text) << "item " << i;
        EXPECT_EQ(actual[i].name, expected[i].name) << expected[i].text;
        EXPECT_EQ(actual[i].shortcut, expected[i].shortcut) << expected[i].text;
        EXPECT_EQ(actual[i].enabled, expected[i].enabled) << expected[i].text;
    }
}

TEST_F(AppWindowTest, MenuHoldsEveryCommandInOrderWithItsShortcutAndLaterOnesDisabled)
{
    MainWindow& window = start();
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Game"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&View"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Help"));

    // Right without opening a menu, as shortcuts act without one.
    QMenu& gameMenu = *menus[0]->menu();
    expectEntries(entriesOf(gameMenu),
                  {
                      {"&New", "actionNew", "F2", true},
                      {"&Hint", "actionHint", "H", false},
                      {"P&ause", "actionPause", "P", false},
                      {"-", "", "", false},
                      {"&Beginner", "actionBeginner", "", true},
                      {"&Intermediate", "actionIntermediate", "", true},
                      {"&Expert", "actionExpert", "", true},
                      {"&Custom...", "actionCustom", "", true},
                      {"No-&Guess Boards", "actionNoGuess", "", true},
                      {"-", "", "", false},
                      {"&Load Game...", "actionLoadGame", "Ctrl+O", true},
                      {"Sa&ve Game...", "actionSaveGame", "Ctrl+S", false},
                      {"-", "", "", false},
                      {"S&tatistics...", "actionStatistics", "", true},
                      {"&Records...", "actionRecords", "", true},
                      {"-", "", "", false},
                      {"&Sound", "actionSound", "", true},
                      {"&Music", "actionMusic", "", true},
                      {"&Question Marks", "actionQuestionMarks", "", true},
                      {"&Preferences...", "actionPreferences", "", true},
                      {"S&kins...", "actionSkins", "", true},
                      {"Automatic Updates...", "actionAutomaticUpdates", "", true},
                      {"-", "", "", false},
                      {"E&xit", "actionExit", "", true},
                  });
    expectEntries(entriesOf(*menus[1]->menu()),
                  {
                      {"&Reset View", "actionResetView", "Home", true},
                      {"-", "", "", false},
                      {"Zoom &In", "actionZoomIn", "+", true},
                      {"Zoom &Out", "actionZoomOut", "-", true},
                      {"-", "", "", false},
                      {"&Peel Layer", "actionPeelLayer", "PgDown", true},
                      {"Restore &Layer", "actionRestoreLayer", "PgUp", false},
                      {"-", "", "", false},
                      {"&Highlight Neighbours", "actionNeighbourhood", "N", true},
                  });
    QMenu& helpMenu = *menus[2]->menu();
    expectEntries(entriesOf(helpMenu), {
                                           {"&Contents", "actionContents", "F1", true},
                                           {"&Tutorial", "actionTutorial", "Ctrl+F1", true},
                                           {"-", "", "", false},
                                           {"&About Kubrix...", "actionAbout", "", true},
                                       });
    EXPECT_TRUE(item("actionBeginner")->isChecked()) << "the level played is checked";
    EXPECT_TRUE(item("actionQuestionMarks")->isChecked());
    // No key does two things; the board's keys are actions of the window too, outside the menus.
    QStringList keys;
    for (const QAction* action : window.findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts())
            keys.append(key.toString());
    EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kubrix"));
}

TEST_F(AppWindowTest, LevelCommandsSetThePresetBoardClearTheTutorialGameAndPlayStart)
{
    start();
    struct Case {
        const char* command;
        int level, side, bombs;
    };
    for (const Case c : {Case{"actionExpert", 2, 8, 60}, Case{"actionIntermediate", 1, 6, 23},
                         Case{"actionBeginner", 0, 4, 6}}) {
        frame().setTutorialGame(true);
        game().face().set(FaceState::kLost, clock.now());
        sound.played.clear();
        choose(c.command);
        EXPECT_EQ(game().level(), c.level);
        EXPECT_EQ(game().board().width(), c.side);
        EXPECT_EQ(game().board().height(), c.side);
        EXPECT_EQ(game().board().depth(), c.side);
        EXPECT_EQ(game().bombCount(), c.bombs);
        EXPECT_FALSE(frame().tutorialGame());
        EXPECT_EQ(game().face().value(), FaceState::kIdle) << "the view reset shows the idle face";
        EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Start});
        EXPECT_TRUE(item(c.command)->isChecked());
    }
    choose("actionSound");
    sound.played.clear();
    choose("actionExpert");
    EXPECT_TRUE(sound.played.empty()) << "no start sound with sound off";
    choose("actionQuestionMarks");
    EXPECT_FALSE(game().questionMarks() || item("actionQuestionMarks")->isChecked());
}

TEST_F(AppWindowTest, EverySwitchTheMenuFlipsIsFlippedStillAtTheNextStart)
{
    const std::pair<const char*, bool> switches[] = {{"actionSound", false},
                                                     {"actionMusic", false},
                                                     {"actionQuestionMarks", false},
                                                     {"actionNoGuess", true},
                                                     {"actionNeighbourhood", true}};
    start();
    for (const auto& [name, checked] : switches)
        choose(name);
    context.reset();
    start();
    for (const auto& [name, checked] : switches)
        EXPECT_EQ(item(name)->isChecked(), checked) << name;
}

QLineEdit* box(QWidget& dialog, int id)
{
    auto* edit = dialog.findChild<QLineEdit*>(QString::number(id));
    EXPECT_NE(edit, nullptr) << "edit box " << id;
    return edit;
}

void press(QWidget& dialog, QDialogButtonBox::StandardButton which)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_NE(buttons->button(which), nullptr);
    buttons->button(which)->click();
}

TEST_F(AppWindowTest, CustomDialogShowsTheBoardAndStartsALimitedCustomGame)
{
    start();
    choose("actionExpert");
    frame().setTutorialGame(true);
    sound.played.clear();
    {
        ModalAnswer answer([](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Custom Settings"));
            QStringList labels;
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                labels << label->text();
            for (const char* name : {"Height", "Width", "Depth", "Mines"})
                EXPECT_TRUE(labels.contains(QString::fromLatin1(name))) << name;
            const std::vector<std::pair<int, const char*>> typed{
                {1002, "25"}, {1003, "0"}, {1004, "abc"}, {1005, "600"}};
            for (const auto& [id, text] : typed) {
                QLineEdit* edit = box(dialog, id);
                ASSERT_NE(edit, nullptr);
                EXPECT_EQ(edit->text(), id == 1005 ? QStringLiteral("60") : QStringLiteral("8"));
                edit->setText(QString::fromLatin1(text));
            }
            const auto* limits = dialog.findChild<QLabel*>(QStringLiteral("limit1005"));
            EXPECT_EQ(limits ? limits->text() : "", QStringLiteral("1–19")) << "as typed";
            press(dialog, QDialogButtonBox::Ok);
        });
        choose("actionCustom");
        EXPECT_TRUE(answer.answered());
    }
    EXPECT_EQ(game().level(), 4);
    EXPECT_EQ(game().board().height(), 20);
    EXPECT_EQ(game().board().width(), 1);
    EXPECT_EQ(game().board().depth(), 1);
    EXPECT_EQ(game().bombCount(), 19) << "every cube but the first exposed one";
    EXPECT_FALSE(frame().tutorialGame());
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Start});
}

TEST_F(AppWindowTest, CustomDialogCancelledChangesNothing)
{
    start();
    choose("actionIntermediate");
    frame().setTutorialGame(true);
    game().face().set(FaceState::kLost, clock.now());
    sound.played.clear();
    {
        ModalAnswer answer([](QWidget& dialog) {
            if (QLineEdit* edit = box(dialog, CustomSettingsDialog::kHeightId))
                edit->setText(QStringLiteral("3"));
            press(dialog, QDialogButtonBox::Cancel);
        });
        choose("actionCustom");
        EXPECT_TRUE(answer.answered());
    }
    EXPECT_EQ(game().level(), 1);
    EXPECT_EQ(game().board().height(), 6);
    EXPECT_EQ(game().bombCount(), 23);
    EXPECT_TRUE(frame().tutorialGame());
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(game().face().value(), FaceState::kLost) << "not even the view is reset";
}

TEST_F(AppWindowTest, SoundAndMusicFlipTheGameTheirCheckMarksAndTheSettings)
{
    start();
    QAction* soundItem = item("actionSound");
    QAction* musicItem = item("actionMusic");
    ASSERT_TRUE(soundItem && musicItem);
    EXPECT_TRUE(soundItem->isChecked());
    EXPECT_TRUE(musicItem->isChecked());

    choose("actionSound");
    EXPECT_FALSE(game().soundOn());
    EXPECT_FALSE(soundItem->isChecked());
    EXPECT_EQ(store.readInt("Startup", "s", -1), 0);
    choose("actionSound");
    EXPECT_TRUE(game().soundOn());
    EXPECT_TRUE(soundItem->isChecked());
    EXPECT_EQ(store.readInt("Startup", "s", -1), 1);

    const int stops = sound.musicStops;
    choose("actionMusic");
    EXPECT_FALSE(game().musicOn());
    EXPECT_FALSE(musicItem->isChecked());
    EXPECT_EQ(store.readInt("Startup", "t", -1), 0);
    EXPECT_EQ(sound.musicStops, stops + 1);
    choose("actionMusic");
    EXPECT_TRUE(game().musicOn());
    EXPECT_TRUE(musicItem->isChecked());
    EXPECT_EQ(store.readInt("Startup", "t", -1), 1);
}

TEST_F(AppWindowTest, SaveGameIsOnlyOfferedWhileAGameRunsAndNeverSavesTheTutorialGame)
{
    start();
    QAction* save = item("actionSaveGame");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(save->isEnabled()) << "before the first move";

    clock.advance(1000);
    ASSERT_EQ(game().expose(0), 1);
    ASSERT_TRUE(game().running());
    EXPECT_TRUE(save->isEnabled()) << "the game reported its start";

    frame().setTutorialGame(true);
    choose("actionSaveGame");
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, "You cannot save the tutorial game.");
    EXPECT_EQ(messages.shown[0].caption, "Save Game");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(std::filesystem::is_empty(data.path())) << "nothing was saved";

    // Lose the game: the item goes grey again and a chosen shortcut does nothing.
    int bomb = -1;
    for (int i = 0; i < game().board().cubeCount(); ++i)
        if (game().board().cube(i).bomb != 0 && game().board().cube(i).covered != 0)
            bomb = i;
    ASSERT_GE(bomb, 0);
    game().expose(bomb);
    ASSERT_TRUE(game().ended());
    EXPECT_FALSE(save->isEnabled()) << "after the game ended";
    choose("actionSaveGame");
    EXPECT_EQ(messages.shown.size(), 1U);
}

TEST_F(AppWindowTest, NewKeepsTheSizeAndStartsAFreshGame)
{
    start();
    ASSERT_TRUE(waitForFirstFrame());
    game().newGame(4, 5, 6, 7, 9);
    clock.advance(500);
    game().expose(3);
    ASSERT_TRUE(game().running());
    frame().setTutorialGame(true);
    sound.played.clear();

    choose("actionNew");
    EXPECT_EQ(game().level(), 4);
    EXPECT_EQ(game().board().width(), 5);
    EXPECT_EQ(game().board().height(), 6);
    EXPECT_EQ(game().board().depth(), 7);
    EXPECT_EQ(game().bombCount(), 9);
    EXPECT_EQ(game().startTick(), 0U);
    EXPECT_EQ(game().endTick(), 0U);
    EXPECT_EQ(game().marksPlaced(), 0);
    for (const Cube& cube : game().board().cubes())
        ASSERT_EQ(cube.covered, 1);
    EXPECT_FALSE(frame().tutorialGame());
    EXPECT_EQ(game().face().value(), FaceState::kIdle);
    EXPECT_EQ(sound.played, std::vector<SoundId>{SoundId::Start});
}

TEST_F(AppWindowTest, ExitClosesTheWindowAndStoresItsPlacement)
{
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return window.isVisible(); }));
    choose("actionExit");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(store.readText("Startup", "wscale", ""), "0,0,600,600");
}

TEST_F(AppWindowTest, TheHintKeyLightsAProvableCubeOrSaysThatAGuessIsNeeded)
{
    MainWindow& window = start();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << "shortcuts act in the active window";
    QAction* hint = item("actionHint");
    choose("actionNoGuess");
    EXPECT_TRUE(item("actionNoGuess")->isChecked() && store.readInt("Startup", "NoGuess", 0) == 1);

    choose("actionIntermediate");
    EXPECT_FALSE(hint->isEnabled()) << "nothing to reason about before the first exposure";
    clock.set(31337);
    game().expose(0);
    EXPECT_TRUE(game().running() && hint->isEnabled());
    for (int layer = 0; layer < 5; ++layer) // all but the last of the six
        choose("actionPeelLayer");
    QTest::keyClick(&window, Qt::Key_H);
    ASSERT_TRUE(game().litHint().has_value());
    const CubePosition lit = game().board().positionOf(game().litHint()->cube);
    const Peel& peel = frame().viewControl().state().peel();
    EXPECT_FALSE(peel.hides(lit.x, lit.y, lit.z, 6)) << "peeled layers give way to the hint";
    EXPECT_EQ(game().board().cube(game().litHint()->cube).bomb, 0) << "a board needing no guess";
    EXPECT_TRUE(messages.shown.empty());

    // A game started by a mark: everything is covered, and 6 bombs in 64 cubes prove nothing.
    choose("actionBeginner");
    game().toggleMark(5);
    QTest::keyClick(&window, Qt::Key_H);
    EXPECT_FALSE(game().litHint().has_value());
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, "No cube can be proven safe: a guess is needed here.");

    // No board 62 bombs in 64 cubes needs no guess: the game goes on, and a line says so.
    game().newGame(4, 4, 4, 4, 62);
    game().expose(21);
    const auto* notice = window.findChild<QLabel*>(QStringLiteral("noticeLine"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible()) << "no message box in the middle of a click";
    // It lies over the board's OpenGL window, not beneath it: the screen shows it.
    const QPoint corner = notice->mapToGlobal(QPoint(1, 1));
    const QColor paper = notice->palette().color(QPalette::ToolTipBase);
    EXPECT_TRUE(waitFor([&] {
        const QImage seen =
            QGuiApplication::primaryScreen()->grabWindow(0, corner.x(), corner.y(), 1, 1).toImage();
        return seen.pixelColor(0, 0) == paper;
    }));
}

TEST_F(AppWindowTest, ViewCommandsZoomPeelAndTurnBackToTheStart)
{
    start();
    game().newGame(4, 5, 6, 7, 9);
    const ViewControl& view = frame().viewControl();
    QAction* restore = item("actionRestoreLayer");
    context->app().viewRotation() = kTutorialRotation; // +z faces the viewer: 7 layers deep
    choose("actionPeelLayer");
    choose("actionPeelLayer");
    EXPECT_EQ(view.layerCaption(), "layer 3 / 7");
    EXPECT_TRUE(restore->isEnabled());
    frame().boardInput().wheelTurned(120, true); // Shift + wheel away from the player restores one
    EXPECT_EQ(view.layerCaption(), "layer 2 / 7");

    frame().boardInput().wheelTurned(-240, false);
    const float out = view.distance();
    EXPECT_GT(out, 1.0F);

    // A new game keeps the zoom and shows every layer.
    choose("actionNew");
    EXPECT_EQ(view.layerCaption(), "");
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_FLOAT_EQ(view.distance(), out);

    // A turn that brings another side to the front starts again from its outermost layer.
    choose("actionPeelLayer");
    choose("actionPeelLayer");
    context->app().viewRotation() = fromEuler(0, 90, 0); // -x faces the viewer
    choose("actionPeelLayer");
    EXPECT_EQ(view.layerCaption(), "layer 2 / 5");

    choose("actionResetView");
    EXPECT_EQ(context->app().viewRotation(), kTutorialRotation);
    EXPECT_FLOAT_EQ(view.distance(), 1.0F);
    EXPECT_EQ(view.layerCaption(), "");
}

} // namespace
} // namespace kubrix::test
