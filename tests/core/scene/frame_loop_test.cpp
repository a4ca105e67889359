// The main window's repaint cycle: idle refresh, pointer repaints and the first paint.
#include "core/scene/frame_loop.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

using Repaint = FrameLoop::Repaint;

TEST(FrameLoop, TimerRepaintsOnlyAfterMoreThan100MsIdleAndOncePerPaint)
{
    FrameLoop loop;
    loop.beginPaint();
    loop.endPaint(5000);
    EXPECT_FALSE(loop.timerTick(5050));
    EXPECT_FALSE(loop.timerTick(5100)) << "exactly 100 ms is not more than 100 ms";
    EXPECT_EQ(loop.repaintState(), Repaint::None);
    EXPECT_TRUE(loop.timerTick(5101));
    EXPECT_EQ(loop.repaintState(), Repaint::Timer);
    EXPECT_FALSE(loop.timerTick(5301)) << "a requested repaint is not requested again";

    loop.beginPaint();
    EXPECT_EQ(loop.repaintState(), Repaint::None);
    loop.endPaint(5400);
    EXPECT_EQ(loop.lastPaintTick(), 5400U);
    EXPECT_FALSE(loop.timerTick(5450));
    EXPECT_TRUE(loop.timerTick(5600));
}

TEST(FrameLoop, IdleRuleSurvivesTheTickCounterWrapping)
{
    FrameLoop loop;
    loop.beginPaint();
    loop.endPaint(0xFFFFFFF0U);
    EXPECT_FALSE(loop.timerTick(0x00000010U)) << "32 ms later, across the wrap";
    EXPECT_TRUE(loop.timerTick(0x00000060U)) << "112 ms later";
}

TEST(FrameLoop, PointerMovesInvalidateOnceUntilThePaintProcessesThem)
{
    FrameLoop loop;
    loop.beginPaint();
    loop.endPaint(1000);
    EXPECT_TRUE(loop.pointerMoved());
    EXPECT_EQ(loop.repaintState(), Repaint::Pointer);
    EXPECT_FALSE(loop.pointerMoved()) << "a second move only updates the position";
    EXPECT_FALSE(loop.timerTick(2000)) << "the timer does not override a pending pointer paint";

    const FrameLoop::PaintStart start = loop.beginPaint();
    EXPECT_TRUE(start.pointerPending);
    EXPECT_FALSE(start.firstPaint);
    EXPECT_EQ(loop.repaintState(), Repaint::None);
    EXPECT_FALSE(loop.beginPaint().pointerPending) << "the move was processed once";
}

TEST(FrameLoop, TimerRequestCanBeTakenOverByAPointerMove)
{
    FrameLoop loop;
    ASSERT_TRUE(loop.timerTick(500)) << "before any paint the view is long idle";
    EXPECT_FALSE(loop.pointerMoved()) << "a repaint is already on its way";
    EXPECT_EQ(loop.repaintState(), Repaint::Pointer);
    EXPECT_TRUE(loop.beginPaint().pointerPending);
}

TEST(FrameLoop, FirstPaintIsReportedExactlyOnce)
{
    FrameLoop loop;
    EXPECT_TRUE(loop.firstPaintPending());
    EXPECT_EQ(loop.lastPaintTick(), 0U);
    EXPECT_TRUE(loop.beginPaint().firstPaint);
    EXPECT_FALSE(loop.firstPaintPending());
    loop.endPaint(300);
    EXPECT_FALSE(loop.beginPaint().firstPaint);
}

} // namespace
} // namespace kubrix
