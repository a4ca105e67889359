// The processor-side cull before picking: keeps exactly the strips whose screen box can meet the
// pick region, and every strip it cannot place on the screen.
#include "core/game/board.h"
#include "core/scene/pick_culler.h"
#include "core/scene/surface_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kubrix {
namespace {

constexpr Matrix4d kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Board x and y straight onto the screen, `scale` device units per board unit, with (cx, cy)
// at the middle of the region; w stays 1.
Matrix4d flatOnto(double cx, double cy, double scale)
{
    return {scale, 0, 0, 0, 0, scale, 0, 0, 0, 0, 1, 0, -cx * scale, -cy * scale, 0, 1};
}

class PickCullerTest : public ::testing::Test {
protected:
    void fresh(int w, int h, int d, bool bevelled)
    {
        board.generate(w, h, d, 0, -1);
        mesh.setBevelled(bevelled);
        mesh.build(board, false);
    }

    // The strips whose vertices' x, y box meets [x0, x1] x [y0, y1], found the plain way.
    std::set<int> stripsMeeting(double x0, double x1, double y0, double y1) const
    {
        std::set<int> meeting;
        for (int s = 0; s < mesh.stripCount(); ++s) {
            const FaceStrip& strip = mesh.strips()[static_cast<std::size_t>(s)];
            double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
            for (int j = 0; j < strip.count; ++j) {
                const Vec3& v = mesh.vertex(strip, j);
                left = std::min(left, double(v.x));
                right = std::max(right, double(v.x));
                bottom = std::min(bottom, double(v.y));
                top = std::max(top, double(v.y));
            }
            if (right >= x0 && left <= x1 && top >= y0 && bottom <= y1)
                meeting.insert(s);
        }
        return meeting;
    }

    std::set<int> kept(const Matrix4d& projection, const Matrix4d& modelView, double reach)
    {
        const auto strips = culler.cull(mesh, projection, modelView, reach);
        EXPECT_TRUE(std::is_sorted(strips.begin(), strips.end())) << "drawing order";
        return {strips.begin(), strips.end()};
    }

    ManualClock clock{5};
    Board board{clock};
    SurfaceMesh mesh{Colour{1, 1, 1, 1}};
    PickCuller culler;
};

TEST_F(PickCullerTest, KeepsExactlyTheStripsWhoseBoxMeetsTheRegion)
{
    for (const bool bevelled : {false, true}) {
        fresh(5, 4, 3, bevelled);
        // Ten units per board unit: the reach of 5 is half a cube either side of the point.
        for (const auto& [cx, cy] : {std::pair{2.3, 1.7}, std::pair{0.0, 0.0}, std::pair{4.9, 3.5},
                                     std::pair{2.5, 2.0}, std::pair{-0.7, 1.0}}) {
            const std::set<int> expected = stripsMeeting(cx - 0.5, cx + 0.5, cy - 0.5, cy + 0.5);
            EXPECT_EQ(kept(kIdentity, flatOnto(cx, cy, 10.0), 5.0), expected)
                << "at " << cx << ", " << cy << (bevelled ? " bevelled" : " flat");
        }
        // Far off the block nothing can be hit.
        EXPECT_TRUE(kept(kIdentity, flatOnto(-3.0, 2.0, 10.0), 5.0).empty());
    }
}

TEST_F(PickCullerTest, TheModelViewAndProjectionAreAppliedInThatOrder)
{
    fresh(4, 4, 1, false);
    // The model-view moves the board by (-2, -1); the projection then scales by 10. Applied
    // the other way round the region would sit at board (0.2, 0.1), among other strips.
    Matrix4d move = kIdentity;
    move[12] = -2.0;
    move[13] = -1.0;
    Matrix4d scale = kIdentity;
    scale[0] = 10.0;
    scale[5] = 10.0;
    EXPECT_EQ(kept(scale, move, 5.0), stripsMeeting(1.5, 2.5, 0.5, 1.5));
}

TEST_F(PickCullerTest, KeepsAStripWithAVertexAtOrBehindTheEye)
{
    fresh(3, 1, 1, false);
    // w = -z: the cubes lie in front of the eye for z < 0, so a block spanning z 0..1 moved
    // back by 0.5 has vertices on both sides of the eye plane.
    Matrix4d perspective{};
    perspective[0] = 1;
    perspective[5] = 1;
    perspective[10] = 1;
    perspective[11] = -1;
    Matrix4d back = kIdentity;
    back[12] = 100.0; // far off to the right of the region where w > 0
    back[14] = -0.5;
    const std::set<int> near = kept(perspective, back, 5.0);
    std::set<int> withVertexBehind;
    for (int s = 0; s < mesh.stripCount(); ++s) {
        const FaceStrip& strip = mesh.strips()[static_cast<std::size_t>(s)];
        for (int j = 0; j < strip.count; ++j)
            if (mesh.vertex(strip, j).z - 0.5F >= 0.0F)
                withVertexBehind.insert(s);
    }
    ASSERT_FALSE(withVertexBehind.empty());
    EXPECT_EQ(near, withVertexBehind) << "those and only those can reach the point";
}

} // namespace
} // namespace kubrix
