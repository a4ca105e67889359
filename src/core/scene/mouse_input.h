// The mouse rules of the board view: presses, the drag thresholds, turning and spinning the
// block, and when a release counts as a click.
#pragma once

#include "core/scene/quaternion.h"

namespace kubrix {

struct Point {
    int x = 0;
    int y = 0;
};

class MouseInput {
public:
    // A press that moves no more than this far from its anchor (either axis) is still a click.
    static constexpr int kLeftSlop = 8;
    static constexpr int kRightSlop = 4;

    void leftDown(Point at, const Quaternion& view);
    void rightDown(Point at, const Quaternion& view);
    void move(Point at) { pointer_ = at; }

    // Applied once per paint, however many moves came before it: turns the view for a left
    // drag (about the screen's axes) or spins it for a right drag (about the viewing axis).
    // Returns true when no button is down, so the caller picks the hovered cube.
    bool processPointer(Quaternion& view, int clientWidth, int clientHeight);

    // True when the release ends a click rather than a drag.
    bool leftUp();
    // True when the release ends a right click (the button had gone down here, undragged).
    bool rightUp();
    // Forgets both presses, as if their buttons had come up outside the view without a click.
    void releaseButtons();

    Point pointer() const { return pointer_; }
    bool leftIsDown() const { return leftDown_; }
    bool rightIsDown() const { return rightDown_; }
    bool leftDragged() const { return leftDragged_; }
    bool rightDragged() const { return rightDragged_; }

private:
    Point pointer_;
    bool leftDown_ = false;
    bool leftDragged_ = false;
    bool rightDown_ = false;
    bool rightDragged_ = false;
    Point leftAnchor_;
    Point rightAnchor_;
    Quaternion leftOrientation_;
    Quaternion rightOrientation_;
};

} // namespace kubrix
