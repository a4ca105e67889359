// The view beyond turning: which side faces the viewer, peeling layers off it, and the zoom.
#include "core/game/board.h"
#include "core/scene/camera.h"
#include "core/scene/surface_mesh.h"
#include "core/scene/view_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kubrix {
namespace {

TEST(ViewStateTest, PeelingToTheLastLayerAndBackRestoresEveryCube)
{
    ManualClock clock{3};
    Board board{clock};
    board.generate(4, 3, 5, 0, -1);
    const BlockSize size{4, 3, 5};
    SurfaceMesh mesh;
    for (const Quaternion& turn :
         {Quaternion{0, 0, 0, 1}, fromEuler(0, -90, 0), fromEuler(90, 0, 0)}) {
        ViewState view;
        view.follow(turn);
        const Peel facing = ViewState::facing(turn);
        const int side = facing.sideOf(4, 3, 5);
        int peeled = 0;
        while (view.peelLayer(size)) {
            ++peeled;
            mesh.build(board, false, view.peel());
            // What is left is a smaller box: its outer faces only.
            int sides[3] = {4, 3, 5};
            sides[facing.axis] -= peeled;
            EXPECT_EQ(mesh.stripCount(),
                      2 * (sides[0] * sides[1] + sides[1] * sides[2] + sides[0] * sides[2]));
        }
        EXPECT_EQ(peeled, side - 1);
        EXPECT_EQ(view.layerCaption(size),
                  "layer " + std::to_string(side) + " / " + std::to_string(side));
        while (view.restoreLayer()) {
        }
        EXPECT_EQ(view.peel().layers, 0);
        EXPECT_EQ(view.layerCaption(size), "");
        mesh.build(board, false, view.peel());
        EXPECT_EQ(mesh.stripCount(), 2 * (12 + 15 + 20));
    }
}

TEST(ViewStateTest, ZoomStopsAtLimitsThatKeepTheWholeBlockInView)
{
    for (const BlockSize size : {BlockSize{1, 1, 1}, BlockSize{4, 4, 4}, BlockSize{20, 1, 1},
                                 BlockSize{20, 20, 20}, BlockSize{3, 17, 9}}) {
        const double halfDiagonal =
            std::sqrt(double(size.width * size.width + size.height * size.height +
                             size.depth * size.depth)) /
            2.0;
        const int radius = static_cast<int>(std::ceil(2.0 * halfDiagonal));
        ViewState view;
        EXPECT_FLOAT_EQ(view.distance(size), 1.0F);

        view.zoom(200.0F, size);
        const float nearest = view.distance(size);
        EXPECT_LE(nearest, 1.0F);
        EXPECT_FLOAT_EQ(nearest, ViewState::nearestDistance(size));
        CameraSetup camera =
            cameraFor(size.width, size.height, size.depth, radius, 600, 600, nearest);
        // Any corner turned straight at the viewer stays in front of the near plane.
        EXPECT_GT(-camera.centreZ - halfDiagonal, camera.nearPlane);

        view.zoom(-400.0F, size);
        EXPECT_FLOAT_EQ(view.distance(size), ViewState::kFarthest);
        camera =
            cameraFor(size.width, size.height, size.depth, radius, 600, 600, ViewState::kFarthest);
        EXPECT_LT(-camera.centreZ + halfDiagonal, camera.farPlane);
        // Still there to play on: the block spans a good part of the view.
        EXPECT_GT(std::max({size.width, size.height, size.depth}) / 2.0 /
                      (-camera.centreZ * camera.halfSize),
                  0.05);

        view.zoom(3.0F, size);
        EXPECT_LT(view.distance(size), ViewState::kFarthest);
        view.reset();
        EXPECT_FLOAT_EQ(view.distance(size), 1.0F);
    }
}

} // namespace
} // namespace kubrix
