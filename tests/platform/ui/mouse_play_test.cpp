// Playing with the mouse in the real window: synthesised presses, moves and releases on the board
// view expose, mark, turn, spin, highlight and start new games.
#include "core/game/tutorial_layout.h"
#include "core/scene/camera.h"
#include "core/scene/quaternion.h"
#include "platform/gl/render_rig.h"
#include "platform/ui/app_window_fixture.h"
#include "platform/ui/board_view.h"

#include <QCursor>
#include <QMouseEvent>
#include <QTest>

#include <cmath>
#include <optional>

namespace kubrix::test {
namespace {

// The six face directions of a cube, as offsets.
constexpr std::array<std::array<int, 3>, 6> kDirections{
    {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}};

class MousePlayTest : public AppWindowTest {
protected:
    // The window shown and drawn once, with the view turned as given.
    void startShowing(const Quaternion& rotation = Quaternion{})
    {
        start();
        QObject::connect(&view(), &BoardView::frameSwapped, [this] { frameDrawn_ = true; });
        ASSERT_TRUE(waitForFirstFrame());
        context->app().viewRotation() = rotation;
        // The synthesised events do not move the display's pointer; the timer gives the cursor
        // back whenever that pointer is elsewhere, so it is put over the view.
        EXPECT_TRUE(pointerTo(view().rect().center()));
        paintNow();
        quietFace();
    }

    // The display moves its pointer asynchronously: a move is awaited before anything reads it.
    bool pointerTo(QPoint local)
    {
        const QPoint global = view().mapToGlobal(local);
        QCursor::setPos(global);
        return waitFor([&] {
            return QCursor::pos() == global &&
                   view().rect().contains(local) == view().pointerOver();
        });
    }

    // An idle face whose next blink lies beyond the test's frozen clock, so the timer cannot
    // make it blink while a click is tested.
    void quietFace()
    {
        FaceState& face = game().face();
        clock.advance(FaceState::kFlashMs + 1);
        face.expire(clock.now());
        face.tickBlink(clock.now(), FaceState::kBlinkSpreadMs - 1);
        clock.advance(FaceState::kFlashMs + 1);
        face.expire(clock.now());
    }

    BoardView& view() { return *frame().boardView(); }

    // A running game on exactly these cubes; the first exposure does not move the bombs.
    void play(int width, int height, int depth, const std::vector<Cube>& cubes)
    {
        int bombs = 0;
        for (const Cube& cube : cubes)
            bombs += cube.bomb;
        ASSERT_TRUE(game().restoreGame(0, 4, width, height, depth, bombs, 0, cubes));
        paintNow();
    }

    void paintNow()
    {
        view().redraw();
        frameDrawn_ = false;
        ASSERT_TRUE(waitFor([&] { return frameDrawn_; }));
    }

    // Where board point p lands in the view (device pixels, which are the view's own under the
    // test display), by the camera of the frame.
    QPoint pixelOf(float x, float y, float z)
    {
        const Board& board = game().board();
        const int w = view().deviceWidth();
        const int h = view().deviceHeight();
        const CameraSetup camera =
            cameraFor(board.width(), board.height(), board.depth(), board.sceneRadius(), w, h);
        const Matrix4 m = toMatrix(context->app().viewRotation());
        const float bx = x + camera.offsetX;
        const float by = y + camera.offsetY;
        const float bz = z + camera.offsetZ;
        const float ex = m[0] * bx + m[4] * by + m[8] * bz;
        const float ey = m[1] * bx + m[5] * by + m[9] * bz;
        const float ez = m[2] * bx + m[6] * by + m[10] * bz + camera.centreZ;
        const float ndcX = ex / -ez / camera.xExtent;
        const float ndcY = ey / -ez / camera.yExtent;
        return {static_cast<int>(std::lround((ndcX + 1.0F) / 2.0F * static_cast<float>(w))),
                static_cast<int>(std::lround(static_cast<float>(h) -
                                             (ndcY + 1.0F) / 2.0F * static_cast<float>(h)))};
    }

