// The mouse rules of the board view.
#include "core/scene/mouse_input.h"

#include <cstdlib>

namespace kubrix {

void MouseInput::leftDown(Point at, const Quaternion& view)
{
    leftDown_ = true;
    leftAnchor_ = at;
    leftOrientation_ = view;
    leftDragged_ = false;
}

void MouseInput::rightDown(Point at, const Quaternion& view)
{
    rightDown_ = true;
    rightAnchor_ = at;
    rightOrientation_ = view;
    rightDragged_ = false;
}

bool MouseInput::processPointer(Quaternion& view, int clientWidth, int clientHeight)
{
    const int w = clientWidth > 0 ? clientWidth : 1;
    const int h = clientHeight > 0 ? clientHeight : 1;
    if (leftDown_) {
        const int dx = pointer_.x - leftAnchor_.x;
        const int dy = pointer_.y - leftAnchor_.y;
        if (std::abs(dx) > kLeftSlop || std::abs(dy) > kLeftSlop)
            leftDragged_ = true;
        if (leftDragged_) {
            // The vertical movement is divided by the width and the horizontal one by the
            // height, as the block has always turned.
            const auto aboutX = static_cast<float>(dy * 40 * 3.1415926535898 / w);
            const auto aboutY = static_cast<float>(dx * 40 * 3.1415926535898 / h);
            view = normalise(product(leftOrientation_, fromEuler(aboutX, aboutY, 0.0F)));
            leftOrientation_ = view;
            leftAnchor_ = pointer_;
        }
    }
    if (rightDown_) {
        const int dx = pointer_.x - rightAnchor_.x;
        const int dy = pointer_.y - rightAnchor_.y;
        if (std::abs(dx) > kRightSlop || std::abs(dy) > kRightSlop)
            rightDragged_ = true;
        if (rightDragged_) {
            const auto aboutZ = static_cast<float>((dx + dy) * 40 * 3.14159 / w);
            view = normalise(product(rightOrientation_, fromEuler(0.0F, 0.0F, aboutZ)));
            rightOrientation_ = view;
            rightAnchor_ = pointer_;
        }
        return false;
    }
    return !leftDown_;
}

bool MouseInput::leftUp()
{
    leftDown_ = false;
    const bool click = !leftDragged_;
    leftDragged_ = false;
    return click;
}

bool MouseInput::rightUp()
{
    const bool click = rightDown_ && !rightDragged_;
    rightDown_ = false;
    rightDragged_ = false;
    return click;
}

void MouseInput::releaseButtons()
{
    leftDown_ = false;
    leftDragged_ = false;
    rightDown_ = false;
    rightDragged_ = false;
}

} // namespace kubrix
