// The main window's repaint cycle: idle refresh, pointer repaints and the first paint.
#include "core/scene/frame_loop.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

using Repaint = FrameLoop::Repaint;
using TimedView = FrameLoop::TimedView;

// What the frame shows of the clock and the face while nothing moves.
constexpr TimedView kStill{12, 18};
constexpr TimedView kChanged{13, 18};

TEST(FrameLoop, TimerRepaintsOnlyAfterMoreThan100MsIdleAndOncePerPaint)
{
    FrameLoop loop;
    loop.beginPaint();
    loop.endPaint(5000, kStill);
    EXPECT_FALSE(loop.timerTick(5050, kChanged));
    EXPECT_FALSE(loop.timerTick(5100, kChanged)) << "exactly 100 ms is not more than 100 ms";
    EXPECT_EQ(loop.repaintState(), Repaint::None);
    EXPECT_TRUE(loop.timerTick(5101, kChanged));
    EXPECT_EQ(loop.repaintState(), Repaint::Timer);
    EXPECT_FALSE(loop.timerTick(5301, kChanged)) << "a requested repaint is not requested again";

    loop.beginPaint();
    EXPECT_EQ(loop.repaintState(), Repaint::None);
    loop.endPaint(5400, kStill);
    EXPECT_EQ(loop.lastPaintTick(), 5400U);
    EXPECT_FALSE(loop.timerTick(5450, kChanged));
    EXPECT_TRUE(loop.timerTick(5600, kChanged));
}

TEST(FrameLoop, TimerRepaintsOnlyWhenTheClockOrTheFaceShowsDifferently)
{
    FrameLoop loop;
    loop.beginPaint();
    loop.endPaint(1000, kStill);
    for (std::uint32_t now = 1200; now < 60000; now += 200)
        ASSERT_FALSE(loop.timerTick(now, kStill)) << "an unchanged view sleeps, at " << now;
    for (const TimedView& next : {kChanged, TimedView{12, 21}}) {
        EXPECT_TRUE(loop.timerTick(60000, next));
        loop.beginPaint();
        loop.endPaint(60010, next);
        EXPECT_FALSE(loop.timerTick(60200, next)) << "shown once, not again";
        loop.beginPaint();
        loop.endPaint(60010, kStill);
    }
}

TEST(FrameLoop, IdleRuleSurvivesTheTickCounterWrapping)
{
    FrameLoop loop;
    loop.beginPaint();
    loop.endPaint(0xFFFFFFF0U, kStill);
    EXPECT_FALSE(loop.timerTick(0x00000010U, kChanged)) << "32 ms later, across the wrap";
    EXPECT_TRUE(loop.timerTick(0x00000060U, kChanged)) << "112 ms later";
}

TEST(FrameLoop, TheTimerSleepsUntilTheNextTimedChangeUnlessSomethingIsWatched)
{
    struct Case {
        std::uint32_t now;
        bool watching;
        std::optional<std::uint32_t> next;
        std::uint32_t sleep;
    };
    const Case cases[] = {
        {1000, true, 9000, FrameLoop::kTickMs},     // watched: tick by tick
        {1000, false, 3500, 2500},                  // until the face's next change
        {1000, false, 1001, 1},                     // due at once
        {1000, false, 900, 1},                      // overdue
        {1000, false, 60000, FrameLoop::kLongestSleepMs},
        {1000, false, std::nullopt, FrameLoop::kLongestSleepMs},
        {0xFFFFFF00U, false, 0x00000100U, 512},     // across the tick counter's wrap
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameLoop::sleepAfterTick(c.now, c.watching, c.next), c.sleep)
            << "at " << c.now;
}

TEST(FrameLoop, PointerMovesInvalidateOnceUntilThePaintProcessesThem)
{
    FrameLoop loop;
    loop.beginPaint();
    loop.endPaint(1000, kStill);
    EXPECT_TRUE(loop.pointerMoved());
    EXPECT_EQ(loop.repaintState(), Repaint::Pointer);
    EXPECT_FALSE(loop.pointerMoved()) << "a second move only updates the position";
    EXPECT_FALSE(loop.timerTick(2000, kChanged))
        << "the timer does not override a pending pointer paint";

    const FrameLoop::PaintStart start = loop.beginPaint();
    EXPECT_TRUE(start.pointerPending);
    EXPECT_FALSE(start.firstPaint);
    EXPECT_EQ(loop.repaintState(), Repaint::None);
    EXPECT_FALSE(loop.beginPaint().pointerPending) << "the move was processed once";
}

TEST(FrameLoop, TimerRequestCanBeTakenOverByAPointerMove)
{
    FrameLoop loop;
    ASSERT_TRUE(loop.timerTick(500, kStill)) << "nothing is on the screen before the first paint";
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
    loop.endPaint(300, kStill);
    EXPECT_FALSE(loop.beginPaint().firstPaint);
}

} // namespace
} // namespace kubrix