    // A pixel over a face of the cube that shows and looks towards the viewer, checked by
    // picking; none when no face of the cube is to be seen.
    std::optional<QPoint> pixelOverCube(int index)
    {
        const Board& board = game().board();
        const CubePosition at = board.positionOf(index);
        const Matrix4 m = toMatrix(context->app().viewRotation());
        const float out = game().quality() == 2 ? 0.5F + 0.08F : 0.5F;
        for (const auto& [dx, dy, dz] : kDirections) {
            const int nx = at.x + dx, ny = at.y + dy, nz = at.z + dz;
            if (board.contains(nx, ny, nz) && board.cube(board.indexOf(nx, ny, nz)).covered != 0)
                continue;
            if (m[2] * float(dx) + m[6] * float(dy) + m[10] * float(dz) < 0.3F)
                continue;
            const QPoint pixel =
                pixelOf(float(at.x) + 0.5F + out * float(dx), float(at.y) + 0.5F + out * float(dy),
                        float(at.z) + 0.5F + out * float(dz));
            if (frame().boardInput().cubeAt({pixel.x(), pixel.y()}) == index)
                return pixel;
        }
        return std::nullopt;
    }

    QPoint backgroundPixel()
    {
        const QPoint pixel(8, view().deviceHeight() / 2);
        EXPECT_EQ(frame().boardInput().cubeAt({pixel.x(), pixel.y()}), std::nullopt);
        return pixel;
    }

    QPoint logical(QPoint device) { return device / view().devicePixelRatioF(); }

    void press(Qt::MouseButton button, QPoint at)
    {
        buttons_ |= button;
        QTest::mousePress(&view(), button, Qt::NoModifier, logical(at));
    }
    void release(Qt::MouseButton button, QPoint at)
    {
        buttons_ &= ~Qt::MouseButtons(button);
        QTest::mouseRelease(&view(), button, Qt::NoModifier, logical(at));
    }
    // A move as the window system reports it, with the buttons held; not yet painted.
    void moveTo(QPoint at)
    {
        const QPointF local(logical(at));
        QMouseEvent event(QEvent::MouseMove, local, view().mapToGlobal(local), Qt::NoButton,
                          buttons_, Qt::NoModifier);
        QApplication::sendEvent(&view(), &event);
    }
    // A move and the paint that processes it.
    void moveAndPaint(QPoint at)
    {
        moveTo(at);
        ASSERT_EQ(frame().frameLoop().repaintState(), FrameLoop::Repaint::Pointer);
        ASSERT_TRUE(waitFor(
            [&] { return frame().frameLoop().repaintState() == FrameLoop::Repaint::None; }));
    }
    void click(Qt::MouseButton button, QPoint at)
    {
        press(button, at);
        release(button, at);
    }

