// The main window.
#include "platform/ui/main_window.h"

#include "core/base/messages.h"
#include "core/base/settings_table.h"
#include "core/game/levels.h"
#include "core/shell/game_app.h"
#include "core/shell/window_placement.h"
#include "core/skin/skin_store.h"
#include "platform/gl/device_probe.h"
#include "platform/gl/texture_set.h"
#include "platform/ui/board_input.h"
#include "platform/ui/board_view.h"
#include "platform/ui/custom_settings_dialog.h"
#include "platform/ui/init_error_dialog.h"
#include "platform/ui/load_save_dialog.h"
#include "platform/ui/main_menu.h"
#include "platform/ui/notice_line.h"
#include "platform/ui/pause_control.h"

#include <QAction>
#include <QCloseEvent>
#include <QPalette>
#include <QScreen>

#include <vector>

namespace kubrix {

MainWindow::MainWindow(MainWindowServices services)
    : services_(std::move(services)), renderer_(device_, services_.textures),
      placer_(*this, services_.settings), saveSlots_(services_.dataFolder),
      tutorial_(
          *this,
          {services_.app.game(), services_.app.viewRotation(), services_.clock, services_.skins},
          [this] { tutorialClosed(); }),
      accessories_(*this, {services_.app.game(), services_.settings, services_.app.updateCheck(),
                           services_.site, services_.opener, services_.messages,
                           services_.app.statistics(), services_.clock, services_.skins,
                           services_.skinChanged})
{
    setWindowTitle(QStringLiteral("Kubrix"));
    setMinimumSize(kMinimumWindowWidth, kMinimumWindowHeight);
    services_.app.statistics().load(services_.settings, services_.clock.now());
    game().initFromSettings();
    game().face().set(FaceState::kIdle, 0);

    view_ = new BoardView(device_, services_.textures, this);
    view_->setPaintHandler([this](int width, int height) { paintFrame(width, height); });
    setCentralWidget(view_);
    notice_ = new NoticeLine(*view_);
    viewControl_ =
        new ViewControl(*this, services_.settings,
                        {[this]() -> Quaternion& { return services_.app.viewRotation(); },
                         [this] {
                             const Board& board = game().board();
                             return BlockSize{board.width(), board.height(), board.depth()};
                         },
                         [this] {
                             keyboard_->followView();
                             view_->redraw();
                         }});
    keyboard_ =
        new KeyboardPlay(*this, {game(), services_.app.viewRotation(), services_.clock, *view_,
                                 renderer_.boardDrawer().scene(), *viewControl_,
                                 [this] { return !tutorialRunning() && !game().paused(); }});
    pause_ = new PauseControl(*this, game(), [this] { return tutorialRunning(); });
    input_ = std::make_unique<BoardInput>(
        BoardInput::Parts{game(), services_.app.viewRotation(), services_.clock, device_,
                          renderer_.boardDrawer(), *view_, frameLoop_, *viewControl_, tutorial_,
                          faceRect_, *keyboard_, *pause_},
        [this] { newGame(); });
    menu_ = std::make_unique<MainMenu>(*this, *viewControl_);
    connectMenu();
    game().setObserver(this);
    updateActions();

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &MainWindow::timerTick);
}

MainWindow::~MainWindow()
{
    game().setObserver(nullptr);
    timer_.stop();
    // An open tutorial window is taken down by tutorial_, without a report to this window.
    if (services_.shutdownSound)
        services_.shutdownSound();
    services_.app.statistics().save(services_.settings, services_.clock.now());
    // The view goes before the render context it refers to, releasing the textures in its
    // own context on the way.
    delete view_;
    view_ = nullptr;
}

Game& MainWindow::game() const
{
    return services_.app.game();
}

bool MainWindow::onCreate()
{
    timer_.start();
    newGame();
    if (services_.probeDevice() == kDeviceUnavailable) {
        InitErrorDialog(this).exec();
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return false;
    }
    // Qt draws in true colour, so there is no palette to build; a display of few colours
    // still changes how textures are smoothed.
    const QScreen* display = screen();
    const int depth = display ? display->depth() : 0;
    services_.textures.setLowColourDisplay(depth > 0 && depth < 16);
    return true;
}

