// The program's one top-level window: the menu commands, the frame timer and painting.
#pragma once

#include "core/base/colour.h"
#include "core/game/game_observer.h"
#include "core/scene/atlas.h"
#include "core/scene/frame_loop.h"
#include "core/shell/save_slots.h"
#include "platform/gl/render_context.h"
#include "platform/gl/scene_renderer.h"
#include "platform/ui/accessory_dialogs.h"
#include "platform/ui/keyboard_play.h"
#include "platform/ui/tutorial_session.h"
#include "platform/ui/view_control.h"
#include "platform/ui/window_placer.h"

#include <QMainWindow>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

namespace kubrix {

class BoardInput;
class BoardView;
class Clock;
class NoticeLine;
class PauseControl;
class Game;
class GameApp;
class MainMenu;
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

// The menu commands (see MainMenu and ViewControl) are wired here; their enabled and checked
// states follow the game's reports and the dialogs that change them.
class MainWindow final : public QMainWindow, private GameObserver {
    Q_OBJECT

public:
    static constexpr int kTimerMs = static_cast<int>(FrameLoop::kTickMs);

    // Loads the statistics and starts the stored start-up game.
    explicit MainWindow(MainWindowServices services);
    // Saves the statistics, then lets the board view release the textures with its context.
    ~MainWindow() override;

    // The creation handler: starts the timer, runs New (which places the window) and probes
    // the device. Without a device it shows the initialisation error, asks the window to
    // close and returns false.
    bool onCreate();

    // One tick of the frame timer: face blink, a repaint when the clock or the face shows
    // differently from the last paint, cursor, update notice, placement; then how long the
    // timer sleeps before the next.
    void timerTick();
    int timerInterval() const { return timer_.interval(); }
    // Tests that tick by hand hold the timer, whose own ticks would read the same clock.
    QTimer& frameTimer() { return timer_; }
    // Re-reads the skin textures and shows the idle face (when reinitialise is set), then
    // repaints.
    void viewReset(bool reinitialise = true);
    // A skin was applied: its look on the game as it stands (the tutorial's board and the peeled
    // layers stay).
    void skinChanged();

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

    // The mouse and the wheel in the board view.
    BoardInput& boardInput() const { return *input_; }
    const ViewControl& viewControl() const { return *viewControl_; }
    const KeyboardPlay& keyboard() const { return *keyboard_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Every menu command to its handler.
    void connectMenu();
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
    void showHint();
    void tutorialClosed();
    void playStartSound();
    // The first paint's: START when sound is on, then the music when it is on.
    void startSoundAndMusic();
    void graphicsSettings();
    void paintFrame(int width, int height);
    void wakeTimer();
    FrameLoop::TimedView timedView() const;

    MainWindowServices services_;
    RenderContext device_;
    SceneRenderer renderer_;
    FrameLoop frameLoop_;
    WindowPlacer placer_;
    SaveSlots saveSlots_;
    BoardView* view_ = nullptr;
    NoticeLine* notice_ = nullptr;
    QTimer timer_;
    PixelRect faceRect_{};
    bool tutorialGame_ = false;
    TutorialSession tutorial_;
    AccessoryDialogs accessories_;
    ViewControl* viewControl_ = nullptr;
    KeyboardPlay* keyboard_ = nullptr;
    PauseControl* pause_ = nullptr;
    std::unique_ptr<BoardInput> input_;
    std::unique_ptr<MainMenu> menu_;
};

} // namespace kubrix