    int coveredCount() const
    {
        int covered = 0;
        for (const Cube& cube : context->app().game().board().cubes())
            covered += cube.covered;
        return covered;
    }

private:
    Qt::MouseButtons buttons_;
    bool frameDrawn_ = false;
};

TEST_F(MousePlayTest, AClickOnACubeOfTheTutorialBoardExposesIt)
{
    startShowing();
    game().setupTutorialBoard();
    ASSERT_EQ(context->app().viewRotation(), kTutorialRotation);
    paintNow();
    // A safe cube on the block's surface, seen from the tutorial's view.
    const int cube = 2 + 4 * (3 + 4 * 3); // (2, 3, 3)
    ASSERT_EQ(game().board().cube(cube).bomb, 0);
    const auto pixel = pixelOverCube(cube);
    ASSERT_TRUE(pixel.has_value());

    click(Qt::LeftButton, *pixel);
    EXPECT_EQ(game().board().cube(cube).covered, 0);
    EXPECT_NE(game().startTick(), 0U) << "the clock runs from the first exposure";
    EXPECT_FALSE(game().lost()) << "the first exposure is always safe";
}

TEST_F(MousePlayTest, TheTutorialKeepsTheMouseOffTheBoardAndClosingItForgetsAPress)
{
    startShowing();
    frame().toggleTutorial();
    paintNow();
    const int cube = indexIn4(2, 3, 3);
    const auto pixel = pixelOverCube(cube);
    ASSERT_TRUE(pixel.has_value());
    click(Qt::LeftButton, *pixel);
    click(Qt::RightButton, *pixel);
    press(Qt::LeftButton, *pixel);
    moveTo(*pixel + QPoint(60, 0));
    paintNow();
    release(Qt::LeftButton, *pixel + QPoint(60, 0));
    EXPECT_EQ(game().board().cube(cube).covered, 1);
    EXPECT_EQ(game().board().cube(cube).marked, 0);
    EXPECT_EQ(context->app().viewRotation(), kTutorialRotation) << "no drag turned the block";

    // A press held while the tutorial closes no longer turns the block afterwards.
    frame().toggleTutorial();
    press(Qt::LeftButton, *pixel);
    frame().toggleTutorial();
    frame().toggleTutorial();
    moveAndPaint(*pixel + QPoint(60, 0));
    EXPECT_EQ(context->app().viewRotation(), kTutorialRotation);
}

TEST_F(MousePlayTest, ClicksOnTheBackgroundDoNothing)
{
    startShowing(kTutorialRotation);
    const std::vector<Cube> before = game().board().cubes();
    const QPoint nothing = backgroundPixel();
    click(Qt::LeftButton, nothing);
    click(Qt::RightButton, nothing);
    EXPECT_EQ(game().startTick(), 0U);
    EXPECT_EQ(game().marksPlaced(), 0);
    ASSERT_EQ(game().board().cubes().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(game().board().cubes()[i].covered, before[i].covered);
        EXPECT_EQ(game().board().cubes()[i].bomb, before[i].bomb) << "no new game either";
    }
}

TEST_F(MousePlayTest, RightClicksCycleMarkSuspectAndPlain)
{
    startShowing(kTutorialRotation);
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const int cube = indexIn4(3, 3, 3);
    const auto pixel = pixelOverCube(cube);
    ASSERT_TRUE(pixel.has_value());
    click(Qt::RightButton, *pixel);
    EXPECT_EQ(game().board().cube(cube).marked, 1);
    EXPECT_EQ(game().marksPlaced(), 1);
    click(Qt::RightButton, *pixel);
    EXPECT_EQ(game().board().cube(cube).marked, 0);
    EXPECT_EQ(game().board().cube(cube).suspect, 1);
    click(Qt::RightButton, *pixel);
    EXPECT_EQ(game().board().cube(cube).marked, 0);
    EXPECT_EQ(game().board().cube(cube).suspect, 0);
    EXPECT_EQ(game().marksPlaced(), 0);
    EXPECT_EQ(game().board().cube(cube).covered, 1);
}

TEST_F(MousePlayTest, ALeftPressIsAClickUpToEightPixelsAndADragFromNine)
{
    startShowing(kTutorialRotation);
    // Bombs beside both cubes, so exposing one floods nothing.
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{2, 2, 2}}));
    const int first = indexIn4(2, 3, 3);
    const int second = indexIn4(3, 2, 3);
    const auto firstPixel = pixelOverCube(first);
    const auto secondPixel = pixelOverCube(second);
    ASSERT_TRUE(firstPixel && secondPixel);

    const Quaternion turned = context->app().viewRotation();
    press(Qt::LeftButton, *firstPixel);
    moveAndPaint(*firstPixel + QPoint(8, -8));
    moveAndPaint(*firstPixel);
    release(Qt::LeftButton, *firstPixel);
    EXPECT_EQ(game().board().cube(first).covered, 0) << "wandering 8 pixels is still a click";
    EXPECT_EQ(game().face().value(), FaceState::kPressed);
    EXPECT_EQ(context->app().viewRotation(), turned);

    press(Qt::LeftButton, *secondPixel);
    moveAndPaint(*secondPixel + QPoint(0, 9));
    EXPECT_NE(context->app().viewRotation(), turned) << "9 pixels turn the block";
    const Quaternion dragged = context->app().viewRotation();
    moveAndPaint(*secondPixel);
    EXPECT_NE(context->app().viewRotation(), dragged) << "the drag follows the pointer back";
    release(Qt::LeftButton, *secondPixel);
    EXPECT_EQ(game().board().cube(second).covered, 1) << "a drag never exposes";
}

TEST_F(MousePlayTest, ARightDragOfFivePixelsSpinsAndDoesNotMark)
{
    startShowing(kTutorialRotation);
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const int cube = indexIn4(3, 3, 3);
    const auto pixel = pixelOverCube(cube);
    ASSERT_TRUE(pixel.has_value());
    const Quaternion before = context->app().viewRotation();
    press(Qt::RightButton, *pixel);
    moveAndPaint(*pixel + QPoint(5, 0));
    const Quaternion spun = context->app().viewRotation();
    EXPECT_NE(spun, before);
    // A spin about the viewing axis keeps the axis: the block's eye-space z direction stays.
    const Matrix4 a = toMatrix(before);
    const Matrix4 b = toMatrix(spun);
    for (int column = 0; column < 3; ++column)
        EXPECT_NEAR(a[static_cast<std::size_t>(column * 4 + 2)],
                    b[static_cast<std::size_t>(column * 4 + 2)], 1e-4F);
    release(Qt::RightButton, *pixel + QPoint(5, 0));
    EXPECT_EQ(game().board().cube(cube).marked, 0);
    EXPECT_EQ(game().marksPlaced(), 0);
}

