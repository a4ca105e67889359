// The program's one top-level window: the menu commands, the frame timer, painting and the mouse.
#pragma once

#include "core/base/colour.h"
#include "core/game/game_observer.h"
#include "core/scene/atlas.h"
#include "core/scene/frame_loop.h"
#include "core/scene/mouse_input.h"
#include "core/shell/save_slots.h"
#include "platform/gl/picker.h"
#include "platform/gl/render_context.h"
#include "platform/gl/scene_renderer.h"
#include "platform/ui/accessory_dialogs.h"
#include "platform/ui/tutorial_session.h"
#include "platform/ui/view_control.h"
#include "platform/ui/window_placer.h"

#include <QMainWindow>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <optional>

class QAction;
class QKeySequence;

namespace kubrix {

class BoardView;
class Clock;
class NoticeLine;
class Game;
class GameApp;
class Messages;
class SettingsStore;
class SiteAddress;
class SkinStore;
class SoundPlayer;
class TextureSet;
class UrlOpener;

struct MainWindowServices {
    GameApp& app;
    SettingsStore& settings;
    const Clock& clock;
    SoundPlayer& sound;
    SkinStore& skins;
    TextureSet& textures;
    Messages& messages;
    // Where the save slots' files live.
    std::filesystem::path dataFolder;
    // Opens the web and mail addresses of the dialogs' links.
    UrlOpener& opener;
    // The maker's web site, which the update dialogs and the About box link to.
    const SiteAddress& site;
    // The start-up check for a usable OpenGL device: kDeviceOpenGL or kDeviceUnavailable.
    std::function<int()> probeDevice;
    // Stops and releases every sound as the window goes.
    std::function<void()> shutdownSound;
    // After the current skin changed: new textures, new sounds, the music started again.
    std::function<void()> skinChanged;
};

// Each menu command is a QAction named "action" and the command's name ("actionNew",
// "actionSaveGame"...); its enabled and checked states follow the game's reports and the
// dialogs that change them.
class MainWindow final : public QMainWindow, private GameObserver {
    Q_OBJECT

public:
    static constexpr int kTimerMs = 200;

    // Loads the statistics and starts the stored start-up game.
    explicit MainWindow(MainWindowServices services);
    // Saves the statistics, then lets the board view release the textures with its context.
    ~MainWindow() override;

    // The creation handler: starts the timer, runs New (which places the window) and probes
    // the device. Without a device it shows the initialisation error, asks the window to
    // close and returns false.
    bool onCreate();

    // One tick of the frame timer: face blink, a repaint when the clock or the face shows
    // differently from the last paint, cursor, update notice, placement.
    void timerTick();
    // Re-reads the skin textures and shows the idle face (when reinitialise is set), then
    // repaints.
    void viewReset(bool reinitialise = true);

    // The current game is the tutorial's: no fastest time, no saving.
    bool tutorialGame() const { return tutorialGame_; }
    void setTutorialGame(bool on) { tutorialGame_ = on; }
    // The tutorial window is open: it plays the game, and the mouse leaves the board alone.
    bool tutorialRunning() const { return tutorial_.isOpen(); }
    // Null while the tutorial is closed.
    TutorialWindow* tutorialWindow() const { return tutorial_.window(); }
    const AccessoryDialogs& accessories() const { return accessories_; }
    // Help > Tutorial: opens the tutorial beside this window on a fresh tutorial board, or
    // closes it.
    void toggleTutorial();

    // The desktop's button-face colour, alpha 0.
    Colour buttonFace() const { return buttonFaceOf(palette()); }
    static Colour buttonFaceOf(const QPalette& palette);
    // The colour the block's cubes, labels and bombs are tinted with: plain white under a
    // custom skin, which brings its own colours, otherwise the desktop's button face.
    Colour boardTint() const;
    BoardView* boardView() const { return view_; }
    const FrameLoop& frameLoop() const { return frameLoop_; }
    // Where the last frame drew the face (device pixels, top-left origin).
    PixelRect faceRect() const { return faceRect_; }