void MainWindow::connectMenu()
{
    const MainMenu& m = *menu_;
    connect(m.newGame, &QAction::triggered, this, &MainWindow::newGame);
    connect(m.beginner, &QAction::triggered, this, [this] { selectLevel(kLevelBeginner); });
    connect(m.intermediate, &QAction::triggered, this, [this] { selectLevel(kLevelIntermediate); });
    connect(m.expert, &QAction::triggered, this, [this] { selectLevel(kLevelExpert); });
    connect(m.custom, &QAction::triggered, this, &MainWindow::customSize);
    connect(m.loadGame, &QAction::triggered, this, &MainWindow::loadGame);
    connect(m.hint, &QAction::triggered, this, &MainWindow::showHint);
    // A shortcut that found nothing to pause leaves the item as the game is.
    connect(m.pause, &QAction::triggered, this, [this] {
        pause_->toggle();
        updateActions();
    });
    connect(m.questionMarks, &QAction::triggered, this, [this] { game().toggleQuestionMarks(); });
    connect(m.noGuess, &QAction::triggered, this, [this](bool on) { game().setNoGuessBoards(on); });
    connect(m.saveGame, &QAction::triggered, this, &MainWindow::saveGame);
    connect(m.statistics, &QAction::triggered, this, [this] { accessories_.statistics(); });
    connect(m.records, &QAction::triggered, this, [this] { accessories_.records(); });
    connect(m.sound, &QAction::triggered, this, [this] { game().toggleSound(); });
    connect(m.music, &QAction::triggered, this, [this] { game().toggleMusic(); });
    connect(m.skins, &QAction::triggered, this, [this] { accessories_.skins(); });
    connect(m.exit, &QAction::triggered, this, &QWidget::close);
    connect(m.tutorial, &QAction::triggered, this, &MainWindow::toggleTutorial);
    connect(m.preferences, &QAction::triggered, this, &MainWindow::graphicsSettings);
    connect(m.automaticUpdates, &QAction::triggered, this,
            [this] { accessories_.configureUpdates(); });
    connect(m.contents, &QAction::triggered, this, [this] { accessories_.helpContents(); });
    connect(m.about, &QAction::triggered, this, [this] { accessories_.about(); });
}

void MainWindow::updateActions()
{
    menu_->showState(game());
    view_->setCoverText(game().paused() ? QStringLiteral("Paused") : QString());
}

void MainWindow::gameStateChanged()
{
    // A finished game has nothing left to point at.
    if (game().ended())
        game().setHover(-1);
    updateActions();
}

void MainWindow::playStartSound()
{
    if (game().soundOn())
        services_.sound.playSound(SoundId::Start);
}

void MainWindow::startSoundAndMusic()
{
    playStartSound();
    if (game().musicOn())
        services_.sound.playMusic();
}

void MainWindow::newGame()
{
    tutorialGame_ = false;
    game().restartSame();
    if (frameLoop_.firstPaintPending()) {
        services_.app.viewRotation() = kTutorialRotation;
        placer_.restore();
    } else {
        playStartSound();
    }
    viewReset(true);
    // The very first game of an installation comes with the tutorial, and only that one.
    if (settings::read(services_.settings, settings::tutorialOffered) == 0) {
        toggleTutorial();
        settings::write(services_.settings, settings::tutorialOffered, 1);
    }
}

void MainWindow::selectLevel(int level)
{
    game().selectLevel(level);
    playStartSound();
    tutorialGame_ = false;
    viewReset(true);
}

void MainWindow::customSize()
{
    CustomSettingsDialog dialog(game(), this);
    // Cancel leaves the game, the view and a running tutorial as they were.
    if (dialog.exec() != QDialog::Accepted)
        return;
    tutorialGame_ = false;
    playStartSound();
    updateActions();
    viewReset(true);
}

void MainWindow::loadGame()
{
    LoadSaveDialog dialog(LoadSaveDialog::Mode::Load,
                          {saveSlots_, game(), services_.messages, services_.app.viewRotation(),
                           [this](const Quaternion& rotation) { gameLoaded(rotation); }},
                          this);
    dialog.exec();
}

