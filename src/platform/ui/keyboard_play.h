// Playing with the keyboard: the cursor keys, exposing, marking and chording at the cursor, and
// turning the block by steps; and chording with the mouse, which finds labels the same way. Every
// key is a named QAction of the main window, made here.
#pragma once

#include "core/scene/keyboard_cursor.h"
#include "core/scene/mouse_input.h"
#include "core/scene/quaternion.h"

#include <QObject>

#include <functional>
#include <initializer_list>
#include <optional>

class QAction;
class QKeySequence;
class QWidget;

namespace kubrix {

class BoardScene;
class BoardView;
class Clock;
class Game;
class ViewControl;
class ViewProjection;

struct KeyboardPlayServices {
    Game& game;
    Quaternion& viewRotation;
    const Clock& clock;
    BoardView& view;
    // The labels as drawn, for chording by where a label shows.
    BoardScene& scene;
    // The zoom and the peeled layers, which decide what the eye sees.
    ViewControl& viewControl;
    // False while the tutorial plays or the game is paused: the keys then leave the board alone.
    std::function<bool()> canPlay;
};

// The actions are named "actionCursorLeft", "actionTurnLeft", "actionExposeAtCursor"... and
// live on the window, so they work wherever its focus is and tests find them by name.
class KeyboardPlay final : public QObject {
public:
    // How far Ctrl with an arrow turns the block.
    static constexpr float kTurnDegrees = 15.0F;

    KeyboardPlay(QWidget& window, KeyboardPlayServices services);

    // The cube the cursor outlines, none while it is hidden or left over from a larger board.
    std::optional<int> cursorCube() const;
    // The mouse took over the view.
    void hideCursor() { cursor_.hide(); }
    // After the view changed: a shown cursor whose cube is now hidden moves to one the eye sees.
    void followView();
    // The mouse's chord: on the number label shown at that point of the view (device pixels),
    // front-most first.
    void chordAt(Point at);

private:
    QAction* add(const char* name, std::initializer_list<QKeySequence> keys,
                 std::function<void()> handler);
    ViewProjection projection() const;
    // The first key shows the cursor without acting, so the player sees where it is first.
    bool cursorReady();
    void step(ScreenDirection direction);
    void turn(float aboutX, float aboutY);
    void exposeAtCursor();
    void markAtCursor();
    // On a number, chords it; on a covered cube, chords every number shown that counts it.
    void chordAtCursor();

    QWidget& window_;
    KeyboardPlayServices services_;
    KeyboardCursor cursor_;
};

} // namespace kubrix
