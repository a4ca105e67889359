// The camera's placement of the block and its aspect-corrected projection.
#include "core/scene/camera.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

TEST(CameraTest, BeginnerBoardAndClientShapes)
{
    const struct {
        int w, h;
        float x, y;
    } cases[] = {{600, 300, 1.25F, 0.625F},
                 {300, 600, 0.625F, 1.25F},
                 {400, 400, 0.625F, 0.625F},
                 {500, 0, 312.5F, 0.625F},
                 {0, 0, 0.625F, 0.625F}};
    for (const auto& c : cases) {
        const CameraSetup camera = cameraFor(4, 4, 4, 7, c.w, c.h);
        EXPECT_EQ(camera.maxSide, 4);
        EXPECT_EQ(camera.radius, 5);
        EXPECT_FLOAT_EQ(camera.centreZ, -8.0F);
        EXPECT_FLOAT_EQ(camera.nearPlane, 1.0F);
        EXPECT_FLOAT_EQ(camera.farPlane, 16.0F);
        EXPECT_FLOAT_EQ(camera.halfSize, 0.625F);
        EXPECT_FLOAT_EQ(camera.xExtent, c.x) << c.w << "x" << c.h;
        EXPECT_FLOAT_EQ(camera.yExtent, c.y) << c.w << "x" << c.h;
    }
}

TEST(CameraTest, UnevenBoardUsesItsLongestSide)
{
    // sceneRadius of 20 x 10 x 5 is ceil(sqrt(525)) = 23, so r = 13.
    const CameraSetup camera = cameraFor(20, 10, 5, 23, 800, 800);
    EXPECT_EQ(camera.radius, 13);
    EXPECT_FLOAT_EQ(camera.centreZ, -40.0F);
    EXPECT_FLOAT_EQ(camera.farPlane, 80.0F);
    EXPECT_FLOAT_EQ(camera.halfSize, 0.325F);
    EXPECT_FLOAT_EQ(camera.offsetX, -10.0F);
    EXPECT_FLOAT_EQ(camera.offsetY, -5.0F);
    EXPECT_FLOAT_EQ(camera.offsetZ, -2.5F);
    EXPECT_EQ(cameraFor(3, 9, 2, 10, 1, 1).maxSide, 9);
    EXPECT_EQ(cameraFor(3, 2, 9, 10, 1, 1).maxSide, 9);
}

} // namespace
} // namespace kubrix
