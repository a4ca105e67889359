// The mouse rules: clicks, drag thresholds, turning and spinning.
#include "core/scene/mouse_input.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kubrix {
namespace {

bool same(const Quaternion& a, const Quaternion& b)
{
    return std::abs(a.x - b.x) < 1e-5F && std::abs(a.y - b.y) < 1e-5F &&
           std::abs(a.z - b.z) < 1e-5F && std::abs(a.w - b.w) < 1e-5F;
}

TEST(MouseInput, ALeftPressThatWandersEightPixelsAndBackIsAClick)
{
    MouseInput mouse;
    Quaternion view;
    mouse.leftDown({100, 100}, view);
    mouse.move({108, 92});
    EXPECT_FALSE(mouse.processPointer(view, 600, 400)) << "no hover while a button is down";
    mouse.move({100, 100});
    mouse.processPointer(view, 600, 400);
    EXPECT_TRUE(same(view, Quaternion{}));
    EXPECT_TRUE(mouse.leftUp());
}

TEST(MouseInput, NinePixelsAtAPaintMakeADragEvenIfReleasedAtThePressPoint)
{
    MouseInput mouse;
    Quaternion view;
    mouse.leftDown({100, 100}, view);
    mouse.move({109, 100});
    mouse.processPointer(view, 600, 400);
    EXPECT_TRUE(mouse.leftDragged());
    // A horizontal drag turns about y by dx * 40 * pi / height degrees.
    const Quaternion expected =
        normalise(product(Quaternion{}, fromEuler(0.0F, 9 * 40 * 3.1415926535898F / 400, 0.0F)));
    EXPECT_TRUE(same(view, expected));
    mouse.move({100, 100});
    mouse.processPointer(view, 600, 400);
    EXPECT_FALSE(mouse.leftUp()) << "a drag never clicks";
    EXPECT_FALSE(mouse.leftDragged());
}

TEST(MouseInput, VerticalDragsDivideByTheWidth)
{
    MouseInput mouse;
    Quaternion view;
    mouse.leftDown({0, 0}, view);
    mouse.move({0, 30});
    mouse.processPointer(view, 600, 400);
    const Quaternion expected = fromEuler(30 * 40 * 3.1415926535898F / 600, 0.0F, 0.0F);
    EXPECT_TRUE(same(view, normalise(product(Quaternion{}, expected))));
    // Further moves turn on from the new anchor, not from the press.
    mouse.move({0, 60});
    mouse.processPointer(view, 600, 400);
    EXPECT_TRUE(
        same(view, normalise(product(normalise(product(Quaternion{}, expected)), expected))));
}

TEST(MouseInput, AFivePixelRightDragSpinsAndDoesNotMark)
{
    MouseInput mouse;
    Quaternion view;
    mouse.rightDown({50, 50}, view);
    mouse.move({55, 50});
    EXPECT_FALSE(mouse.processPointer(view, 600, 400));
    EXPECT_TRUE(same(
        view, normalise(product(Quaternion{}, fromEuler(0.0F, 0.0F, 5 * 40 * 3.14159F / 600)))));
    EXPECT_FALSE(mouse.rightUp());

    mouse.rightDown({50, 50}, view);
    mouse.move({54, 46});
    const Quaternion before = view;
    mouse.processPointer(view, 600, 400);
    EXPECT_TRUE(same(view, before)) << "four pixels is still a click";
    EXPECT_TRUE(mouse.rightUp());
    EXPECT_FALSE(mouse.rightUp()) << "a release without its press does nothing";
}

TEST(MouseInput, HoverOnlyWithNoButtonDownAndButtonsAreIndependent)
{
    MouseInput mouse;
    Quaternion view;
    mouse.move({10, 10});
    EXPECT_TRUE(mouse.processPointer(view, 600, 400));
    mouse.leftDown({10, 10}, view);
    mouse.rightDown({10, 10}, view);
    mouse.move({40, 10});
    EXPECT_FALSE(mouse.processPointer(view, 600, 400));
    EXPECT_TRUE(mouse.leftDragged());
    EXPECT_TRUE(mouse.rightDragged());
    EXPECT_FALSE(mouse.rightUp());
    EXPECT_FALSE(mouse.processPointer(view, 600, 400)) << "the left button is still down";
    EXPECT_FALSE(mouse.leftUp());
    EXPECT_TRUE(mouse.processPointer(view, 600, 400));
}

} // namespace
} // namespace kubrix
