// The main window.
#include "platform/ui/c_main_frame.h"

#include "core/base/messages.h"
#include "core/base/settings_table.h"
#include "core/game/levels.h"
#include "core/shell/game_app.h"
#include "core/shell/window_placement.h"
#include "core/skin/skin_store.h"
#include "platform/gl/device_probe.h"
#include "platform/gl/texture_set.h"
#include "platform/ui/board_view.h"
#include "platform/ui/command_ids.h"
#include "platform/ui/custom_settings_dialog.h"
#include "platform/ui/init_error_dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>

namespace kubrix {

namespace {

// How long a restored placement waits for the window manager's frame before it is kept as is.
constexpr int kSettleTicks = 10;

} // namespace

CMainFrame::CMainFrame(MainFrameServices services)
    : services_(std::move(services)), renderer_(device_, services_.textures),
      picker_(device_, renderer_.boardDrawer())
{
    setWindowTitle(QStringLiteral("Kubrix"));
    services_.app.statistics().load(services_.settings, services_.clock.now());
    game().initFromSettings();
    game().face().set(FaceState::kIdle, 0);

    view_ = new BoardView(device_, services_.textures, this);
    view_->setPaintHandler([this](int width, int height) { paintFrame(width, height); });
    view_->setMouseHandlers({[this](Qt::MouseButton button, int x, int y) {
                                 buttonDown(button, {x, y});
                             },
                             [this](Qt::MouseButton button, int x, int y) {
                                 buttonUp(button, {x, y});
                             },
                             [this](int x, int y) {
                                 pointerMoved({x, y});
                             }});
    setCentralWidget(view_);

    menu_ = buildMainMenu(*menuBar());
    buildCommands();
    for (const auto& [id, item] : menu_.actions)
        connect(item, &QAction::triggered, this, [this, id = id] { runCommand(id); });
    connect(menu_.game, &QMenu::aboutToShow, this, &CMainFrame::refreshCommandStates);
    connect(menu_.help, &QMenu::aboutToShow, this, &CMainFrame::refreshCommandStates);
    game().setObserver(this);
    refreshCommandStates();

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &CMainFrame::timerTick);
}

CMainFrame::~CMainFrame()
{
    game().setObserver(nullptr);
    timer_.stop();
    // The tutorial window, when it exists, is shut before this.
    if (services_.shutdownSound)
        services_.shutdownSound();
    services_.app.statistics().save(services_.settings, services_.clock.now());
    // The view goes before the render context it refers to, releasing the textures in its
    // own context on the way.
    delete view_;
    view_ = nullptr;
}

Game& CMainFrame::game() const
{
    return services_.app.game();
}

