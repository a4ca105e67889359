// The mesh unrolled into independent triangles: same corners, winding, normals and texture
// coordinates as the strips, and rebuilt exactly when the mesh is.
#include "core/game/board.h"
#include "core/scene/surface_mesh.h"
#include "core/scene/triangle_arrays.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

class TriangleArraysTest : public ::testing::Test {
protected:
    void build(int w, int h, int d, bool bevelled)
    {
        board.generate(w, h, d, 0, -1);
        mesh.setBevelled(bevelled);
        mesh.build(board, false);
    }

    // Every triangle t of every strip, in strip order: strip vertices (t, t+1, t+2), the first
    // two swapped for odd t, each carrying the strip's normal of triangle t.
    void expectStripsUnrolled()
    {
        ASSERT_TRUE(arrays.valid());
        ASSERT_EQ(arrays.stripCount(), mesh.stripCount());
        ASSERT_EQ(arrays.vertices().size(), static_cast<std::size_t>(mesh.triangleCount()) * 3);
        int expectedStart = 0;
        for (int s = 0; s < mesh.stripCount(); ++s) {
            const FaceStrip& strip = mesh.strips()[static_cast<std::size_t>(s)];
            ASSERT_EQ(arrays.stripStart(s), expectedStart) << "strip " << s;
            for (int t = 0; t + 2 < strip.count; ++t) {
                const int order[3] = {t % 2 == 0 ? t : t + 1, t % 2 == 0 ? t + 1 : t, t + 2};
                const Vec3& normal = mesh.triangleNormal(strip, t);
                for (int k = 0; k < 3; ++k) {
                    const ArrayVertex& out =
                        arrays.vertices()[static_cast<std::size_t>(expectedStart + 3 * t + k)];
                    const Vec3& p = mesh.vertex(strip, order[k]);
                    const TexCoord& uv = mesh.texCoord(strip, order[k]);
                    EXPECT_EQ(out.x, p.x);
                    EXPECT_EQ(out.y, p.y);
                    EXPECT_EQ(out.z, p.z);
                    EXPECT_EQ(out.u, uv.u);
                    EXPECT_EQ(out.v, uv.v);
                    EXPECT_EQ(out.nx, normal.x);
                    EXPECT_EQ(out.ny, normal.y);
                    EXPECT_EQ(out.nz, normal.z);
                }
            }
            expectedStart += 3 * (strip.count - 2);
        }
        EXPECT_EQ(arrays.stripStart(mesh.stripCount()), expectedStart);
    }

    ManualClock clock{5};
    Board board{clock};
    SurfaceMesh mesh{Colour{1, 1, 1, 1}};
    TriangleArrays arrays;
};

TEST_F(TriangleArraysTest, FlatStripsBecomeTwoTrianglesPerFaceWithTheirOwnCornersAndNormals)
{
    build(3, 2, 2, false);
    EXPECT_TRUE(arrays.update(mesh));
    expectStripsUnrolled();
}

TEST_F(TriangleArraysTest, BevelRingsAndPanelsUnrollWithTheRingsEdgeNormals)
{
    build(2, 2, 3, true);
    board.cube(board.indexOf(1, 1, 1)).covered = 0;
    mesh.build(board, false);
    EXPECT_TRUE(arrays.update(mesh));
    expectStripsUnrolled();
    // A ring's eight triangles take four different edge normals, two triangles each.
    const FaceStrip& ring = mesh.strips()[0];
    ASSERT_EQ(ring.count, 10);
    const ArrayVertex& first = arrays.vertices()[2];
    const ArrayVertex& third = arrays.vertices()[3 * 2 + 2];
    EXPECT_NE(first.nx * third.nx + first.ny * third.ny + first.nz * third.nz, 1.0F);
}

TEST_F(TriangleArraysTest, EveryTriangleTurnsCounterClockwiseSeenFromOutside)
{
    for (const bool bevelled : {false, true}) {
        build(2, 3, 2, bevelled);
        arrays.update(mesh);
        const auto vertices = arrays.vertices();
        for (std::size_t i = 0; i + 2 < vertices.size(); i += 3) {
            const ArrayVertex& a = vertices[i];
            const ArrayVertex& b = vertices[i + 1];
            const ArrayVertex& c = vertices[i + 2];
            const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
            const float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
            const float facing = (uy * vz - uz * vy) * a.nx + (uz * vx - ux * vz) * a.ny +
                                 (ux * vy - uy * vx) * a.nz;
            EXPECT_GT(facing, 0.0F) << "triangle " << i / 3 << (bevelled ? " bevelled" : " flat");
        }
    }
}

TEST_F(TriangleArraysTest, UnrollsAgainOnlyAfterTheMeshIsRebuilt)
{
    build(2, 2, 2, false);
    EXPECT_TRUE(arrays.update(mesh));
    EXPECT_FALSE(arrays.update(mesh)) << "nothing changed";
    mesh.setHover(3);
    EXPECT_FALSE(arrays.update(mesh)) << "the hover is a colour, not geometry";

    board.cube(board.indexOf(0, 0, 0)).covered = 0;
    mesh.build(board, false);
    EXPECT_TRUE(arrays.update(mesh));
    expectStripsUnrolled();

    // Another mesh's build is another generation even when it counts the same builds.
    SurfaceMesh other{Colour{1, 1, 1, 1}};
    other.build(board, false);
    EXPECT_NE(other.generation(), mesh.generation());
    EXPECT_TRUE(arrays.update(other));

    // An empty mesh unrolls to nothing and is still drawable.
    for (int i = 0; i < board.cubeCount(); ++i)
        board.cube(i).covered = 0;
    mesh.build(board, false);
    EXPECT_TRUE(arrays.update(mesh));
    EXPECT_TRUE(arrays.valid());
    EXPECT_TRUE(arrays.vertices().empty());
    EXPECT_EQ(arrays.stripCount(), 0);
}

} // namespace
} // namespace kubrix
