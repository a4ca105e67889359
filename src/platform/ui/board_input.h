// The mouse in the board view: drags turn the block, clicks expose and mark, the middle button
// or both buttons together chord, the cube under the pointer is lit, and the wheel zooms and
// peels.
#pragma once

#include "core/scene/atlas.h"
#include "core/scene/mouse_input.h"
#include "platform/gl/picker.h"

#include <Qt>

#include <functional>
#include <optional>

namespace kubrix {

class BoardDrawer;
class BoardView;
class Clock;
class FrameLoop;
class Game;
class KeyboardPlay;
class PauseControl;
class RenderContext;
class TutorialSession;
class ViewControl;

// Works in the board view's device pixels (see BoardView). Presses and moves only record; a
// pending move is turned into a drag step or a hover pick at the next paint, so any number of
// moves between two paints costs one pick. While the tutorial plays it ignores the mouse.
class BoardInput final {
public:
    struct Parts {
        Game& game;
        Quaternion& viewRotation;
        const Clock& clock;
        RenderContext& device;
        BoardDrawer& drawer;
        BoardView& view;
        FrameLoop& frameLoop;
        ViewControl& viewControl;
        const TutorialSession& tutorial;
        // Where the last frame drew the face (device pixels, top-left origin).
        const PixelRect& faceRect;
        // The mouse hides the keyboard's cursor, and chords on labels as the keyboard does.
        KeyboardPlay& keyboard;
        // A click on a paused game only resumes it.
        PauseControl& pause;
    };

    // Takes over the view's mouse; a click on the face with no cube in front calls newGame.
    BoardInput(Parts parts, std::function<void()> newGame);

    void buttonDown(Qt::MouseButton button, Point at);
    void buttonUp(Qt::MouseButton button, Point at);
    void pointerMoved(Point at);
    // angleDelta in eighths of a degree, positive away from the player: zooms, or with shift
    // peels and restores layers (see ViewControl).
    void wheelTurned(int angleDelta, bool shift);
    // In a paint of width x height device pixels, with the context current: a pending move
    // becomes a drag step or a hover pick, drawn by this same paint.
    void processPointer(int width, int height);
    // The covered cube seen at a point of the view as the last frame drew it, or none; acts
    // on nothing. Makes the view's context current for the pick, so not for use in a paint.
    std::optional<int> cubeAt(Point at);
    void releaseButtons() { mouse_.releaseButtons(); }

    // The view shows the arrow cursor the pointer set; the frame timer clears it once the
    // pointer has left.
    bool cursorSet() const { return cursorSet_; }
    void restoreCursorWhenAway();

private:
    void leftClick(Point at);
    void rightClick(Point at);
    // Both buttons down together and one let go undragged: a chord, and the other button's
    // release is then no click of its own.
    bool chordByBothButtons(Qt::MouseButton released, Point at);
    void chordAt(Point at);
    bool tutorialRunning() const;
    // Needs the context current.
    std::optional<int> pick(int width, int height, Point at);

    Parts parts_;
    std::function<void()> newGame_;
    MouseInput mouse_;
    Picker picker_;
    bool cursorSet_ = false;
    bool releaseAfterChord_ = false;
};

} // namespace kubrix
