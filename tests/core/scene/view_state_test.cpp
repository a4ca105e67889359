// The view beyond turning: which side faces the viewer, peeling layers off it, and the zoom.
#include "core/game/board.h"
#include "core/scene/camera.h"
#include "core/scene/surface_mesh.h"
#include "core/scene/view_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace kubrix {
namespace {

TEST(ViewStateTest, PeelingToTheLastLayerAndBackRestoresEveryCube)
{
    ManualClock clock{3};
    Board board{clock};
    board.generate(4, 3, 5, 0, -1);
    const BlockSize size{4, 3, 5};
    // What is left is a smaller box, which shows its outer faces only.
    const auto boxFaces = [](const std::array<int, 3>& s) {
        return 2 * (s[0] * s[1] + s[1] * s[2] + s[0] * s[2]);
    };
    SurfaceMesh mesh;
    for (const Quaternion& turn :
         {Quaternion{0, 0, 0, 1}, fromEuler(0, -90, 0), fromEuler(90, 0, 0)}) {
        ViewState view;
        view.follow(turn);
        const auto axis = static_cast<std::size_t>(ViewState::facing(turn).axis);
        std::array<int, 3> left{4, 3, 5};
        const std::string side = std::to_string(left[axis]);
        while (view.peelLayer(size)) {
            --left[axis];
            mesh.build(board, false, view.peel());
            EXPECT_EQ(mesh.stripCount(), boxFaces(left));
        }
        EXPECT_EQ(left[axis], 1) << "the last layer stays";
        EXPECT_EQ(view.layerCaption(size), "layer " + side + " / " + side);
        while (view.restoreLayer()) {
        }
        EXPECT_EQ(view.layerCaption(size), "");
        mesh.build(board, false, view.peel());
        EXPECT_EQ(mesh.stripCount(), boxFaces({4, 3, 5}));
    }
}

TEST(ViewStateTest, ZoomStopsAtLimitsThatKeepTheWholeBlockInView)
{
    for (const BlockSize s : {BlockSize{1, 1, 1}, BlockSize{4, 4, 4}, BlockSize{20, 1, 1},
                              BlockSize{20, 20, 20}, BlockSize{3, 17, 9}}) {
        const double halfDiagonal = std::hypot(s.width, s.height, s.depth) / 2.0;
        const auto camera = [&](float distance) {
            const int radius = static_cast<int>(std::ceil(2.0 * halfDiagonal));
            return cameraFor(s.width, s.height, s.depth, radius, 600, 600, distance);
        };
        ViewState view;
        EXPECT_FLOAT_EQ(view.distance(s), 1.0F);
        view.zoom(200.0F, s);
        EXPECT_FLOAT_EQ(view.distance(s), ViewState::nearestDistance(s));
        EXPECT_LE(view.distance(s), 1.0F);
        // Any corner turned straight at the viewer stays in front of the near plane.
        const CameraSetup nearest = camera(view.distance(s));
        EXPECT_GT(-nearest.centreZ - halfDiagonal, nearest.nearPlane);

        view.zoom(-400.0F, s);
        EXPECT_FLOAT_EQ(view.distance(s), ViewState::kFarthest);
        const CameraSetup farthest = camera(ViewState::kFarthest);
        EXPECT_LT(-farthest.centreZ + halfDiagonal, farthest.farPlane);
        // Still there to play on: the block spans a good part of the view.
        EXPECT_GT(std::max({s.width, s.height, s.depth}) / 2.0 /
                      (-farthest.centreZ * farthest.halfSize),
                  0.05);
        view.zoom(3.0F, s);
        EXPECT_LT(view.distance(s), ViewState::kFarthest);
        view.reset();
        EXPECT_FLOAT_EQ(view.distance(s), 1.0F);
    }
}

} // namespace
} // namespace kubrix