TEST_F(MousePlayTest, TheRestingPointerHighlightsTheCubeUnderItAndOffTheBlockNothing)
{
    startShowing(kTutorialRotation);
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const int cube = indexIn4(3, 3, 3);
    const int other = indexIn4(2, 3, 3);
    const auto pixel = pixelOverCube(cube);
    const auto otherPixel = pixelOverCube(other);
    ASSERT_TRUE(pixel && otherPixel);

    moveAndPaint(*pixel);
    EXPECT_EQ(game().hoverIndex(), cube);
    EXPECT_TRUE(frame().boardInput().cursorSet());
    EXPECT_TRUE(view().arrowCursorShown());

    // Moves between two paints are taken together: only where the pointer ended counts.
    moveTo(*pixel);
    moveTo(backgroundPixel());
    moveTo(*otherPixel);
    ASSERT_TRUE(
        waitFor([&] { return frame().frameLoop().repaintState() == FrameLoop::Repaint::None; }));
    EXPECT_EQ(game().hoverIndex(), other);

    moveAndPaint(backgroundPixel());
    EXPECT_EQ(game().hoverIndex(), -1);

    // While a button is down the highlight stays as it was.
    press(Qt::LeftButton, backgroundPixel());
    moveAndPaint(backgroundPixel() + QPoint(3, 0));
    moveAndPaint(*pixel);
    EXPECT_EQ(game().hoverIndex(), -1);
    release(Qt::LeftButton, *pixel);

    // A drag turns the highlighted cube away from the pointer, and the highlight goes with it.
    context->app().viewRotation() = kTutorialRotation;
    moveAndPaint(*pixel);
    ASSERT_EQ(game().hoverIndex(), cube);
    press(Qt::LeftButton, *pixel);
    moveAndPaint(*pixel + QPoint(0, 20));
    EXPECT_EQ(game().hoverIndex(), -1);
    release(Qt::LeftButton, *pixel + QPoint(0, 20));

    // A finished game highlights nothing, not even its last covered cube.
    context->app().viewRotation() = kTutorialRotation;
    moveAndPaint(*pixel);
    ASSERT_EQ(game().hoverIndex(), cube);
    game().expose(cube); // floods every safe cube: won
    ASSERT_TRUE(game().ended());
    EXPECT_EQ(game().hoverIndex(), -1);
    const auto bombPixel = pixelOverCube(indexIn4(0, 0, 0));
    ASSERT_TRUE(bombPixel.has_value());
    moveAndPaint(*bombPixel);
    EXPECT_EQ(game().hoverIndex(), -1);
}

TEST_F(MousePlayTest, ThePointerLeavingTheViewGivesTheCursorBack)
{
    startShowing(kTutorialRotation);
    ASSERT_TRUE(pointerTo(view().rect().center()));
    moveAndPaint(QPoint(view().deviceWidth() / 2, view().deviceHeight() / 2));
    ASSERT_TRUE(frame().boardInput().cursorSet());
    frame().timerTick();
    EXPECT_TRUE(frame().boardInput().cursorSet()) << "the pointer is still over the view";

    ASSERT_TRUE(pointerTo(QPoint(view().width() + 40, view().height() + 40)));
    frame().timerTick();
    EXPECT_FALSE(frame().boardInput().cursorSet());
    EXPECT_FALSE(view().arrowCursorShown()) << "the view's own cursor is back";
}

TEST_F(MousePlayTest, TheFaceStartsANewGameOnlyWhenNoCubeIsUnderThePointer)
{
    startShowing(kTutorialRotation);
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const PixelRect face = frame().faceRect();
    const QPoint faceMiddle((face.left + face.right) / 2, (face.top + face.bottom) / 2);
    ASSERT_EQ(frame().boardInput().cubeAt({faceMiddle.x(), faceMiddle.y()}), std::nullopt);

    // A running game: the face starts a fresh one.
    ASSERT_NE(game().startTick(), 0U);
    click(Qt::LeftButton, faceMiddle);
    EXPECT_EQ(game().startTick(), 0U);
    EXPECT_EQ(coveredCount(), 64);

    // A lost game: clicks on cubes do nothing, the face starts a fresh game. The bomb that
    // goes off has a bomb beside it, so nothing floods.
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{3, 3, 3}, {3, 3, 2}}));
    ASSERT_EQ(game().expose(indexIn4(3, 3, 3)), 1);
    ASSERT_TRUE(game().lost());
    paintNow();
    const auto pixel = pixelOverCube(indexIn4(2, 3, 3));
    ASSERT_TRUE(pixel.has_value());
    click(Qt::LeftButton, *pixel);
    click(Qt::RightButton, *pixel);
    EXPECT_EQ(game().board().cube(indexIn4(2, 3, 3)).covered, 1);
    EXPECT_EQ(game().board().cube(indexIn4(2, 3, 3)).marked, 0);
    EXPECT_TRUE(game().ended());
    click(Qt::LeftButton, faceMiddle);
    EXPECT_FALSE(game().ended());
    EXPECT_EQ(coveredCount(), 64);

    // A drag that ends on the face is no click.
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    press(Qt::LeftButton, faceMiddle + QPoint(0, 30));
    moveAndPaint(faceMiddle);
    release(Qt::LeftButton, faceMiddle);
    EXPECT_NE(game().startTick(), 0U);
}

