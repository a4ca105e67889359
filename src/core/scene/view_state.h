// How the player looks into the block beyond turning it: the zoom and the peeled layers.
#pragma once

#include "core/scene/peel.h"
#include "core/scene/quaternion.h"

#include <string>

namespace kubrix {

// A board size in cubes.
struct BlockSize {
    int width = 0;
    int height = 0;
    int depth = 0;
};

// Starts as the classic view: the camera at its usual distance and every layer showing. Zoom
// is a factor on the camera's distance from the block's centre; it survives new games and is
// kept within limits for each board size. Peeling takes layers off the side of the block that
// faces the viewer most, so a turn that brings another side to the front shows every layer.
class ViewState {
public:
    // One wheel notch or key press moves the camera by this factor.
    static constexpr float kZoomStep = 1.1F;
    // Farthest the camera may go, as a factor of the usual distance.
    static constexpr float kFarthest = 3.0F;

    // The nearest the camera may come for a board: the block's far corner, turned towards the
    // viewer, stays a cube's width beyond the near plane, so turning brings every cube into view
    // and none is cut open. Never beyond the usual distance.
    static float nearestDistance(BlockSize size);
    // The axis and sign of the block closest to the direction towards the viewer.
    static Peel facing(const Quaternion& viewRotation);

    // The distance factor for this board, within its limits.
    float distance(BlockSize size) const;
    // Positive notches move in, negative out; fractions come from fine-grained wheels.
    void zoom(float notches, BlockSize size);

    // Adopts the facing side of the view; a change of side shows every layer again. True when
    // layers were hidden and now show.
    bool follow(const Quaternion& viewRotation);
    // One more layer away (the last layer always stays) or one back; true when it changed.
    bool peelLayer(BlockSize size);
    bool restoreLayer();
    bool showAllLayers();
    const Peel& peel() const { return peel_; }
    // "layer k / n" while layers are hidden, k the front layer counted from the viewer's side;
    // empty otherwise.
    std::string layerCaption(BlockSize size) const;

    // Back to the usual distance with every layer showing.
    void reset();

private:
    float distance_ = 1.0F;
    Peel peel_;
};

} // namespace kubrix
