// The program's one top-level window: the menu commands, the frame timer, painting and placement.
#pragma once

#include "core/base/colour.h"
#include "core/game/game_observer.h"
#include "core/scene/atlas.h"
#include "core/scene/frame_loop.h"
#include "core/scene/mouse_input.h"
#include "platform/gl/picker.h"
#include "platform/gl/render_context.h"
#include "platform/gl/scene_renderer.h"
#include "platform/ui/main_menu.h"

#include <QMainWindow>
#include <QRect>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>

namespace kubrix {

class BoardView;
class Clock;
class Game;
class GameApp;
class Messages;
class SettingsStore;
class SkinStore;
class SoundPlayer;
class TextureSet;

struct MainFrameServices {
    GameApp& app;
    SettingsStore& settings;
    const Clock& clock;
    SoundPlayer& sound;
    SkinStore& skins;
    TextureSet& textures;
    Messages& messages;
    // The start-up check for a usable OpenGL device: kDeviceOpenGL or kDeviceUnavailable.
    std::function<int()> probeDevice;
    // Stops and releases every sound as the window goes.
    std::function<void()> shutdownSound;
};

class CMainFrame final : public QMainWindow, private GameObserver {
    Q_OBJECT

public:
    static constexpr int kTimerMs = 200;

    // Loads the statistics and starts the stored start-up game.
    explicit CMainFrame(MainFrameServices services);
    // Saves the statistics, then lets the board view release the textures with its context.
    ~CMainFrame() override;

    // The creation handler: starts the timer, runs New (which places the window) and probes
    // the device. Without a device it shows the initialisation error, asks the window to
    // close and returns false.
    bool onCreate();

    // Runs a menu command by id, as its menu item or shortcut does; a disabled command or one
    // without a handler does nothing.
    void runCommand(int id);
    // The item of a command id, null for none.
    QAction* action(int id) const;
    // Enables and checks the items by the game's state.
    void refreshCommandStates();

    // One tick of the frame timer.
    void timerTick();
    // Re-reads the skin textures and shows the idle face (when reinitialise is set), then
    // repaints.
    void viewReset(bool reinitialise = true);

    // The current game is the tutorial's: no fastest time, no saving.
    bool tutorialGame() const { return tutorialGame_; }
    void setTutorialGame(bool on) { tutorialGame_ = on; }
    // The tutorial window is open. It comes with the tutorial; until then it never is.
    bool tutorialRunning() const { return false; }

    // The desktop's button-face colour, alpha 0: the tint of the board under the default skin.
    Colour buttonFace() const { return buttonFaceOf(palette()); }
    static Colour buttonFaceOf(const QPalette& palette);
    // The colour the block's cubes, labels and bombs are tinted with: plain white under a
    // custom skin, which brings its own colours, otherwise the desktop's button face.
    Colour boardTint() const;
    BoardView* boardView() const { return view_; }
    const FrameLoop& frameLoop() const { return frameLoop_; }
    const MainMenu& menu() const { return menu_; }
    // Where the last frame drew the face (device pixels, top-left origin).
    PixelRect faceRect() const { return faceRect_; }

    // The mouse in the board view, in its device pixels (see BoardView). Presses and moves
    // only record; a pending move is turned into a drag step or a hover pick at the next
    // paint, so any number of moves between two paints costs one pick. Ignored while the
    // tutorial plays.
    void buttonDown(Qt::MouseButton button, Point at);
    void buttonUp(Qt::MouseButton button, Point at);
    void pointerMoved(Point at);
    // The covered cube seen at a point of the view as the last frame drew it, or none; acts
    // on nothing. Makes the view's context current for the pick, so not for use in a paint.
    std::optional<int> cubeAt(Point at);
    // The view shows the arrow cursor the pointer set; cleared when the pointer leaves.
    bool cursorSet() const { return cursorSet_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Command {
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
    };

    void gameStateChanged() override { refreshCommandStates(); }
    // The tutorial explains its board as seen from one angle, so the view turns to it.
    void tutorialBoardSetUp() override;

    Game& game() const;
    void buildCommands();
    bool commandEnabled(int id) const;
    void newGame();
    void selectLevel(int level);
    void customSize();
    void saveGame();
    void playStartSound();
    void showUpdateNotice();
    void paintFrame(int width, int height);
    void processPointer(int width, int height);
    void leftClick(Point at);
    void rightClick(Point at);
    void restoreCursorWhenAway();
    void restorePlacement();
    void settlePlacement();
    void storePlacement();

    MainFrameServices services_;
    RenderContext device_;
    SceneRenderer renderer_;
    Picker picker_;
    FrameLoop frameLoop_;
    MouseInput mouse_;
    bool cursorSet_ = false;
    BoardView* view_ = nullptr;
    MainMenu menu_;
    std::map<int, Command> commands_;
    QTimer timer_;
    PixelRect faceRect_{};
    bool tutorialGame_ = false;
    // A placement restored before the window manager framed the window: its frame is sized
    // once the frame's margins are known.
    std::optional<QRect> pendingPlacement_;
    int settleTicks_ = 0;
};

} // namespace kubrix
