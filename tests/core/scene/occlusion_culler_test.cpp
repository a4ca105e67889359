// The occlusion culler: what nearer cubes hide is left out, nothing that could show is.
#include "core/scene/occlusion_culler.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

constexpr int kSide = 400;

// A view along -z at cubes near the origin, 30 units away, the way the frame sets it up.
void beginView(OcclusionCuller& culler, double eyeX = 0.5, double eyeY = 0.5, double eyeZ = 30.0)
{
    const double n = 1.0;
    const double f = 100.0;
    const double h = 0.2;
    const Matrix4d projection{
        n / h, 0, 0, 0, 0, n / h, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n),
        0};
    const Matrix4d modelView{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -eyeX, -eyeY, -eyeZ, 1};
    culler.begin(projection, modelView, kSide, kSide, 0.08);
}

TEST(OcclusionCullerTest, HidesOnlyWhatAWallOfNearerCubesCovers)
{
    OcclusionCuller culler;
    // Before a view is set, and after it is forgotten, everything shows.
    EXPECT_TRUE(culler.admit(0, 0, -5));
    EXPECT_FALSE(culler.hides(0.5F, 0.5F, -5.0F, 0.3F));

    beginView(culler);
    for (int y = -3; y <= 3; ++y)
        for (int x = -3; x <= 3; ++x)
            EXPECT_TRUE(culler.admit(x, y, 0)) << "the wall itself at " << x << ", " << y;

    struct Case {
        const char* what;
        int x, y, z;
        bool shows;
    };
    const Case cases[] = {
        // A cell is covered only inside one cube's outline: these lie within the middle one's.
        {"far behind the middle", 0, 0, -40, false},
        {"just behind the middle", 0, 0, -2, true},
        {"behind, reaching past the wall's edge", 4, 0, -2, true},
        {"touching the wall from behind", 0, 0, -1, true},
        {"beside the wall", 6, 0, -2, true},
        {"in front of the wall", 0, 0, 2, true},
        {"off the screen", 200, 0, -2, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(culler.admit(c.x, c.y, c.z), c.shows) << c.what;

    // Labels: one in a hidden cube, one in front of the wall.
    EXPECT_TRUE(culler.hides(0.5F, 0.5F, -20.5F, 0.3F));
    EXPECT_FALSE(culler.hides(0.5F, 0.5F, 1.5F, 0.3F));

    culler.clear();
    EXPECT_TRUE(culler.admit(0, 0, -1));
}

TEST(OcclusionCullerTest, ACubeAtOrBehindTheEyeShowsAndHidesNothing)
{
    OcclusionCuller culler;
    beginView(culler, 0.5, 0.5, 0.5);
    EXPECT_TRUE(culler.admit(0, 0, 0)) << "around the eye";
    EXPECT_TRUE(culler.admit(0, 0, -3)) << "not hidden by a cube the eye is in";
    EXPECT_TRUE(culler.admit(0, 0, 5)) << "behind the eye";
}

} // namespace
} // namespace kubrix
