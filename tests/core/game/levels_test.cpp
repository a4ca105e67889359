// The level presets and the custom board's limits.
#include "core/game/levels.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

TEST(Levels, PresetsAndNames)
{
    EXPECT_EQ(presetOf(0), (BoardSize{4, 4, 4, 6}));
    EXPECT_EQ(presetOf(1), (BoardSize{6, 6, 6, 23}));
    EXPECT_EQ(presetOf(2), (BoardSize{8, 8, 8, 60}));
    EXPECT_FALSE(presetOf(3).has_value());
    EXPECT_FALSE(presetOf(4).has_value());
    EXPECT_EQ(levelName(2), "expert");
    EXPECT_EQ(levelName(4), "");
    EXPECT_FALSE(keepsRecords(4));
    EXPECT_FALSE(keepsRecords(-1));
}

TEST(Levels, CustomDialogReadsNumbersAndClamps)
{
    EXPECT_EQ(readDialogNumber("12"), 12);
    EXPECT_EQ(readDialogNumber(" 7 "), 7);
    EXPECT_EQ(readDialogNumber("-5"), -5);
    EXPECT_EQ(readDialogNumber("abc"), 0);
    EXPECT_EQ(readDialogNumber("12x"), 0);
    EXPECT_EQ(readDialogNumber(""), 0);
    EXPECT_EQ(readDialogNumber("99999999999"), 0);

    // A board holds every cube but the first exposed one, and the dialog no more than 500.
    EXPECT_EQ(clampCustomSize({0, -5, readDialogNumber("text"), 1}), (BoardSize{1, 1, 1, 0}));
    EXPECT_EQ(clampCustomSize({25, 20, 21, 10}), (BoardSize{20, 20, 20, 10}));
    EXPECT_EQ(clampCustomSize({10, 10, 10, 600}), (BoardSize{10, 10, 10, 500}));
    EXPECT_EQ(clampCustomSize({3, 3, 3, 30}), (BoardSize{3, 3, 3, 26}));
    EXPECT_EQ(clampCustomSize({3, 3, 3, 0}), (BoardSize{3, 3, 3, 1}));
    EXPECT_EQ(clampCustomSize({1, 1, 20, 20}), (BoardSize{1, 1, 20, 19}));
}

} // namespace
} // namespace kubrix
