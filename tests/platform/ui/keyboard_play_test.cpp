// Keyboard play, chording with the mouse and pausing, in the real window with synthesised keys
// and clicks.
#include "core/game/levels.h"
#include "core/scene/view_projection.h"
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/board_view.h"

#include <QDialog>
#include <QImage>
#include <QTest>

#include <optional>
#include <vector>

namespace kubrix::test {
namespace {

class KeyboardPlayTest : public AppWindowTest {
protected:
    // A 3 x 3 x 1 custom game seen face on; its one bomb is placed by the first exposure.
    void startFlatGame()
    {
        start();
        ASSERT_TRUE(waitForFirstFrame());
        // Shortcuts reach the active window only.
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
        context->app().viewRotation() = Quaternion{};
        game().newGame(kLevelCustom, 3, 3, 1, 1);
    }

    BoardView& view() { return *frame().boardView(); }
    void key(Qt::Key key) { QTest::keyClick(&frame(), key); }
    std::optional<int> cursor() const { return context->mainWindow()->keyboard().cursorCube(); }
    int at(int x, int y) const { return context->app().game().board().indexOf(x, y, 0); }
    int bomb() const { return cubesWith(&Cube::bomb).front(); }
    int covered() const { return int(cubesWith(&Cube::covered).size()); }
    std::vector<int> cubesWith(std::int32_t Cube::*flag) const
    {
        std::vector<int> found;
        for (int i = 0; i < context->app().game().board().cubeCount(); ++i)
            if (context->app().game().board().cube(i).*flag != 0)
                found.push_back(i);
        return found;
    }

    // Arrow keys, across first, from the cursor's cube to (x, y).
    void walkTo(int x, int y)
    {
        for (int step = 0; step < 4 && cursor() && *cursor() != at(x, y); ++step) {
            const CubePosition now = game().board().positionOf(*cursor());
            if (now.x != x)
                key(now.x < x ? Qt::Key_Right : Qt::Key_Left);
            else
                key(now.y < y ? Qt::Key_Up : Qt::Key_Down);
        }
        ASSERT_EQ(cursor(), at(x, y));
    }

    // Where the cube's middle shows, in the view's logical pixels.
    QPoint pointOf(int index)
    {
        const ViewProjection projection = frame().viewControl().projection(
            game().board(), view().deviceWidth(), view().deviceHeight());
        const ScreenPoint p = *projection.projectCube(index);
        return QPointF(p.x, p.y).toPoint() / view().devicePixelRatioF();
    }
    void click(Qt::MouseButton button, int index)
    {
        QTest::mouseClick(&view(), button, {}, pointOf(index));
    }
};

TEST_F(KeyboardPlayTest, AGameWonWithTheKeyboardAloneCountsLikeAnyOther)
{
    startFlatGame();
    const int won = context->app().statistics().gamesWon();
    key(Qt::Key_Space);
    ASSERT_EQ(cursor(), at(1, 1)) << "the first key shows the cursor in the middle of the face";
    EXPECT_EQ(game().startTick(), 0U) << "and does nothing else";
    key(Qt::Key_Space);
    ASSERT_TRUE(game().running());
    const CubePosition mine = game().board().positionOf(bomb());
    walkTo(mine.x, mine.y);
    key(Qt::Key_M);
    EXPECT_EQ(game().marksPlaced(), 1);
    key(Qt::Key_C); // on the marked cube: every number that counts it

    EXPECT_TRUE(game().ended());
    EXPECT_FALSE(game().lost());
    EXPECT_EQ(context->app().statistics().gamesWon(), won + 1);

    const Quaternion before = context->app().viewRotation();
    QTest::keyClick(&frame(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_NE(context->app().viewRotation(), before) << "Ctrl turns the block instead";
}

TEST_F(KeyboardPlayTest, ACursorOnAPeeledLayerMovesToACoveredCubeTheEyeSees)
{
    startFlatGame();
    game().newGame(kLevelCustom, 3, 3, 3, 1);
    key(Qt::Key_Right);
    ASSERT_EQ(game().board().positionOf(*cursor()).z, 2) << "on the front layer";
    key(Qt::Key_PageDown);
    ASSERT_TRUE(cursor());
    const CubePosition now = game().board().positionOf(*cursor());
    EXPECT_EQ(now.z, 1) << "on the layer now in front";
    EXPECT_TRUE(frame().viewControl().projection(game().board(), 600, 600).showsCovered(*cursor()));
}

TEST_F(KeyboardPlayTest, BothButtonsOrTheMiddleOneChordOnANumbersLabel)
{
    startFlatGame();
    click(Qt::LeftButton, at(1, 1));
    ASSERT_TRUE(game().running());
    click(Qt::MiddleButton, at(1, 1));
    click(Qt::RightButton, bomb());
    const QPoint middle = pointOf(at(1, 1));
    QTest::mousePress(&view(), Qt::LeftButton, Qt::NoModifier, middle);
    QTest::mousePress(&view(), Qt::RightButton, Qt::NoModifier, middle);
    QTest::mouseRelease(&view(), Qt::LeftButton, Qt::NoModifier, middle);
    QTest::mouseRelease(&view(), Qt::RightButton, Qt::NoModifier, middle);
    EXPECT_TRUE(game().ended() && !game().lost()) << "every other cube exposed";
    EXPECT_EQ(game().marksPlaced(), 1) << "the release of the second button marked nothing";

    game().newGame(kLevelCustom, 3, 3, 1, 1);
    click(Qt::LeftButton, at(1, 1));
    click(Qt::RightButton, bomb() == at(0, 0) ? at(2, 2) : at(0, 0));
    click(Qt::MiddleButton, at(1, 1));
    EXPECT_TRUE(game().lost()) << "a chord through a wrong mark";
}

TEST_F(KeyboardPlayTest, APausedGameHidesItsBlockAndStopsItsClockUntilResumed)
{
    startFlatGame();
    key(Qt::Key_Space);
    key(Qt::Key_Space);
    clock.advance(3000);
    const QPoint corner = pointOf(at(0, 2)) * view().devicePixelRatioF();
    const QRgb shown = view().grabFramebuffer().pixel(corner);
    key(Qt::Key_P);
    ASSERT_TRUE(game().paused());
    EXPECT_TRUE(item("actionPause")->isChecked());
    EXPECT_FALSE(item("actionHint")->isEnabled());
    EXPECT_EQ(view().coverText(), QStringLiteral("Paused"));
    EXPECT_NE(view().grabFramebuffer().pixel(corner), shown) << "no cube drawn there";
    clock.advance(60000);
    EXPECT_EQ(game().elapsedSeconds(), 3U);
    key(Qt::Key_Space);
    EXPECT_EQ(covered(), 8) << "the keys leave a paused board alone";
    click(Qt::LeftButton, at(0, 2));
    EXPECT_FALSE(game().paused());
    EXPECT_EQ(covered(), 8) << "the click only resumed";

    QDialog dialog(&frame());
    dialog.setModal(true);
    dialog.open();
    ASSERT_TRUE(waitFor([&] { return game().paused(); }));
    dialog.close();
    ASSERT_TRUE(waitFor([&] { return !game().paused(); })) << "the dialog's pause ends with it";
    frame().showMinimized();
    ASSERT_TRUE(waitFor([&] { return game().paused(); }));
    frame().showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(game().paused()) << "until the player comes back to it";
}

} // namespace
} // namespace kubrix::test