bool CMainFrame::onCreate()
{
    timer_.start();
    runCommand(command::kNew);
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

void CMainFrame::buildCommands()
{
    const auto always = [] { return true; };
    commands_[command::kNew] = {[this] { newGame(); }, always, {}};
    commands_[command::kBeginner] = {[this] { selectLevel(kLevelBeginner); }, always, {}};
    commands_[command::kIntermediate] = {[this] { selectLevel(kLevelIntermediate); }, always, {}};
    commands_[command::kExpert] = {[this] { selectLevel(kLevelExpert); }, always, {}};
    commands_[command::kCustom] = {[this] { customSize(); }, always, {}};
    commands_[command::kSaveGame] = {
        [this] { saveGame(); }, [this] { return game().running(); }, {}};
    commands_[command::kSound] = {[this] { game().toggleSound(); }, always,
                                  [this] { return game().soundOn(); }};
    commands_[command::kMusic] = {[this] { game().toggleMusic(); }, always,
                                  [this] { return game().musicOn(); }};
    commands_[command::kExit] = {[this] { close(); }, always, {}};
    // Load Game, Statistics, Records, Preferences, Skins, Automatic Updates, Contents, Tutorial
    // and About have no handler yet: their items stay disabled until their dialogs exist.
}

bool CMainFrame::commandEnabled(int id) const
{
    const auto found = commands_.find(id);
    return found != commands_.end() && found->second.enabled();
}

void CMainFrame::runCommand(int id)
{
    if (!commandEnabled(id))
        return;
    commands_.at(id).run();
    refreshCommandStates();
}

QAction* CMainFrame::action(int id) const
{
    const auto found = menu_.actions.find(id);
    return found == menu_.actions.end() ? nullptr : found->second;
}

void CMainFrame::refreshCommandStates()
{
    for (const auto& [id, item] : menu_.actions) {
        item->setEnabled(commandEnabled(id));
        const auto found = commands_.find(id);
        const bool checkable = found != commands_.end() && found->second.checked;
        item->setCheckable(checkable);
        if (checkable)
            item->setChecked(found->second.checked());
    }
}

void CMainFrame::playStartSound()
{
    if (game().soundOn())
        services_.sound.playSound(SoundId::Start);
}

void CMainFrame::newGame()
{
    tutorialGame_ = false;
    game().restartSame();
    if (frameLoop_.firstPaintPending()) {
        services_.app.viewRotation() = kTutorialRotation;
        restorePlacement();
    } else {
        playStartSound();
    }
    viewReset(true);
    // The first start opens the tutorial here and then writes "hst" = 1. Both come with the
    // tutorial window: writing "hst" before it exists would cost the player the tutorial.
}

void CMainFrame::selectLevel(int level)
{
    game().selectLevel(level);
    playStartSound();
    tutorialGame_ = false;
    viewReset(true);
}

void CMainFrame::customSize()
{
    CustomSettingsDialog dialog(game(), this);
    if (dialog.exec() == QDialog::Accepted) {
        tutorialGame_ = false;
        playStartSound();
    }
    viewReset(true);
}

void CMainFrame::saveGame()
{
    if (tutorialGame_) {
        services_.messages.show("You cannot save the tutorial game.", "Save Game",
                                MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    // A running game is saved through the load/save dialog, which comes with saved games.
}

void CMainFrame::viewReset(bool reinitialise)
{
    if (reinitialise) {
        services_.textures.invalidate();
        game().face().set(FaceState::kIdle, services_.clock.now());
        // While the tutorial window is open a new game reloads the tutorial board here.
    }
    view_->update();
}

void CMainFrame::timerTick()
{
    const std::uint32_t now = services_.clock.now();
    if (frameLoop_.timerTick(now))
        view_->update();
    if (services_.app.updateCheck().pollUpdateNotice(game().running()))
        QMetaObject::invokeMethod(this, &CMainFrame::showUpdateNotice, Qt::QueuedConnection);
    game().face().tickBlink(now, services_.app.random().next());
    restoreCursorWhenAway();
    // The tutorial's steps join the tick with the tutorial.
    settlePlacement();
    // Shortcuts act without opening a menu, so their states must not wait for one.
    refreshCommandStates();
}

void CMainFrame::showUpdateNotice()
{
    // The "Update Detected for Kubrix" notice, and the "iupdatev" write after it, come with the
    // update settings dialogs. The check only runs once the player has enabled it there.
}

void CMainFrame::paintFrame(int width, int height)
{
    const FrameLoop::PaintStart start = frameLoop_.beginPaint();
    if (start.firstPaint) {
        playStartSound();
        if (game().musicOn())
            services_.sound.playMusic();
        services_.app.updateCheck().signalFirstPaint();
    }
    if (start.pointerPending)
        processPointer(width, height);
    game().face().expire(services_.clock.now());
    faceRect_ = renderer_.renderFrame(
        FrameView{game(), services_.app.viewRotation(), width, height, buttonFace(), boardTint()});
    frameLoop_.endPaint(services_.clock.now());
}

void CMainFrame::buttonDown(Qt::MouseButton button, Point at)
{
    if (tutorialRunning())
        return;
    // The view keeps the mouse until the button comes up, as a capture would.
    if (button == Qt::LeftButton)
        mouse_.leftDown(at, services_.app.viewRotation());
    else if (button == Qt::RightButton)
        mouse_.rightDown(at, services_.app.viewRotation());
}

void CMainFrame::buttonUp(Qt::MouseButton button, Point at)
{
    if (tutorialRunning())
        return;
    if (button == Qt::LeftButton)
        leftClick(at);
    else if (button == Qt::RightButton)
        rightClick(at);
}

void CMainFrame::pointerMoved(Point at)
{
    if (tutorialRunning())
        return;
    mouse_.move(at);
    if (frameLoop_.pointerMoved())
        view_->update();
}

void CMainFrame::leftClick(Point at)
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
        runCommand(command::kNew);
}

void CMainFrame::rightClick(Point at)
{
    if (mouse_.rightUp() && !game().ended()) {
        if (const std::optional<int> cube = cubeAt(at))
            game().toggleMark(*cube);
    }
    view_->update();
}

std::optional<int> CMainFrame::cubeAt(Point at)
{
    view_->makeCurrent();
    const std::optional<int> cube =
        picker_.cubeAt(game(), services_.app.viewRotation(), view_->deviceWidth(),
                       view_->deviceHeight(), at.x, at.y);
    view_->doneCurrent();
    return cube;
}

void CMainFrame::processPointer(int width, int height)
{
    if (!cursorSet_) {
        view_->showArrowCursor();
        cursorSet_ = true;
    }
    // Drags turn the block; with no button down the cube under the pointer is highlighted,
    // and a changed highlight is drawn by this same paint.
    if (mouse_.processPointer(services_.app.viewRotation(), width, height) && device_.ready()) {
        const Point at = mouse_.pointer();
        const std::optional<int> cube =
            picker_.cubeAt(game(), services_.app.viewRotation(), width, height, at.x, at.y);
        game().setHover(cube.value_or(-1));
    }
}

void CMainFrame::restoreCursorWhenAway()
{
    if (!cursorSet_ || view_->pointerOver())
        return;
    view_->restoreCursor();
    cursorSet_ = false;
}

void CMainFrame::tutorialBoardSetUp()
{
    services_.app.viewRotation() = kTutorialRotation;
    view_->update();
}

Colour CMainFrame::boardTint() const
{
    if (services_.skins.isCustomSkinApplied())
        return {1.0F, 1.0F, 1.0F, 1.0F};
    return buttonFace();
}

Colour CMainFrame::buttonFaceOf(const QPalette& palette)
{
    const QColor face = palette.color(QPalette::Button);
    return {static_cast<float>(face.redF()), static_cast<float>(face.greenF()),
            static_cast<float>(face.blueF()), 0.0F};
}

void CMainFrame::restorePlacement()
{
    const WindowRect stored =
        parsePlacement(settings::read(services_.settings, settings::windowPlacement));
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = display ? display->availableGeometry() : QRect(0, 0, 600, 600);
    // Fitted in the available area's own coordinates, so a panel at the left or top counts.
    const WindowRect fitted =
        clampPlacement({stored.left - area.left(), stored.top - area.top(),
                        stored.right - area.left(), stored.bottom - area.top()},
                       area.width(), area.height());
    const QRect frame(fitted.left + area.left(), fitted.top + area.top(),
                      fitted.right - fitted.left, fitted.bottom - fitted.top);
    // The stored rectangle is the outer frame; Qt moves by the frame but sizes the client.
    const QSize margins = frameGeometry().size() - geometry().size();
    move(frame.topLeft());
    resize(frame.size() - margins);
    if (margins.isNull())
        pendingPlacement_ = frame;
    settleTicks_ = 0;
    view_->update();
}

void CMainFrame::settlePlacement()
{
    if (!pendingPlacement_ || !isVisible())
        return;
    const QSize margins = frameGeometry().size() - geometry().size();
    if (margins.isNull()) {
        // No window manager frames the window (or not yet): the client is the frame.
        if (++settleTicks_ >= kSettleTicks)
            pendingPlacement_.reset();
        return;
    }
    move(pendingPlacement_->topLeft());
    resize(pendingPlacement_->size() - margins);
    pendingPlacement_.reset();
}

void CMainFrame::storePlacement()
{
    const QRect frame = frameGeometry();
    const WindowRect rect{frame.left(), frame.top(), frame.left() + frame.width(),
                          frame.top() + frame.height()};
    settings::write(services_.settings, settings::windowPlacement, formatPlacement(rect));
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    timer_.stop();
    storePlacement();
    event->accept();
}

} // namespace kubrix
