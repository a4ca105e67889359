// The View menu's commands and the wheel, applied to the view state.
#include "platform/ui/view_control.h"

#include "core/base/settings_table.h"
#include "core/game/board.h"
#include "core/scene/board_scene.h"
#include "core/scene/view_projection.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace kubrix {

namespace {
constexpr int kNotch = 120;
} // namespace

ViewControl::ViewControl(QWidget& window, SettingsStore& settings, Hooks hooks)
    : QObject(&window), window_(window), settings_(settings), hooks_(std::move(hooks))
{
    actionResetView_ = makeAction("actionResetView", "&Reset View");
    actionZoomIn_ = makeAction("actionZoomIn", "Zoom &In");
    actionZoomOut_ = makeAction("actionZoomOut", "Zoom &Out");
    actionPeelLayer_ = makeAction("actionPeelLayer", "&Peel Layer");
    actionRestoreLayer_ = makeAction("actionRestoreLayer", "Restore &Layer");
    actionNeighbourhood_ = makeAction("actionNeighbourhood", "&Highlight Neighbours");
    actionResetView_->setShortcut(Qt::Key_Home);
    // "+" wants Shift on most keyboards; "=" on the same key and the keypad's keys do as well.
    actionZoomIn_->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)});
    actionZoomOut_->setShortcut(Qt::Key_Minus);
    actionPeelLayer_->setShortcut(Qt::Key_PageDown);
    actionRestoreLayer_->setShortcut(Qt::Key_PageUp);
    actionNeighbourhood_->setShortcut(Qt::Key_N);
    actionNeighbourhood_->setCheckable(true);

    connect(actionResetView_, &QAction::triggered, this, &ViewControl::resetView);
    connect(actionZoomIn_, &QAction::triggered, this, [this] { zoom(1.0F); });
    connect(actionZoomOut_, &QAction::triggered, this, [this] { zoom(-1.0F); });
    connect(actionPeelLayer_, &QAction::triggered, this, &ViewControl::peelLayer);
    connect(actionRestoreLayer_, &QAction::triggered, this, &ViewControl::restoreLayer);
    // Checked before it is connected: the window the change would be told to is still being
    // built.
    neighbourhood_ = settings::read(settings_, settings::neighbourhood) != 0;
    actionNeighbourhood_->setChecked(neighbourhood_);
    connect(actionNeighbourhood_, &QAction::toggled, this, &ViewControl::setNeighbourhood);
    showActionStates();
}

QAction* ViewControl::makeAction(const char* name, const char* text)
{
    auto* action = new QAction(QString::fromLatin1(text), &window_);
    action->setObjectName(QString::fromLatin1(name));
    // Shortcuts of actions in a menu bar work once the action is also the window's.
    window_.addAction(action);
    return action;
}

void ViewControl::addMenu(QMenuBar& bar)
{
    QMenu* menu = bar.addMenu(QStringLiteral("&View"));
    menu->addAction(actionResetView_);
    menu->addSeparator();
    menu->addActions({actionZoomIn_, actionZoomOut_});
    menu->addSeparator();
    menu->addActions({actionPeelLayer_, actionRestoreLayer_});
    menu->addSeparator();
    menu->addAction(actionNeighbourhood_);
}

void ViewControl::wheel(int angleDelta, bool shift)
{
    if (!shift) {
        zoom(static_cast<float>(angleDelta) / kNotch);
        return;
    }
    // A notch towards the player peels, as Page Down does; one away restores.
    peelDelta_ += angleDelta;
    while (peelDelta_ <= -kNotch) {
        peelDelta_ += kNotch;
        peelLayer();
    }
    while (peelDelta_ >= kNotch) {
        peelDelta_ -= kNotch;
        restoreLayer();
    }
}

void ViewControl::zoom(float notches)
{
    state_.zoom(notches, hooks_.blockSize());
    hooks_.changed();
}

void ViewControl::peelLayer()
{
    followRotation();
    if (state_.peelLayer(hooks_.blockSize())) {
        showActionStates();
        hooks_.changed();
    }
}

void ViewControl::restoreLayer()
{
    if (state_.restoreLayer()) {
        showActionStates();
        hooks_.changed();
    }
}

void ViewControl::followRotation()
{
    if (state_.follow(hooks_.rotation())) {
        showActionStates();
        hooks_.changed();
    }
}

void ViewControl::prepare(BoardScene& scene)
{
    followRotation();
    scene.setPeel(state_.peel());
    scene.setNeighbourhood(neighbourhood_);
}

ViewProjection ViewControl::projection(const Board& board, int width, int height) const
{
    const Quaternion& rotation = hooks_.rotation();
    // As the next frame adopts it: a turn that brought another side to the front shows every
    // layer.
    Peel peel = state_.peel();
    const Peel facing = ViewState::facing(rotation);
    if (facing.axis != peel.axis || facing.sign != peel.sign)
        peel = facing;
    return ViewProjection(board, rotation, width, height, distance(), peel);
}

void ViewControl::showAllLayers()
{
    if (state_.showAllLayers()) {
        showActionStates();
        hooks_.changed();
    }
}

void ViewControl::showCubes(const Board& board, std::span<const int> cubes)
{
    const Peel& peel = state_.peel();
    const int side = peel.sideOf(board.width(), board.height(), board.depth());
    for (const int index : cubes) {
        const CubePosition at = board.positionOf(index);
        if (peel.hides(at.x, at.y, at.z, side)) {
            showAllLayers();
            return;
        }
    }
}

void ViewControl::resetView()
{
    hooks_.rotation() = kTutorialRotation;
    state_.reset();
    state_.follow(kTutorialRotation);
    showActionStates();
    hooks_.changed();
}

void ViewControl::setAvailable(bool available)
{
    available_ = available;
    showActionStates();
}

void ViewControl::showActionStates()
{
    for (QAction* action : {actionResetView_, actionZoomIn_, actionZoomOut_, actionPeelLayer_,
                            actionNeighbourhood_})
        action->setEnabled(available_);
    actionRestoreLayer_->setEnabled(available_ && state_.peel().layers > 0);
}

void ViewControl::setNeighbourhood(bool on)
{
    if (on == neighbourhood_)
        return;
    neighbourhood_ = on;
    settings::write(settings_, settings::neighbourhood, on ? 1 : 0);
    hooks_.changed();
}

} // namespace kubrix