TEST_F(MousePlayTest, ACubeInFrontOfTheFaceTakesTheClick)
{
    startShowing();
    // A column 20 cubes high reaches up behind the face.
    std::vector<Cube> column(20);
    column[0].bomb = 1;
    column[1].neighbourBombs = 1;
    play(1, 20, 1, column);
    const PixelRect face = frame().faceRect();
    std::optional<QPoint> onCube;
    const int middle = (face.left + face.right) / 2;
    for (int y = face.bottom - 1; y >= face.top && !onCube; --y)
        if (frame().boardInput().cubeAt({middle, y}).has_value())
            onCube = QPoint(middle, y);
    ASSERT_TRUE(onCube.has_value()) << "the column reaches the face";
    const int top = *frame().boardInput().cubeAt({onCube->x(), onCube->y()});
    click(Qt::LeftButton, *onCube);
    EXPECT_EQ(game().board().cube(top).covered, 0);
    EXPECT_NE(game().startTick(), 0U) << "no new game";
}

TEST_F(MousePlayTest, HiddenCubesCannotBePickedButTheCubeThroughAHoleCan)
{
    startShowing();
    std::vector<Cube> cubes = blockWithBombs(4, 4, 4, {{2, 2, 1}});
    play(4, 4, 4, cubes);
    // Only cubes with a face on the outside are ever found.
    for (int y = 0; y < view().deviceHeight(); y += 9)
        for (int x = 0; x < view().deviceWidth(); x += 9)
            if (const auto cube = frame().boardInput().cubeAt({x, y})) {
                const CubePosition p = game().board().positionOf(*cube);
                const bool inside = p.x > 0 && p.x < 3 && p.y > 0 && p.y < 3 && p.z > 0 && p.z < 3;
                EXPECT_FALSE(inside) << "cube " << *cube << " found at " << x << ", " << y;
            }

    const int front = indexIn4(1, 1, 3);
    const int behind = indexIn4(1, 1, 2);
    const QPoint pixel = pixelOf(1.5F, 1.5F, 4.0F);
    ASSERT_EQ(frame().boardInput().cubeAt({pixel.x(), pixel.y()}), front);
    cubes[static_cast<std::size_t>(front)].covered = 0;
    play(4, 4, 4, cubes);
    EXPECT_EQ(frame().boardInput().cubeAt({pixel.x(), pixel.y()}), behind);
    click(Qt::LeftButton, pixel);
    EXPECT_EQ(game().board().cube(behind).covered, 0);
}

TEST_F(MousePlayTest, ARingAndAPanelOfABevelledFaceNameTheSameCube)
{
    startShowing();
    game().setQuality(2);
    play(4, 4, 4, blockWithBombs(4, 4, 4, {{0, 0, 0}}));
    const int cube = indexIn4(2, 1, 3);
    // The panel's middle, and the middle of the chamfer along the face's left edge.
    const QPoint panel = pixelOf(2.5F, 1.5F, 4.08F);
    const QPoint ring = pixelOf(2.04F, 1.5F, 4.04F);
    ASSERT_NE(panel, ring);
    EXPECT_EQ(frame().boardInput().cubeAt({panel.x(), panel.y()}), cube);
    EXPECT_EQ(frame().boardInput().cubeAt({ring.x(), ring.y()}), cube);
    click(Qt::RightButton, ring);
    EXPECT_EQ(game().board().cube(cube).marked, 1);
    click(Qt::RightButton, panel);
    EXPECT_EQ(game().board().cube(cube).suspect, 1);
}

} // namespace
} // namespace kubrix::test