void MainWindow::saveGame()
{
    if (tutorialGame_) {
        services_.messages.show("You cannot save the tutorial game.", "Save Game",
                                MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    if (!game().running())
        return;
    LoadSaveDialog dialog(LoadSaveDialog::Mode::Save,
                          {saveSlots_, game(), services_.messages, services_.app.viewRotation(),
                           [](const Quaternion&) {}},
                          this);
    dialog.exec();
}

void MainWindow::gameLoaded(const Quaternion& rotation)
{
    services_.app.viewRotation() = rotation;
    // Layers peeled from the last board may be more than the loaded one has.
    viewControl_->showAllLayers();
    tutorialGame_ = false;
    // The tutorial would otherwise go on playing its demonstration on the loaded board.
    tutorial_.close();
    pause_->gameReplaced();
    view_->redraw();
}

void MainWindow::showHint()
{
    if (!game().giveHint())
        services_.messages.show("No cube can be proven safe: a guess is needed here.", "Hint",
                                MessageIcon::Information, MessageButtons::Ok);
    if (const std::optional<Deduction>& hint = game().litHint()) {
        // A hint lit behind peeled layers, or proven by numbers there, would show nothing.
        std::vector<int> shown = hint->reasons;
        shown.push_back(hint->cube);
        viewControl_->showCubes(game().board(), shown);
    }
    view_->redraw();
}

void MainWindow::noGuessBoardUnavailable()
{
    notice_->showNotice(QStringLiteral(
        "No board that needs no guess turned up in time: this one may need a guess."));
}

void MainWindow::viewReset(bool reinitialise)
{
    if (reinitialise) {
        services_.textures.invalidate();
        game().face().set(FaceState::kIdle, services_.clock.now());
        // A new game while the tutorial plays is the tutorial's board again.
        if (tutorial_.isOpen())
            game().setupTutorialBoard();
        viewControl_->showAllLayers();
    }
    view_->redraw();
}

void MainWindow::skinChanged()
{
    services_.textures.invalidate();
    game().face().set(FaceState::kIdle, services_.clock.now());
    view_->redraw();
}

void MainWindow::timerTick()
{
    const std::uint32_t now = services_.clock.now();
    game().face().tickBlink(now, services_.app.random().next());
    game().face().expire(now);
    const FrameLoop::TimedView timed = timedView();
    if (frameLoop_.timerTick(now, timed))
        view_->redraw();
    const bool soundSettled = services_.sound.rest();
    UpdateCheck& updates = services_.app.updateCheck();
    if (updates.pollUpdateNotice(game().running()))
        QMetaObject::invokeMethod(
            this, [this] { accessories_.updateNotice(); }, Qt::QueuedConnection);
    input_->restoreCursorWhenAway();
    if (tutorial_.tick())
        view_->redraw();
    placer_.settle();

    const bool watching = (game().running() && !game().paused()) || !soundSettled ||
                          frameLoop_.behind(timed) || updates.awaitingNotice() ||
                          input_->cursorSet() || tutorial_.isOpen() || placer_.settling();
    timer_.setInterval(static_cast<int>(FrameLoop::sleepAfterTick(
        services_.clock.now(), watching, game().face().nextChangeTick())));
}

void MainWindow::wakeTimer()
{
    // Every change the player makes paints; from a long sleep the timer goes back to
    // ticking, and sleeps again once nothing is watched.
    if (timer_.isActive() && timer_.interval() > kTimerMs)
        timer_.start(kTimerMs);
}

void MainWindow::toggleTutorial()
{
    if (tutorial_.isOpen()) {
        tutorial_.close();
        return;
    }
    tutorialGame_ = true;
    tutorial_.open();
    menu_->tutorial->setChecked(true);
    viewControl_->setAvailable(false);
    viewReset(true);
}

void MainWindow::tutorialClosed()
{
    // The board, its orientation and the tutorial-game flag stay, so the game can be played on.
    input_->releaseButtons();
    menu_->tutorial->setChecked(false);
    viewControl_->setAvailable(true);
}

void MainWindow::graphicsSettings()
{
    accessories_.graphicsSettings();
    // The quality is read by every frame; the view keeps its turn and its textures.
    viewReset(false);
}

void MainWindow::paintFrame(int width, int height)
{
    const FrameLoop::PaintStart start = frameLoop_.beginPaint();
    wakeTimer();
    if (start.firstPaint) {
        // The first sound opens the sound device, and a machine without one says so in a
        // message box: that must come once this frame is on the screen, never as a modal loop
        // inside the paint.
        QMetaObject::invokeMethod(this, &MainWindow::startSoundAndMusic, Qt::QueuedConnection);
        services_.app.updateCheck().signalFirstPaint();
    }
    if (start.pointerPending)
        input_->processPointer(width, height);
    viewControl_->prepare(renderer_.boardDrawer().scene());
    game().face().expire(services_.clock.now());
    faceRect_ = renderer_.renderFrame(FrameView{game(), services_.app.viewRotation(), width, height,
                                                buttonFace(), boardTint(), viewControl_->distance(),
                                                viewControl_->layerCaption(), !game().paused(),
                                                keyboard_->cursorCube().value_or(-1)});
    frameLoop_.endPaint(services_.clock.now(), timedView());
}

FrameLoop::TimedView MainWindow::timedView() const
{
    return {game().clockSeconds(), game().face().value()};
}

void MainWindow::tutorialBoardSetUp()
{
    services_.app.viewRotation() = kTutorialRotation;
    view_->redraw();
}

Colour MainWindow::boardTint() const
{
    if (services_.skins.isCustomSkinApplied())
        return {1.0F, 1.0F, 1.0F, 1.0F};
    return buttonFace();
}

Colour MainWindow::buttonFaceOf(const QPalette& palette)
{
    const QColor face = palette.color(QPalette::Button);
    return {static_cast<float>(face.redF()), static_cast<float>(face.greenF()),
            static_cast<float>(face.blueF()), 0.0F};
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    timer_.stop();
    placer_.store();
    event->accept();
}

} // namespace kubrix
