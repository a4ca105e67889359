// The keyboard's actions on the board.
#include "platform/ui/keyboard_play.h"

#include "core/base/clock.h"
#include "core/game/game.h"
#include "core/scene/board_scene.h"
#include "core/scene/label_picker.h"
#include "core/scene/view_projection.h"
#include "platform/ui/board_view.h"
#include "platform/ui/view_control.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace kubrix {

KeyboardPlay::KeyboardPlay(QWidget& window, KeyboardPlayServices services)
    : QObject(&window), window_(window), services_(std::move(services))
{
    add("actionCursorLeft", {Qt::Key_Left}, [this] { step(ScreenDirection::Left); });
    add("actionCursorRight", {Qt::Key_Right}, [this] { step(ScreenDirection::Right); });
    add("actionCursorUp", {Qt::Key_Up}, [this] { step(ScreenDirection::Up); });
    add("actionCursorDown", {Qt::Key_Down}, [this] { step(ScreenDirection::Down); });
    // As a drag would: the vertical keys turn about the screen's horizontal axis.
    add("actionTurnLeft", {Qt::CTRL | Qt::Key_Left}, [this] { turn(0.0F, -kTurnDegrees); });
    add("actionTurnRight", {Qt::CTRL | Qt::Key_Right}, [this] { turn(0.0F, kTurnDegrees); });
    add("actionTurnUp", {Qt::CTRL | Qt::Key_Up}, [this] { turn(-kTurnDegrees, 0.0F); });
    add("actionTurnDown", {Qt::CTRL | Qt::Key_Down}, [this] { turn(kTurnDegrees, 0.0F); });
    add("actionExposeAtCursor", {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter},
        [this] { exposeAtCursor(); });
    add("actionMarkAtCursor", {Qt::Key_M, Qt::Key_F}, [this] { markAtCursor(); });
    add("actionChordAtCursor", {Qt::Key_C}, [this] { chordAtCursor(); });
}

QAction* KeyboardPlay::add(const char* name, std::initializer_list<QKeySequence> keys,
                           std::function<void()> handler)
{
    auto* action = new QAction(&window_);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(QList<QKeySequence>(keys));
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        if (!services_.canPlay())
            return;
        handler();
        services_.view.redraw();
    });
    // Not in any menu: an action reaches its shortcut through the window it is added to.
    window_.addAction(action);
    return action;
}

ViewProjection KeyboardPlay::projection() const
{
    return services_.viewControl.projection(services_.game.board(), services_.view.deviceWidth(),
                                            services_.view.deviceHeight());
}

void KeyboardPlay::followView()
{
    if (cursorCube())
        cursor_.show(projection());
}

std::optional<int> KeyboardPlay::cursorCube() const
{
    const std::optional<int> cube = cursor_.cube();
    if (cube && *cube < services_.game.board().cubeCount())
        return cube;
    return std::nullopt;
}

bool KeyboardPlay::cursorReady()
{
    // Nor does a key act on a cube the cursor has only just moved to, away from a hidden one.
    const std::optional<int> before = cursorCube();
    cursor_.show(projection());
    return before && before == cursorCube();
}

void KeyboardPlay::step(ScreenDirection direction)
{
    if (cursorReady())
        cursor_.move(direction, projection());
}

void KeyboardPlay::turn(float aboutX, float aboutY)
{
    Quaternion& view = services_.viewRotation;
    view = normalise(product(view, fromEuler(aboutX, aboutY, 0.0F)));
    followView();
}

void KeyboardPlay::exposeAtCursor()
{
    if (!cursorReady() || services_.game.ended())
        return;
    // The cube just exposed stays under the cursor; exposing it again would only clear a lit
    // hint and replay its sound.
    if (services_.game.board().cube(*cursorCube()).covered == 0)
        return;
    services_.game.face().press(services_.clock.now());
    services_.game.expose(*cursorCube());
}

void KeyboardPlay::markAtCursor()
{
    // The cursor may sit on the number it has just exposed, which takes no mark.
    if (cursorReady() && services_.game.board().cube(*cursorCube()).covered != 0)
        services_.game.toggleMark(*cursorCube());
}

void KeyboardPlay::chordAtCursor()
{
    if (!cursorReady())
        return;
    Game& game = services_.game;
    const Board& board = game.board();
    const int index = *cursorCube();
    if (board.cube(index).covered == 0) {
        game.chord(index);
        return;
    }
    const ViewProjection view = projection();
    board.forEachNeighbour(board.positionOf(index), [&](int x, int y, int z) {
        const int number = board.indexOf(x, y, z);
        // A number behind peeled layers is not there to act on, as for the mouse.
        if (!view.peeled(number))
            game.chord(number);
    });
}

void KeyboardPlay::chordAt(Point at)
{
    if (!services_.canPlay())
        return;
    // The labels of the board and the view as they are now, which the next frame draws.
    services_.viewControl.prepare(services_.scene);
    services_.scene.update(services_.game);
    // The middle of the pixel the pointer is on.
    if (const std::optional<int> label =
            labelAt(services_.scene.labels(), projection(), static_cast<float>(at.x) + 0.5F,
                    static_cast<float>(at.y) + 0.5F))
        services_.game.chord(*label);
}

} // namespace kubrix
