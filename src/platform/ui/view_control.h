// The View menu and the wheel: zoom, peeling layers, the starting view, the neighbourhood light.
#pragma once

#include "core/scene/quaternion.h"
#include "core/scene/view_state.h"

#include <QObject>

#include <functional>
#include <span>
#include <string>

class QAction;
class QMenuBar;
class QWidget;

namespace kubrix {

class Board;
class BoardScene;
class SettingsStore;
class ViewProjection;

// Each command is a QAction named "action" and the command's name ("actionZoomIn"...),
// parented to the window so that its shortcut works wherever the focus is in it.
class ViewControl final : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        // The view rotation the block is drawn with; Reset View turns it back to the start.
        std::function<Quaternion&()> rotation;
        std::function<BlockSize()> blockSize;
        // Something visible changed: the window redraws.
        std::function<void()> changed;
    };

    ViewControl(QWidget& window, SettingsStore& settings, Hooks hooks);

    // The "&View" menu; the caller places it between Game and Help.
    void addMenu(QMenuBar& bar);

    // angleDelta in eighths of a degree, 120 a notch, positive away from the player: zoom in;
    // with shift, peel a layer towards the player and restore one away from the player.
    void wheel(int angleDelta, bool shift);
    // A new game shows every layer and keeps the zoom.
    void showAllLayers();
    // Shows every layer when one of these cubes (indices into the board) is peeled away.
    void showCubes(const Board& board, std::span<const int> cubes);
    void resetView();
    // While the tutorial plays its demonstration, the view is the tutorial's: the commands
    // grey out, as the wheel and the mouse already rest.
    void setAvailable(bool available);

    // Hands the peel and the neighbourhood light to the scene that frames and picks share,
    // after adopting the side of the block that now faces the viewer.
    void prepare(BoardScene& scene);
    // The camera distance factor of the zoom and the front layer's caption, for the board in
    // play.
    float distance() const { return state_.distance(hooks_.blockSize()); }
    std::string layerCaption() const { return state_.layerCaption(hooks_.blockSize()); }
    // Where the board shows in a view of that size and what of it the eye sees, as the next
    // frame draws it.
    ViewProjection projection(const Board& board, int width, int height) const;

    const ViewState& state() const { return state_; }
    bool neighbourhood() const { return neighbourhood_; }

private:
    QAction* makeAction(const char* name, const char* text);
    void zoom(float notches);
    void peelLayer();
    void restoreLayer();
    void setNeighbourhood(bool on);
    // After the view rotation changed: a new side in front shows every layer again.
    void followRotation();
    void showActionStates();

    QWidget& window_;
    SettingsStore& settings_;
    Hooks hooks_;
    ViewState state_;
    bool neighbourhood_ = false;
    bool available_ = true;
    // The part of a notch a fine-grained wheel has turned and not yet peeled with.
    int peelDelta_ = 0;

    QAction* actionResetView_ = nullptr;
    QAction* actionZoomIn_ = nullptr;
    QAction* actionZoomOut_ = nullptr;
    QAction* actionPeelLayer_ = nullptr;
    QAction* actionRestoreLayer_ = nullptr;
    QAction* actionNeighbourhood_ = nullptr;
};

} // namespace kubrix
