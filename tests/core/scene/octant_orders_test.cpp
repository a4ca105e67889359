// The per-octant drawing orders: every triangle once, turned the way flat shading lights it,
// nearest cubes first for the octant the view looks from.
#include "core/game/board.h"
#include "core/scene/occlusion_culler.h"
#include "core/scene/octant_orders.h"
#include "core/scene/surface_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace kubrix {
namespace {

class OctantOrdersTest : public ::testing::Test {
protected:
    // A 3 x 4 x 5 block with holes, so that inner faces and every direction occur.
    void build(bool bevelled)
    {
        board.generate(3, 4, 5, 0, -1);
        for (const int i : {board.indexOf(1, 1, 1), board.indexOf(2, 3, 0), board.indexOf(0, 2, 4),
                            board.indexOf(1, 2, 2)})
            board.cube(i).covered = 0;
        mesh.setBevelled(bevelled);
        mesh.build(board, false);
        ASSERT_TRUE(orders.update(mesh, 3, 4, 5));
    }

    const ArrayVertex& vertex(int k) const
    {
        const std::uint32_t index = orders.indices()[static_cast<std::size_t>(k)];
        return orders.vertices()[index];
    }

    // The cube a triangle belongs to: its middle, a little inside along its normal.
    std::array<int, 3> cubeOf(int first) const
    {
        const ArrayVertex& a = vertex(first);
        const ArrayVertex& b = vertex(first + 1);
        const ArrayVertex& c = vertex(first + 2);
        const auto inside = [&](float pa, float pb, float pc, float n) {
            return static_cast<int>(std::floor((pa + pb + pc) / 3.0F - 0.25F * n));
        };
        return {inside(a.x, b.x, c.x, c.nx), inside(a.y, b.y, c.y, c.ny),
                inside(a.z, b.z, c.z, c.nz)};
    }

    ManualClock clock{5};
    Board board{clock};
    SurfaceMesh mesh{Colour{1, 1, 1, 1}};
    OctantOrders orders;
    // Never begun, so it hides nothing.
    OcclusionCuller everything;
};

TEST_F(OctantOrdersTest, EveryOctantDrawsEveryTriangleOnceFrontFacingNearestFirst)
{
    // The hovered and a hinted cube, each drawn in a run of its own.
    const std::array<int, 2> apart{board.indexOf(2, 2, 2), board.indexOf(0, 1, 3)};
    for (const bool bevelled : {false, true}) {
        build(bevelled);
        for (int octant = 0; octant < 8; ++octant) {
            const std::array<int, 3> side{octant & 1 ? 1 : -1, octant & 2 ? 1 : -1,
                                          octant & 4 ? 1 : -1};
            std::vector<std::uint32_t> drawn;
            std::array<int, 2> apartRuns{};
            int lastNearness = 1 << 20;
            for (const OctantOrders::Run& run : orders.runs(octant, apart, everything)) {
                for (std::size_t a = 0; a < apart.size(); ++a)
                    apartRuns[a] += run.cubeIndex == apart[a] ? 1 : 0;
                for (int t = run.first; t < run.first + run.count; t += 3) {
                    const ArrayVertex& a = vertex(t);
                    const ArrayVertex& b = vertex(t + 1);
                    const ArrayVertex& c = vertex(t + 2);
                    // Flat shading lights a triangle with its last vertex's normal; culling
                    // keeps it by its winding. Both must say the same.
                    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
                    const float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
                    EXPECT_GT((uy * vz - uz * vy) * c.nx + (uz * vx - ux * vz) * c.ny +
                                  (ux * vy - uy * vx) * c.nz,
                              0.0F)
                        << "octant " << octant << " bevelled " << bevelled << " at " << t;
                    const std::array<int, 3> cube = cubeOf(t);
                    const int index = board.indexOf(cube[0], cube[1], cube[2]);
                    EXPECT_EQ(run.cubeIndex,
                              std::find(apart.begin(), apart.end(), index) != apart.end() ? index
                                                                                          : -1);
                    const int nearness = side[0] * cube[0] + side[1] * cube[1] + side[2] * cube[2];
                    EXPECT_LE(nearness, lastNearness) << "octant " << octant << " at " << t;
                    lastNearness = nearness;
                    for (int k = 0; k < 3; ++k)
                        drawn.push_back(orders.indices()[static_cast<std::size_t>(t + k)]);
                }
            }
            EXPECT_EQ(apartRuns, (std::array<int, 2>{1, 1}));
            ASSERT_EQ(drawn.size(), static_cast<std::size_t>(mesh.triangleCount()) * 3);
            std::sort(drawn.begin(), drawn.end());
            // Strip triangle t of a strip uses vertices t..t+2: an inner vertex of a strip is
            // used three times, the ends fewer.
            EXPECT_EQ(std::unique(drawn.begin(), drawn.end()) - drawn.begin(),
                      static_cast<std::ptrdiff_t>(orders.vertices().size()));
        }
    }
}

TEST_F(OctantOrdersTest, ChoosesTheOctantTheViewerLooksFrom)
{
    int seen = 0;
    for (float ax = -170.0F; ax < 180.0F; ax += 37.0F)
        for (float ay = -170.0F; ay < 180.0F; ay += 41.0F)
            for (float az = -170.0F; az < 180.0F; az += 53.0F) {
                const Quaternion q = fromEuler(ax, ay, az);
                // The frame turns the block by the axis and angle; the viewer on eye-space +z
                // sees it from the board direction the opposite turn gives (0, 0, 1).
                const AxisAngle turn = toAxisAngle(q);
                const float angle = -turn.degrees * std::numbers::pi_v<float> / 180.0F;
                const float length = std::sqrt(turn.x * turn.x + turn.y * turn.y + turn.z * turn.z);
                const float kx = turn.x / length, ky = turn.y / length, kz = turn.z / length;
                // Rodrigues: v cos + (k x v) sin + k (k . v)(1 - cos), v = (0, 0, 1).
                const float c = std::cos(angle), s = std::sin(angle);
                const std::array<float, 3> towardsViewer{
                    ky * s + kx * kz * (1 - c), -kx * s + ky * kz * (1 - c), c + kz * kz * (1 - c)};
                const int octant = OctantOrders::octantFacing(q);
                for (int axis = 0; axis < 3; ++axis) {
                    const float d = towardsViewer[static_cast<std::size_t>(axis)];
                    if (std::fabs(d) < 1e-3F)
                        continue;
                    ++seen;
                    EXPECT_EQ((octant >> axis & 1) != 0, d > 0.0F)
                        << "axis " << axis << " at " << ax << ", " << ay << ", " << az;
                }
            }
    EXPECT_GT(seen, 500);
}

} // namespace
} // namespace kubrix
