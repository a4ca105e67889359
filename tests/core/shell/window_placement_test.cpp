// Tests of the stored main window placement: parsing, formatting and fitting to the screen.
#include "core/shell/window_placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace kubrix {
namespace {

TEST(WindowPlacement, ParsesFourIntegers)
{
    EXPECT_EQ(parsePlacement("10,20,610,620"), (WindowRect{10, 20, 610, 620}));
    EXPECT_EQ(parsePlacement("-20,-10,600,600"), (WindowRect{-20, -10, 600, 600}));
    // "%d" skips leading blanks, so a hand-spaced value still reads.
    EXPECT_EQ(parsePlacement(" 1, 2, 3, 4"), (WindowRect{1, 2, 3, 4}));
    EXPECT_EQ(parsePlacement("2147483647,-2147483648,0,0"), (WindowRect{INT_MAX, INT_MIN, 0, 0}));
}

TEST(WindowPlacement, AnythingButFourIntegersIsTheDefault)
{
    const WindowRect fallback{0, 0, 600, 600};
    EXPECT_EQ(kDefaultPlacement, fallback);
    for (const char* text : {"abc", "1,2,3", "", "1,2,3,99999999999", "1,2,3,4,5", "1,2,3,4,",
                             ",1,2,3", "1,,3,4", "1,2,3,4x", "1;2;3;4", "1.5,2,3,4", "1,2,3,-"})
        EXPECT_EQ(parsePlacement(text), fallback) << '"' << text << '"';
}

TEST(WindowPlacement, FormatAndParseRoundTrip)
{
    EXPECT_EQ(formatPlacement(kDefaultPlacement), "0,0,600,600");
    EXPECT_EQ(formatPlacement({-5, 7, 1280, 1024}), "-5,7,1280,1024");
    for (const WindowRect rect : {WindowRect{0, 0, 600, 600}, WindowRect{-5, 7, 1280, 1024},
                                  WindowRect{INT_MIN, INT_MAX, -1, 1}})
        EXPECT_EQ(parsePlacement(formatPlacement(rect)), rect);
}

TEST(WindowPlacement, ClampPullsEachEdgeOntoTheScreen)
{
    EXPECT_EQ(clampPlacement({100, 50, 5000, 4000}, 1024, 768), (WindowRect{100, 50, 1024, 768}));
    EXPECT_EQ(clampPlacement({-20, -10, 600, 600}, 1024, 768), (WindowRect{0, 0, 600, 600}));
    // An edge exactly on the screen's size is already inside.
    EXPECT_EQ(clampPlacement({0, 0, 1024, 768}, 1024, 768), (WindowRect{0, 0, 1024, 768}));
    EXPECT_EQ(clampPlacement({10, 20, 500, 400}, 1024, 768), (WindowRect{10, 20, 500, 400}));
}

TEST(WindowPlacement, ClampNeverLeavesAnEmptyWindow)
{
    // Stored on a wider screen: the left edge now lies beyond this one.
    EXPECT_EQ(clampPlacement({1500, 100, 1900, 500}, 1024, 768), (WindowRect{0, 0, 600, 600}));
    EXPECT_EQ(clampPlacement({300, 200, 100, 400}, 1024, 768), (WindowRect{0, 0, 600, 600}));
    EXPECT_EQ(clampPlacement({100, 400, 300, 400}, 1024, 768), (WindowRect{0, 0, 600, 600}));
    EXPECT_EQ(clampPlacement({INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 1024, 768),
              (WindowRect{0, 0, 600, 600}));
    // The default itself is fitted to a screen smaller than it.
    EXPECT_EQ(clampPlacement({900, 0, 100, 100}, 480, 320), (WindowRect{0, 0, 480, 320}));
    // Too small to use: grown to 320 x 240, backing off the far edges of the screen.
    EXPECT_EQ(clampPlacement({1000, 700, 1010, 710}, 1024, 768), (WindowRect{704, 528, 1024, 768}));
}

} // namespace
} // namespace kubrix
