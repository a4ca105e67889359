// The tutorial in the real window: the first start, the page window beside the game, its
// buttons through all nine pages, and what new games and closing do while it runs.
#include "core/game/tutorial_layout.h"
#include "core/tutorial/tutorial_pages.h"
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/tutorial_window.h"

#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <string>

namespace kubrix::test {
namespace {

class TutorialWindowTest : public AppWindowTest {
protected:
    TutorialWindow* tutorial() { return frame().tutorialWindow(); }

    QPushButton* button(int id)
    {
        auto* found = tutorial()->findChild<QPushButton*>(QString::number(id));
        EXPECT_NE(found, nullptr) << "button " << id;
        return found;
    }

    // Runs the timer with the clock until "Next >>" can be pressed.
    bool tickUntilNext()
    {
        for (int tick = 0; tick < 60; ++tick) {
            clock.advance(MainWindow::kTimerMs);
            frame().timerTick();
            if (button(TutorialWindow::kNextId)->isEnabled())
                return true;
        }
        return false;
    }

    bool onTutorialBoard()
    {
        const auto layout = tutorialLayout();
        return std::equal(layout.begin(), layout.end(), game().board().cubes().begin(),
                          game().board().cubes().end(),
                          [](const Cube& a, const Cube& b) { return a.bomb == b.bomb; });
    }
};

TEST_F(TutorialWindowTest, TheFirstStartOpensTheTutorialBesideTheGameAndLaterStartsDoNot)
{
    firstRun = true;
    MainWindow& window = start();
    EXPECT_TRUE(window.tutorialRunning());
    EXPECT_TRUE(window.tutorialGame());
    EXPECT_TRUE(onTutorialBoard());
    EXPECT_EQ(context->app().viewRotation(), kTutorialO0);
    EXPECT_TRUE(item("actionTutorial")->isChecked());
    EXPECT_EQ(store.readInt("Startup", "hst", 0), 1);
    ASSERT_TRUE(waitFor([&] { return tutorial()->isVisible(); }));
    EXPECT_EQ(tutorial()->windowTitle(), QStringLiteral("Tutorial: Objective"));
    // The main window's centre lies in the left half: the tutorial's centre on its right edge.
    const QRect main = window.frameGeometry();
    const QRect own = tutorial()->frameGeometry();
    EXPECT_EQ(own.left() + own.width() / 2, main.right() + 1);
    EXPECT_EQ(own.top(), main.top() + main.height() / 5);

    context.reset();
    start();
    EXPECT_FALSE(frame().tutorialRunning()) << "only the first start brings it";
    EXPECT_FALSE(frame().tutorialGame());
}

TEST_F(TutorialWindowTest, InTheRightHalfOfTheScreenTheTutorialOpensLeftOfTheGame)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int left = area.left() + area.width() / 2 + 40;
    store.writeText("Startup", "wscale",
                    std::to_string(left) + ",100," + std::to_string(left + 400) + ",600");
    MainWindow& window = start();
    ASSERT_TRUE(waitFor([&] { return window.isVisible(); }));
    choose("actionTutorial");
    ASSERT_NE(tutorial(), nullptr);
    ASSERT_TRUE(waitFor([&] { return tutorial()->isVisible(); }));
    const QRect own = tutorial()->frameGeometry();
    EXPECT_EQ(own.left() + own.width() / 2, window.frameGeometry().left());

    choose("actionTutorial");
    EXPECT_FALSE(window.tutorialRunning()) << "a second use closes it";
    EXPECT_FALSE(item("actionTutorial")->isChecked());
}

TEST_F(TutorialWindowTest, NextLeadsThroughEveryPageToFinishWhichClosesAndKeepsTheGame)
{
    start();
    choose("actionTutorial");
    ASSERT_NE(tutorial(), nullptr);
    QPushButton* next = button(TutorialWindow::kNextId);
    QPushButton* cancel = button(TutorialWindow::kCancelId);
    ASSERT_TRUE(next && cancel);
    for (int page = 0; page < kTutorialPageCount; ++page) {
        EXPECT_EQ(tutorial()->windowTitle().toStdString(),
                  "Tutorial: " + std::string(tutorialPage(page).title));
        EXPECT_FALSE(next->isEnabled()) << "page " << page;
        ASSERT_TRUE(tickUntilNext()) << "page " << page;
        if (page < kTutorialLastPage) {
            EXPECT_EQ(next->text(), QStringLiteral("Next >>"));
            EXPECT_FALSE(cancel->isHidden());
            next->click();
        }
    }
    EXPECT_EQ(next->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_EQ(context->app().viewRotation(), kTutorialO2) << "the turn pages ended there";

    next->click();
    EXPECT_FALSE(frame().tutorialRunning());
    EXPECT_FALSE(item("actionTutorial")->isChecked());
    EXPECT_TRUE(frame().tutorialGame()) << "the tutorial game goes on";
    EXPECT_EQ(game().board().cube(60).covered, 0);
    EXPECT_EQ(context->app().viewRotation(), kTutorialO2);
}

TEST_F(TutorialWindowTest, TheViewCommandsRestWhileItPlaysAndComeBackWhenItCloses)
{
    start();
    choose("actionTutorial");
    for (const char* name : {"actionResetView", "actionZoomIn", "actionZoomOut",
                             "actionPeelLayer", "actionNeighbourhood"})
        EXPECT_FALSE(item(name)->isEnabled()) << name;
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    QTest::keyClick(&frame(), Qt::Key_PageDown);
    EXPECT_EQ(frame().viewControl().state().peel().layers, 0) << "the key rests as well";

    choose("actionTutorial");
    EXPECT_TRUE(item("actionPeelLayer")->isEnabled());
    EXPECT_FALSE(item("actionRestoreLayer")->isEnabled()) << "nothing is peeled";
}

TEST_F(TutorialWindowTest, NewGamesWhileItRunsBringTheTutorialBoardBackButNotTheTutorialGame)
{
    start();
    choose("actionExpert");
    choose("actionTutorial");
    for (const char* command : {"actionNew", "actionIntermediate"}) {
        frame().setTutorialGame(true);
        game().expose(60);
        choose(command);
        EXPECT_TRUE(onTutorialBoard()) << command;
        EXPECT_EQ(game().board().cube(60).covered, 1) << command;
        EXPECT_FALSE(frame().tutorialGame()) << command;
        EXPECT_TRUE(frame().tutorialRunning()) << command;
    }
    // A skin applied meanwhile changes the look, not the demonstration's board.
    game().expose(60);
    context->skinChanged();
    EXPECT_EQ(game().board().cube(60).covered, 0);
    EXPECT_TRUE(game().running());
    // Escape closes it as Cancel does; after that a new game is an ordinary one.
    QPointer<TutorialWindow> gone = tutorial();
    QTest::keyClick(gone, Qt::Key_Escape);
    EXPECT_FALSE(frame().tutorialRunning());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull()) << "the window deletes itself";
    choose("actionNew");
    EXPECT_FALSE(onTutorialBoard());
}

} // namespace
} // namespace kubrix::test
