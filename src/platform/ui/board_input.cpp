// The board view's mouse turned into turns, exposures, marks, hover picks, zoom and peeling.
#include "platform/ui/board_input.h"

#include "core/base/clock.h"
#include "core/game/game.h"
#include "core/scene/frame_loop.h"
#include "platform/gl/board_drawer.h"
#include "platform/gl/render_context.h"
#include "platform/ui/board_view.h"
#include "platform/ui/keyboard_play.h"
#include "platform/ui/pause_control.h"
#include "platform/ui/tutorial_session.h"
#include "platform/ui/view_control.h"

namespace kubrix {

BoardInput::BoardInput(Parts parts, std::function<void()> newGame)
    : parts_(parts), newGame_(std::move(newGame)), picker_(parts.device, parts.drawer)
{
    parts_.view.setMouseHandlers(
        {[this](Qt::MouseButton button, int x, int y) {
             buttonDown(button, {x, y});
         },
         [this](Qt::MouseButton button, int x, int y) {
             buttonUp(button, {x, y});
         },
         [this](int x, int y) {
             pointerMoved({x, y});
         },
         [this](int angleDelta, bool shift) { wheelTurned(angleDelta, shift); }});
}

bool BoardInput::tutorialRunning() const
{
    return parts_.tutorial.isOpen();
}

void BoardInput::buttonDown(Qt::MouseButton button, Point at)
{
    if (tutorialRunning())
        return;
    releaseAfterChord_ = false;
    // The view keeps the mouse until the button comes up, as a capture would.
    if (button == Qt::LeftButton)
        mouse_.leftDown(at, parts_.viewRotation);
    else if (button == Qt::RightButton)
        mouse_.rightDown(at, parts_.viewRotation);
}

void BoardInput::buttonUp(Qt::MouseButton button, Point at)
{
    if (tutorialRunning() || chordByBothButtons(button, at))
        return;
    if (button == Qt::LeftButton)
        leftClick(at);
    else if (button == Qt::RightButton)
        rightClick(at);
    else if (button == Qt::MiddleButton)
        chordAt(at);
}

bool BoardInput::chordByBothButtons(Qt::MouseButton released, Point at)
{
    if (releaseAfterChord_) {
        releaseAfterChord_ = false;
        mouse_.releaseButtons();
        return true;
    }
    const bool both = (released == Qt::LeftButton && mouse_.rightIsDown()) ||
                      (released == Qt::RightButton && mouse_.leftIsDown());
    if (!both)
        return false;
    const bool dragged = mouse_.leftDragged() || mouse_.rightDragged();
    mouse_.releaseButtons();
    releaseAfterChord_ = true;
    if (!dragged)
        chordAt(at);
    return true;
}

void BoardInput::chordAt(Point at)
{
    parts_.keyboard.chordAt(at);
    parts_.view.redraw();
}

void BoardInput::pointerMoved(Point at)
{
    if (tutorialRunning())
        return;
    mouse_.move(at);
    parts_.keyboard.hideCursor();
    if (parts_.frameLoop.pointerMoved())
        parts_.view.redraw();
}

void BoardInput::wheelTurned(int angleDelta, bool shift)
{
    if (tutorialRunning())
        return;
    parts_.viewControl.wheel(angleDelta, shift);
}

void BoardInput::leftClick(Point at)
{
    if (!mouse_.leftUp())
        return; // a drag never exposes, nor starts a new game
    if (parts_.game.paused()) {
        parts_.pause.toggle();
        return;
    }
    const std::optional<int> cube = cubeAt(at);
    Game& game = parts_.game;
    if (!game.ended()) {
        game.face().press(parts_.clock.now());
        if (cube)
            game.expose(*cube);
        parts_.view.redraw();
    }
    const PixelRect& face = parts_.faceRect;
    const bool onFace =
        at.x >= face.left && at.x < face.right && at.y >= face.top && at.y < face.bottom;
    // A cube in front of the face takes the click; the face takes only a click on nothing.
    if (onFace && !cube)
        newGame_();
}

void BoardInput::rightClick(Point at)
{
    if (mouse_.rightUp() && !parts_.game.ended()) {
        if (const std::optional<int> cube = cubeAt(at))
            parts_.game.toggleMark(*cube);
    }
    parts_.view.redraw();
}

std::optional<int> BoardInput::pick(int width, int height, Point at)
{
    // The pick draws the scene as the frame does: the same peel, the same zoom.
    parts_.viewControl.prepare(parts_.drawer.scene());
    return picker_.cubeAt(parts_.game, parts_.viewRotation, width, height, at.x, at.y,
                          parts_.viewControl.distance());
}

std::optional<int> BoardInput::cubeAt(Point at)
{
    BoardView& view = parts_.view;
    view.makeCurrent();
    const std::optional<int> cube = pick(view.deviceWidth(), view.deviceHeight(), at);
    view.doneCurrent();
    return cube;
}

void BoardInput::processPointer(int width, int height)
{
    if (!cursorSet_) {
        parts_.view.showArrowCursor();
        cursorSet_ = true;
    }
    // Drags turn the block; with no button down the cube under the pointer is highlighted. A
    // drag turns the highlighted cube away from the pointer, and a finished game takes no more
    // moves: neither keeps one.
    const bool hover = mouse_.processPointer(parts_.viewRotation, width, height);
    if (mouse_.leftDragged() || mouse_.rightDragged() || parts_.game.ended()) {
        parts_.game.setHover(-1);
    } else if (hover && parts_.device.ready()) {
        parts_.game.setHover(pick(width, height, mouse_.pointer()).value_or(-1));
    }
}

void BoardInput::restoreCursorWhenAway()
{
    if (!cursorSet_ || parts_.view.pointerOver())
        return;
    parts_.view.restoreCursor();
    cursorSet_ = false;
}

} // namespace kubrix
