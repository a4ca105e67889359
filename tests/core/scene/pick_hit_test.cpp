// Choosing the hit of a selection pass.
#include "core/scene/pick_hit.h"

#include <gtest/gtest.h>

#include <vector>

namespace kubrix {
namespace {

constexpr std::uint32_t kNear = 0x10000000U;
constexpr std::uint32_t kFar = 0x70000000U;

TEST(PickHit, NearestSurfaceWinsAndTheFirstDrawnOnATie)
{
    const std::vector<std::uint32_t> buffer{1, kFar,  kFar,  7, //
                                            1, kNear, kFar,  9, //
                                            1, kNear, kNear, 3};
    EXPECT_EQ(chooseHit(buffer, 3), 9U);
    EXPECT_EQ(chooseHit(buffer, 1), 7U);
}

TEST(PickHit, NoHitOverflowAndDamagedRecordsGiveNothing)
{
    const std::vector<std::uint32_t> buffer{1, kNear, kNear, 4};
    EXPECT_FALSE(chooseHit(buffer, 0).has_value());
    EXPECT_FALSE(chooseHit(buffer, -1).has_value()) << "an overflowed buffer is no hit";
    EXPECT_FALSE(chooseHit(buffer, 2).has_value()) << "a count beyond the records";
    const std::vector<std::uint32_t> lying{5, kNear, kNear, 4};
    EXPECT_FALSE(chooseHit(lying, 1).has_value()) << "names beyond the buffer";
    const std::vector<std::uint32_t> nameless{0, kNear, kNear, 1, kFar, kFar, 6};
    EXPECT_EQ(chooseHit(nameless, 2), 6U) << "a record without names names nothing";
}

} // namespace
} // namespace kubrix