    // The mouse in the board view, in its device pixels (see BoardView). Presses and moves
    // only record; a pending move is turned into a drag step or a hover pick at the next
    // paint, so any number of moves between two paints costs one pick. Ignored while the
    // tutorial plays.
    void buttonDown(Qt::MouseButton button, Point at);
    void buttonUp(Qt::MouseButton button, Point at);
    void pointerMoved(Point at);
    // The wheel in the view: zooms, or with shift peels and restores layers (see ViewControl).
    void wheelTurned(int angleDelta, bool shift);
    const ViewControl& viewControl() const { return *viewControl_; }
    // The covered cube seen at a point of the view as the last frame drew it, or none; acts
    // on nothing. Makes the view's context current for the pick, so not for use in a paint.
    std::optional<int> cubeAt(Point at);
    // The view shows the arrow cursor the pointer set; cleared when the pointer leaves.
    bool cursorSet() const { return cursorSet_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* makeAction(const char* name, const char* text, const QKeySequence& shortcut);
    // Every command, its text, shortcut and handler, and the menus that hold them in order.
    void createActions();
    void createMenus();
    void updateActions();
    void gameStateChanged() override;
    // The tutorial explains its board as seen from one angle, so the view turns to it.
    void tutorialBoardSetUp() override;
    void noGuessBoardUnavailable() override;

    Game& game() const;
    void newGame();
    void selectLevel(int level);
    void customSize();
    void loadGame();
    void saveGame();
    // A saved game is on the board: it is seen as it was saved, and it is nobody's tutorial.
    void gameLoaded(const Quaternion& rotation);
    void showStatistics();
    void showRecords();
    void manageSkins();
    void showHint();
    void tutorialClosed();
    void playStartSound();
    // The first paint's: START when sound is on, then the music when it is on.
    void startSoundAndMusic();
    void graphicsSettings();
    void paintFrame(int width, int height);
    FrameLoop::TimedView timedView() const;
    void processPointer(int width, int height);
    void leftClick(Point at);
    void rightClick(Point at);
    void restoreCursorWhenAway();
    // Hands the peel and the neighbourhood light to the scene that frames and picks share,
    // after adopting the side of the block that now faces the viewer.
    void prepareScene();
    // The camera distance factor of the zoom, for this board.
    float zoomDistance() const;

    MainWindowServices services_;
    RenderContext device_;
    SceneRenderer renderer_;
    Picker picker_;
    FrameLoop frameLoop_;
    MouseInput mouse_;
    WindowPlacer placer_;
    SaveSlots saveSlots_;
    bool cursorSet_ = false;
    BoardView* view_ = nullptr;
    NoticeLine* notice_ = nullptr;
    QTimer timer_;
    PixelRect faceRect_{};
    bool tutorialGame_ = false;
    TutorialSession tutorial_;
    AccessoryDialogs accessories_;
    ViewControl* viewControl_ = nullptr;

    QAction* actionNew_ = nullptr;
    QAction* actionHint_ = nullptr;
    QAction* actionBeginner_ = nullptr;
    QAction* actionIntermediate_ = nullptr;
    QAction* actionExpert_ = nullptr;
    QAction* actionCustom_ = nullptr;
    QAction* actionNoGuess_ = nullptr;
    QAction* actionLoadGame_ = nullptr;
    QAction* actionSaveGame_ = nullptr;
    QAction* actionStatistics_ = nullptr;
    QAction* actionRecords_ = nullptr;
    QAction* actionSound_ = nullptr;
    QAction* actionMusic_ = nullptr;
    QAction* actionPreferences_ = nullptr;
    QAction* actionSkins_ = nullptr;
    QAction* actionAutomaticUpdates_ = nullptr;
    QAction* actionExit_ = nullptr;
    QAction* actionContents_ = nullptr;
    QAction* actionTutorial_ = nullptr;
    QAction* actionAbout_ = nullptr;
};

} // namespace kubrix
