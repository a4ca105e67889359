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
#include "platform/ui/board_view.h"
#include "platform/ui/custom_settings_dialog.h"
#include "platform/ui/high_scores_dialog.h"
#include "platform/ui/init_error_dialog.h"
#include "platform/ui/load_save_dialog.h"
#include "platform/ui/notice_line.h"
#include "platform/ui/skin_manager_dialog.h"
#include "platform/ui/statistics_dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>

namespace kubrix {

MainWindow::MainWindow(MainWindowServices services)
    : services_(std::move(services)), renderer_(device_, services_.textures),
      picker_(device_, renderer_.boardDrawer()), placer_(*this, services_.settings),
      saveSlots_(services_.dataFolder),
      tutorial_(
          *this,
          {services_.app.game(), services_.app.viewRotation(), services_.clock, services_.skins},
          [this] { tutorialClosed(); }),
      accessories_(*this, {services_.app.game(), services_.settings, services_.app.updateCheck(),
                           services_.site, services_.opener, services_.messages})
{
    setWindowTitle(QStringLiteral("Kubrix"));
    setMinimumSize(kMinimumWindowWidth, kMinimumWindowHeight);
    services_.app.statistics().load(services_.settings, services_.clock.now());
    game().initFromSettings();
    game().face().set(FaceState::kIdle, 0);

    view_ = new BoardView(device_, services_.textures, this);
    view_->setPaintHandler([this](int width, int height) { paintFrame(width, height); });
    view_->setMouseHandlers(
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
    setCentralWidget(view_);
    notice_ = new NoticeLine(*view_);

    viewControl_ =
        new ViewControl(*this, services_.settings,
                        {[this]() -> Quaternion& { return services_.app.viewRotation(); },
                         [this] {
                             const Board& board = game().board();
                             return BlockSize{board.width(), board.height(), board.depth()};
                         },
                         [this] { view_->update(); }});
    createActions();
    createMenus();
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

QAction* MainWindow::makeAction(const char* name, const char* text, const QKeySequence& shortcut)
{
    auto* action = new QAction(QString::fromLatin1(text), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

void MainWindow::createActions()
{
    actionNew_ = makeAction("actionNew", "&New", Qt::Key_F2);
    actionHint_ = makeAction("actionHint", "&Hint", Qt::Key_H);
    actionBeginner_ = makeAction("actionBeginner", "&Beginner", {});
    actionIntermediate_ = makeAction("actionIntermediate", "&Intermediate", {});
    actionExpert_ = makeAction("actionExpert", "&Expert", {});
    actionCustom_ = makeAction("actionCustom", "&Custom...", {});
    actionNoGuess_ = makeAction("actionNoGuess", "No-&Guess Boards", {});
    actionLoadGame_ = makeAction("actionLoadGame", "&Load Game...", Qt::CTRL | Qt::Key_O);
    actionSaveGame_ = makeAction("actionSaveGame", "Sa&ve Game...", Qt::CTRL | Qt::Key_S);
    actionStatistics_ = makeAction("actionStatistics", "S&tatistics...", {});
    actionRecords_ = makeAction("actionRecords", "&Records...", {});
    actionSound_ = makeAction("actionSound", "&Sound", {});
    actionMusic_ = makeAction("actionMusic", "&Music", {});
    actionPreferences_ = makeAction("actionPreferences", "&Preferences...", {});
    actionSkins_ = makeAction("actionSkins", "S&kins...", {});
    actionAutomaticUpdates_ = makeAction("actionAutomaticUpdates", "Automatic Updates...", {});
    actionExit_ = makeAction("actionExit", "E&xit", {});
    actionContents_ = makeAction("actionContents", "&Contents", Qt::Key_F1);
    actionTutorial_ = makeAction("actionTutorial", "&Tutorial", Qt::CTRL | Qt::Key_F1);
    actionAbout_ = makeAction("actionAbout", "&About Kubrix...", {});
    actionSound_->setCheckable(true);
    actionMusic_->setCheckable(true);
    actionTutorial_->setCheckable(true);
    actionNoGuess_->setCheckable(true);

    connect(actionNew_, &QAction::triggered, this, &MainWindow::newGame);
    connect(actionBeginner_, &QAction::triggered, this, [this] { selectLevel(kLevelBeginner); });
    connect(actionIntermediate_, &QAction::triggered, this,
            [this] { selectLevel(kLevelIntermediate); });
    connect(actionExpert_, &QAction::triggered, this, [this] { selectLevel(kLevelExpert); });
    connect(actionCustom_, &QAction::triggered, this, &MainWindow::customSize);
    connect(actionLoadGame_, &QAction::triggered, this, &MainWindow::loadGame);
    connect(actionHint_, &QAction::triggered, this, &MainWindow::showHint);
    connect(actionNoGuess_, &QAction::triggered, this,
            [this](bool on) { game().setNoGuessBoards(on); });
    connect(actionSaveGame_, &QAction::triggered, this, &MainWindow::saveGame);
    connect(actionStatistics_, &QAction::triggered, this, &MainWindow::showStatistics);
    connect(actionRecords_, &QAction::triggered, this, &MainWindow::showRecords);
    connect(actionSound_, &QAction::triggered, this, [this] { game().toggleSound(); });
    connect(actionMusic_, &QAction::triggered, this, [this] { game().toggleMusic(); });
    connect(actionSkins_, &QAction::triggered, this, &MainWindow::manageSkins);
    connect(actionExit_, &QAction::triggered, this, &QWidget::close);
    connect(actionTutorial_, &QAction::triggered, this, &MainWindow::toggleTutorial);
    connect(actionPreferences_, &QAction::triggered, this, &MainWindow::graphicsSettings);
    connect(actionAutomaticUpdates_, &QAction::triggered, this,
            [this] { accessories_.configureUpdates(); });
    connect(actionContents_, &QAction::triggered, this, [this] { accessories_.helpContents(); });
    connect(actionAbout_, &QAction::triggered, this, [this] { accessories_.about(); });
}

void MainWindow::createMenus()
{
    QMenu* gameMenu = menuBar()->addMenu(QStringLiteral("&Game"));
    gameMenu->addActions({actionNew_, actionHint_});
    gameMenu->addSeparator();
    gameMenu->addActions(
        {actionBeginner_, actionIntermediate_, actionExpert_, actionCustom_, actionNoGuess_});
    gameMenu->addSeparator();
    gameMenu->addActions({actionLoadGame_, actionSaveGame_});
    gameMenu->addSeparator();
    gameMenu->addActions({actionStatistics_, actionRecords_});
    gameMenu->addSeparator();
    gameMenu->addActions(
        {actionSound_, actionMusic_, actionPreferences_, actionSkins_, actionAutomaticUpdates_});
    gameMenu->addSeparator();
    gameMenu->addAction(actionExit_);

    viewControl_->addMenu(*menuBar());

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->addActions({actionContents_, actionTutorial_});
    helpMenu->addSeparator();
    helpMenu->addAction(actionAbout_);
}

void MainWindow::updateActions()
{
    actionSaveGame_->setEnabled(game().running());
    actionHint_->setEnabled(game().running());
    actionNoGuess_->setChecked(game().noGuessBoards());
    actionSound_->setChecked(game().soundOn());
    actionMusic_->setChecked(game().musicOn());
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
    if (dialog.exec() == QDialog::Accepted) {
        tutorialGame_ = false;
        playStartSound();
    }
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
    view_->update();
}

void MainWindow::showStatistics()
{
    StatisticsDialog(services_.app.statistics(), services_.clock, this).exec();
}

void MainWindow::showRecords()
{
    HighScoresDialog(game(), this).exec();
}

void MainWindow::manageSkins()
{
    SkinManager manager(services_.skins, services_.settings, services_.messages,
                        services_.skinChanged);
    SkinManagerDialog dialog(manager, services_.opener, services_.messages, this);
    dialog.exec();
}

void MainWindow::showHint()
{
    if (!game().giveHint())
        services_.messages.show("No cube can be proven safe: a guess is needed here.", "Hint",
                                MessageIcon::Information, MessageButtons::Ok);
    view_->update();
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
    view_->update();
}

void MainWindow::timerTick()
{
    const std::uint32_t now = services_.clock.now();
    game().face().tickBlink(now, services_.app.random().next());
    game().face().expire(now);
    if (frameLoop_.timerTick(now, timedView()))
        view_->update();
    if (services_.app.updateCheck().pollUpdateNotice(game().running()))
        QMetaObject::invokeMethod(
            this, [this] { accessories_.updateNotice(); }, Qt::QueuedConnection);
    restoreCursorWhenAway();
    if (tutorial_.tick())
        view_->update();
    placer_.settle();
}

void MainWindow::toggleTutorial()
{
    if (tutorial_.isOpen()) {
        tutorial_.close();
        return;
    }
    tutorialGame_ = true;
    tutorial_.open();
    actionTutorial_->setChecked(true);
    viewReset(true);
}

void MainWindow::tutorialClosed()
{
    // The board, its orientation and the tutorial-game flag stay, so the game can be played on.
    mouse_.releaseButtons();
    actionTutorial_->setChecked(false);
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
    if (start.firstPaint) {
        // The first sound opens the sound device, and a machine without one says so in a
        // message box: that must come once this frame is on the screen, never as a modal loop
        // inside the paint.
        QMetaObject::invokeMethod(this, &MainWindow::startSoundAndMusic, Qt::QueuedConnection);
        services_.app.updateCheck().signalFirstPaint();
    }
    if (start.pointerPending)
        processPointer(width, height);
    prepareScene();
    game().face().expire(services_.clock.now());
    const ViewState& view = viewControl_->state();
    const Board& board = game().board();
    const BlockSize size{board.width(), board.height(), board.depth()};
    faceRect_ = renderer_.renderFrame(FrameView{game(), services_.app.viewRotation(), width, height,
                                                buttonFace(), boardTint(), view.distance(size),
                                                view.layerCaption(size)});
    frameLoop_.endPaint(services_.clock.now(), timedView());
}

FrameLoop::TimedView MainWindow::timedView() const
{
    return {game().clockSeconds(), game().face().value()};
}

void MainWindow::buttonDown(Qt::MouseButton button, Point at)
{
    if (tutorialRunning())
        return;
    // The view keeps the mouse until the button comes up, as a capture would.
    if (button == Qt::LeftButton)
        mouse_.leftDown(at, services_.app.viewRotation());
    else if (button == Qt::RightButton)
        mouse_.rightDown(at, services_.app.viewRotation());
}

void MainWindow::buttonUp(Qt::MouseButton button, Point at)
{
    if (tutorialRunning())
        return;
    if (button == Qt::LeftButton)
        leftClick(at);
    else if (button == Qt::RightButton)
        rightClick(at);
}

void MainWindow::pointerMoved(Point at)
{
    if (tutorialRunning())
        return;
    mouse_.move(at);
    if (frameLoop_.pointerMoved())
        view_->update();
}

void MainWindow::wheelTurned(int angleDelta, bool shift)
{
    if (tutorialRunning())
        return;
    viewControl_->wheel(angleDelta, shift);
}

void MainWindow::prepareScene()
{
    viewControl_->followRotation();
    BoardScene& scene = renderer_.boardDrawer().scene();
    scene.setPeel(viewControl_->state().peel());
    scene.setNeighbourhood(viewControl_->neighbourhood());
}

void MainWindow::leftClick(Point at)
{
    if (!mouse_.leftUp())
        return; // a drag never exposes, nor starts a new game
    const std::optional<int> cube = cubeAt(at);
    if (!game().ended()) {
        game().face().press(services_.clock.now());
        if (cube)
            game().expose(*cube);
        view_->update();
    }
    const PixelRect face = faceRect_;
    const bool onFace =
        at.x >= face.left && at.x < face.right && at.y >= face.top && at.y < face.bottom;
    // A cube in front of the face takes the click; the face takes only a click on nothing.
    if (onFace && !cube)
        newGame();
}

void MainWindow::rightClick(Point at)
{
    if (mouse_.rightUp() && !game().ended()) {
        if (const std::optional<int> cube = cubeAt(at))
            game().toggleMark(*cube);
    }
    view_->update();
}

std::optional<int> MainWindow::cubeAt(Point at)
{
    prepareScene();
    view_->makeCurrent();
    const std::optional<int> cube =
        picker_.cubeAt(game(), services_.app.viewRotation(), view_->deviceWidth(),
                       view_->deviceHeight(), at.x, at.y, zoomDistance());
    view_->doneCurrent();
    return cube;
}

void MainWindow::processPointer(int width, int height)
{
    if (!cursorSet_) {
        view_->showArrowCursor();
        cursorSet_ = true;
    }
    // Drags turn the block; with no button down the cube under the pointer is highlighted,
    // and a changed highlight is drawn by this same paint. A drag turns the highlighted cube
    // away from the pointer, and a finished game takes no more moves: neither keeps one.
    const bool hover = mouse_.processPointer(services_.app.viewRotation(), width, height);
    if (mouse_.leftDragged() || mouse_.rightDragged() || game().ended()) {
        game().setHover(-1);
    } else if (hover && device_.ready()) {
        prepareScene();
        const Point at = mouse_.pointer();
        const std::optional<int> cube = picker_.cubeAt(game(), services_.app.viewRotation(), width,
                                                       height, at.x, at.y, zoomDistance());
        game().setHover(cube.value_or(-1));
    }
}

float MainWindow::zoomDistance() const
{
    const Board& board = game().board();
    return viewControl_->state().distance({board.width(), board.height(), board.depth()});
}

void MainWindow::restoreCursorWhenAway()
{
    if (!cursorSet_ || view_->pointerOver())
        return;
    view_->restoreCursor();
    cursorSet_ = false;
}

void MainWindow::tutorialBoardSetUp()
{
    services_.app.viewRotation() = kTutorialRotation;
    view_->update();
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
