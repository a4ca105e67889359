// The face's timed states.
#include "core/game/face_state.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

TEST(FaceState, PressAndBlinkLastHalfASecond)
{
    FaceState face;
    face.press(1000);
    EXPECT_EQ(face.value(), FaceState::kPressed);
    face.expire(1500);
    EXPECT_EQ(face.value(), FaceState::kPressed) << "500 ms is not yet more than 500 ms";
    face.expire(1501);
    EXPECT_EQ(face.value(), FaceState::kIdle);

    face.tickBlink(2000, 12345);
    EXPECT_EQ(face.value(), FaceState::kBlink);
    EXPECT_EQ(face.nextBlinkTick(), 2000U + 2345U);
    face.expire(2600);
    face.tickBlink(4000, 1);
    EXPECT_EQ(face.value(), FaceState::kIdle) << "the next blink is not due yet";
    face.tickBlink(4346, 1);
    EXPECT_EQ(face.value(), FaceState::kBlink);
}

// The timer sleeps until the tick the face announces: the change must come at that tick and
// not one tick before, whatever the face shows.
TEST(FaceState, TheAnnouncedChangeComesAtItsTickAndNotBefore)
{
    const auto pressed = [] {
        FaceState face;
        face.press(1000);
        return face;
    };
    const auto blinking = [] {
        FaceState face;
        face.tickBlink(2000, 777);
        return face;
    };
    const auto idleAfterBlink = [&] {
        FaceState face = blinking();
        face.expire(2600);
        return face;
    };
    for (const FaceState& start : {pressed(), blinking(), idleAfterBlink(), FaceState{}}) {
        const std::optional<std::uint32_t> due = start.nextChangeTick();
        ASSERT_TRUE(due.has_value());
        FaceState early = start;
        early.tickBlink(*due - 1, 5);
        early.expire(*due - 1);
        EXPECT_EQ(early.value(), start.value()) << "from face " << start.value();
        FaceState onTime = start;
        onTime.tickBlink(*due, 5);
        onTime.expire(*due);
        EXPECT_NE(onTime.value(), start.value()) << "from face " << start.value();
    }
}

TEST(FaceState, EndOfGameFacesStay)
{
    FaceState face;
    for (const int held : {FaceState::kWon, FaceState::kWonRecord, FaceState::kLost}) {
        face.set(held, 100);
        face.press(200);
        face.tickBlink(900000, 3);
        face.expire(900000);
        EXPECT_EQ(face.value(), held);
        EXPECT_FALSE(face.nextChangeTick().has_value());
    }
}

} // namespace
} // namespace kubrix
