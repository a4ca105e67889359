// The surface mesh: which faces exist, their geometry, winding, normals, tiles and the win test.
#include "core/game/board.h"
#include "core/scene/surface_mesh.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>

namespace kubrix {
namespace {

Vec3 operator-(const Vec3& a, const Vec3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float component(const Vec3& v, int axis)
{
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

class SurfaceMeshTest : public ::testing::Test {
protected:
    void fresh(int w, int h, int d) { board.generate(w, h, d, 0, -1); }
    Cube& at(int x, int y, int z) { return board.cube(board.indexOf(x, y, z)); }

    Vec3 centreOf(int cubeIndex) const
    {
        const CubePosition p = board.positionOf(cubeIndex);
        return {float(p.x) + 0.5F, float(p.y) + 0.5F, float(p.z) + 0.5F};
    }

    // The direction a strip faces, found from where its vertices lie around the cube's centre.
    int directionOf(const FaceStrip& strip) const
    {
        Vec3 sum{};
        for (int j = 0; j < strip.count; ++j) {
            const Vec3 v = mesh.vertex(strip, j) - centreOf(strip.cubeIndex);
            sum = {sum.x + v.x, sum.y + v.y, sum.z + v.z};
        }
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (std::fabs(component(sum, a)) > std::fabs(component(sum, axis)))
                axis = a;
        return 2 * axis + (component(sum, axis) > 0 ? 0 : 1);
    }

    // Which atlas tile a strip's texture coordinates fall in.
    static int tileOf(const SurfaceMesh& m, const FaceStrip& strip)
    {
        const TexCoord& uv = m.texCoord(strip, strip.count - 1);
        const int column = static_cast<int>(uv.u * 8.0F);
        const int row = static_cast<int>((1.0F - uv.v) * 8.0F);
        return row * 8 + column;
    }

    // Tiles per cube direction of the first strips found for the cube.
    std::map<int, int> tilesOfCube(int cubeIndex)
    {
        std::map<int, int> tiles;
        for (const FaceStrip& strip : mesh.strips())
            if (strip.cubeIndex == cubeIndex)
                tiles.emplace(directionOf(strip), tileOf(mesh, strip));
        return tiles;
    }

    ManualClock clock{77};
    Board board{clock};
    SurfaceMesh mesh{Colour{1, 1, 1, 1}};
};

TEST_F(SurfaceMeshTest, FreshBoardShowsOnlyOuterFaces)
{
    fresh(3, 3, 3);
    mesh.build(board, false);
    EXPECT_EQ(mesh.stripCount(), 54);
    EXPECT_EQ(mesh.triangleCount(), 108);
    EXPECT_EQ(mesh.vertexCount(), 64);
    EXPECT_EQ(mesh.normals().size(), 6U);
    std::map<int, int> facesPerCube;
    for (const FaceStrip& strip : mesh.strips()) {
        EXPECT_EQ(strip.count, 4);
        ++facesPerCube[strip.cubeIndex];
    }
    EXPECT_EQ(facesPerCube.count(board.indexOf(1, 1, 1)), 0U);
    EXPECT_EQ(facesPerCube[board.indexOf(0, 0, 0)], 3);
    EXPECT_EQ(facesPerCube[board.indexOf(1, 0, 0)], 2);
    EXPECT_EQ(facesPerCube[board.indexOf(1, 1, 0)], 1);

    // Strips follow cube index order, and within a cube -X, +X, -Y, +Y, -Z, +Z.
    const std::array<int, 3> cornerOrder{SurfaceMesh::kMinusX, SurfaceMesh::kMinusY,
                                         SurfaceMesh::kMinusZ};
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(directionOf(mesh.strips()[static_cast<std::size_t>(f)]), cornerOrder[f]);
    for (std::size_t s = 1; s < mesh.strips().size(); ++s)
        EXPECT_LE(mesh.strips()[s - 1].cubeIndex, mesh.strips()[s].cubeIndex);

    at(1, 1, 1).covered = 0;
    mesh.build(board, false);
    EXPECT_EQ(mesh.stripCount(), 60);
    int inward = 0;
    for (const FaceStrip& strip : mesh.strips()) {
        const Vec3 toHole = centreOf(board.indexOf(1, 1, 1)) - centreOf(strip.cubeIndex);
        if (dot(toHole, mesh.triangleNormal(strip, 0)) > 0.5F)
            ++inward;
    }
    EXPECT_EQ(inward, 6);
}

TEST_F(SurfaceMeshTest, IsolatedCubesShowSixFacesAndAnExposedBlockNone)
{
    fresh(3, 3, 3);
    for (int i = 0; i < board.cubeCount(); ++i)
        board.cube(i).covered = i % 5 == 0 ? 1 : 0;
    mesh.build(board, false);
    EXPECT_EQ(mesh.stripCount(), 6 * 6); // indices 0, 5, ..., 25 share no face

    for (const bool bevelled : {false, true}) {
        for (int i = 0; i < board.cubeCount(); ++i)
            board.cube(i).covered = 0;
        mesh.setBevelled(bevelled);
        mesh.build(board, false);
        EXPECT_EQ(mesh.stripCount(), 0);
        EXPECT_EQ(mesh.triangleCount(), 0);
    }
}

TEST_F(SurfaceMeshTest, BevelledFacesAreRingAndPanelPairs)
{
    fresh(3, 3, 3);
    mesh.build(board, false);
    mesh.setBevelled(true);
    EXPECT_TRUE(mesh.bevelled());
    EXPECT_EQ(mesh.stripCount(), 54); // unchanged until the next build
    mesh.build(board, false);
    EXPECT_EQ(mesh.stripCount(), 108);
    EXPECT_EQ(mesh.vertexCount(), 9 * 64);
    EXPECT_EQ(mesh.normals().size(), 18U);
    EXPECT_EQ(mesh.triangleCount(), 54 * 10);
    const auto strips = mesh.strips();
    for (std::size_t s = 0; s < strips.size(); s += 2) {
        EXPECT_EQ(strips[s].count, 10);
        EXPECT_EQ(strips[s + 1].count, 4);
        EXPECT_EQ(strips[s].cubeIndex, strips[s + 1].cubeIndex);
    }
    mesh.setBevelled(false);
    mesh.build(board, false);
    EXPECT_EQ(mesh.stripCount(), 54);
    EXPECT_EQ(mesh.vertexCount(), 64);
}

// Both variants on an uneven board with holes, so that every direction and inner faces occur.
TEST_F(SurfaceMeshTest, EveryTriangleTurnsOutwardsAndCarriesItsOwnNormal)
{
    for (const bool bevelled : {false, true}) {
        fresh(2, 3, 4);
        at(0, 1, 1).covered = 0;
        at(1, 2, 2).covered = 0;
        mesh.setBevelled(bevelled);
        mesh.build(board, false);
        std::array<int, 6> perDirection{};
        for (const FaceStrip& strip : mesh.strips()) {
            ++perDirection[static_cast<std::size_t>(directionOf(strip))];
            const Vec3 centre = centreOf(strip.cubeIndex);
            for (int t = 0; t + 2 < strip.count; ++t) {
                // Odd triangles of a strip are drawn with their first two vertices swapped.
                const Vec3& a = mesh.vertex(strip, t % 2 == 0 ? t : t + 1);
                const Vec3& b = mesh.vertex(strip, t % 2 == 0 ? t + 1 : t);
                const Vec3& c = mesh.vertex(strip, t + 2);
                const Vec3 n = cross(b - a, c - a);
                const float length = std::sqrt(dot(n, n));
                ASSERT_GT(length, 1e-4F);
                const Vec3 unit{n.x / length, n.y / length, n.z / length};
                const Vec3& expected = mesh.triangleNormal(strip, t);
                EXPECT_NEAR(dot(unit, expected), 1.0F, 1e-5F)
                    << "bevelled " << bevelled << " cube " << strip.cubeIndex << " triangle " << t;
                const Vec3 middle{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3,
                                  (a.z + b.z + c.z) / 3};
                EXPECT_GT(dot(n, middle - centre), 0.0F);
            }
        }
        for (const int count : perDirection)
            EXPECT_GT(count, 0);
    }
}

TEST_F(SurfaceMeshTest, FlatCornersPairWithTheTileCorners)
{
    // A lone covered cube at (1, 2, 3): expected corners c0, c3, c1, c2 of each face.
    fresh(3, 4, 5);
    for (int i = 0; i < board.cubeCount(); ++i)
        board.cube(i).covered = i == board.indexOf(1, 2, 3) ? 1 : 0;
    mesh.build(board, false);
    ASSERT_EQ(mesh.stripCount(), 6);
    using Quad = std::array<std::array<float, 3>, 4>;
    const std::array<Quad, 6> expected{{
        {{{1, 2, 3}, {1, 2, 4}, {1, 3, 3}, {1, 3, 4}}}, // -X
        {{{2, 2, 3}, {2, 3, 3}, {2, 2, 4}, {2, 3, 4}}}, // +X
        {{{1, 2, 3}, {2, 2, 3}, {1, 2, 4}, {2, 2, 4}}}, // -Y
        {{{2, 3, 3}, {1, 3, 3}, {2, 3, 4}, {1, 3, 4}}}, // +Y
        {{{1, 2, 3}, {1, 3, 3}, {2, 2, 3}, {2, 3, 3}}}, // -Z
        {{{1, 3, 4}, {1, 2, 4}, {2, 3, 4}, {2, 2, 4}}}, // +Z
    }};
    for (std::size_t f = 0; f < 6; ++f) {
        const FaceStrip& strip = mesh.strips()[f];
        for (int j = 0; j < 4; ++j) {
            const Vec3& v = mesh.vertex(strip, j);
            const auto& e = expected[f][static_cast<std::size_t>(j)];
            EXPECT_EQ(v.x, e[0]) << "face " << f << " vertex " << j;
            EXPECT_EQ(v.y, e[1]) << "face " << f << " vertex " << j;
            EXPECT_EQ(v.z, e[2]) << "face " << f << " vertex " << j;
        }
        // Tile 18 + direction, in strip order top-left, bottom-left, top-right, bottom-right.
        const int tile = 18 + directionOf(strip);
        const float left = float(tile % 8) / 8 + 0.000125F;
        const float right = float(tile % 8 + 1) / 8 - 0.000125F;
        const float top = 1 - float(tile / 8) / 8 - 0.000125F;
        const float bottom = 1 - float(tile / 8 + 1) / 8 + 0.000125F;
        const std::array<TexCoord, 4> uv{
            {{left, top}, {left, bottom}, {right, top}, {right, bottom}}};
        for (int j = 0; j < 4; ++j) {
            EXPECT_FLOAT_EQ(mesh.texCoord(strip, j).u, uv[static_cast<std::size_t>(j)].u);
            EXPECT_FLOAT_EQ(mesh.texCoord(strip, j).v, uv[static_cast<std::size_t>(j)].v);
        }
        for (int slot = 0; slot < 6; ++slot)
            EXPECT_EQ(mesh.normalIndex(strip, slot), directionOf(strip));
    }
}

TEST_F(SurfaceMeshTest, BevelledPanelsStandOutOfTheirFaces)
{
    fresh(2, 3, 4);
    at(1, 1, 2).covered = 0;
    mesh.setBevelled(true);
    mesh.build(board, false);
    const auto strips = mesh.strips();
    for (std::size_t s = 0; s < strips.size(); s += 2) {
        const FaceStrip& ring = strips[s];
        const FaceStrip& panel = strips[s + 1];
        const int direction = directionOf(panel);
        const int axis = direction / 2;
        const bool positive = direction % 2 == 0;
        const Vec3 centre = centreOf(panel.cubeIndex);
        const float plane = component(centre, axis) + (positive ? 0.5F : -0.5F);
        for (int j = 0; j < 4; ++j) {
            const Vec3 v = mesh.vertex(panel, j);
            EXPECT_NEAR(component(v, axis), plane + (positive ? 0.08F : -0.08F), 1e-5F);
            for (int other = 0; other < 3; ++other) {
                if (other != axis) {
                    EXPECT_NEAR(std::fabs(component(v - centre, other)), 0.42F, 1e-5F);
                }
            }
            // The ring's inner corners are the panel's corners, outer ones the cube's.
            constexpr std::array<int, 4> kPanelOrder{1, 0, 2, 3};
            EXPECT_EQ(mesh.vertexIndex(ring, 2 * j + 1),
                      mesh.vertexIndex(panel, kPanelOrder[static_cast<std::size_t>(j)]));
            EXPECT_NEAR(component(mesh.vertex(ring, 2 * j), axis), plane, 1e-6F);
        }
        EXPECT_EQ(mesh.vertexIndex(ring, 8), mesh.vertexIndex(ring, 0));
        EXPECT_EQ(mesh.vertexIndex(ring, 9), mesh.vertexIndex(ring, 1));

        // Outer corners 0.001875 inside the tile, panel corners 0.011875 inside.
        const int tile = 18 + direction;
        const float left = float(tile % 8) / 8;
        const float top = 1 - float(tile / 8) / 8;
        const float size = 0.125F;
        const auto expectCorner = [&](const TexCoord& uv, float inset, bool right, bool bottom) {
            EXPECT_NEAR(uv.u, right ? left + size - inset : left + inset, 1e-6F);
            EXPECT_NEAR(uv.v, bottom ? top - size + inset : top - inset, 1e-6F);
        };
        const std::array<std::array<bool, 2>, 5> ringCorners{
            {{false, false}, {true, false}, {true, true}, {false, true}, {false, false}}};
        for (int k = 0; k < 5; ++k) {
            const auto& rc = ringCorners[static_cast<std::size_t>(k)];
            expectCorner(mesh.texCoord(ring, 2 * k), 0.001875F, rc[0], rc[1]);
            expectCorner(mesh.texCoord(ring, 2 * k + 1), 0.011875F, rc[0], rc[1]);
        }
        expectCorner(mesh.texCoord(panel, 0), 0.011875F, true, false);
        expectCorner(mesh.texCoord(panel, 1), 0.011875F, false, false);
        expectCorner(mesh.texCoord(panel, 2), 0.011875F, true, true);
        expectCorner(mesh.texCoord(panel, 3), 0.011875F, false, true);
    }
}

TEST_F(SurfaceMeshTest, TilesFollowTheCubeFlags)
{
    const std::map<int, int> plain{{0, 18}, {1, 19}, {2, 20}, {3, 21}, {4, 22}, {5, 23}};
    const std::map<int, int> marked{{0, 58}, {1, 59}, {2, 60}, {3, 61}, {4, 62}, {5, 63}};
    const std::map<int, int> suspect{{0, 26}, {1, 27}, {2, 28}, {3, 29}, {4, 30}, {5, 31}};
    const std::map<int, int> wrongMark{{0, 5}, {1, 6}, {2, 7}, {3, 13}, {4, 14}, {5, 15}};
    const struct {
        int bomb, marked, suspect;
        bool ended;
        const std::map<int, int>& tiles;
    } cases[] = {
        {0, 0, 0, false, plain},    {0, 0, 0, true, plain},   {0, 1, 0, false, marked},
        {0, 1, 0, true, wrongMark}, {1, 1, 0, true, marked},  {0, 0, 1, false, suspect},
        {0, 1, 1, false, marked},   {0, 0, 1, true, suspect},
    };
    for (const bool bevelled : {false, true}) {
        mesh.setBevelled(bevelled);
        for (const auto& c : cases) {
            fresh(3, 3, 3);
            for (int i = 0; i < board.cubeCount(); ++i)
                board.cube(i).covered = 0;
            Cube& cube = at(1, 1, 1);
            cube = Cube{};
            cube.bomb = c.bomb;
            cube.marked = c.marked;
            cube.suspect = c.suspect;
            mesh.build(board, c.ended);
            EXPECT_EQ(tilesOfCube(board.indexOf(1, 1, 1)), c.tiles)
                << "bevelled " << bevelled << " bomb " << c.bomb << " marked " << c.marked
                << " suspect " << c.suspect << " ended " << c.ended;
        }
    }
}

TEST_F(SurfaceMeshTest, DarkTintIsLiftedAndHoverSurvivesBuilds)
{
    EXPECT_EQ(SurfaceMesh(Colour{0.1F, 0.2F, 0.3F, 0.5F}).tint(), (Colour{0.6F, 0.7F, 0.8F, 0.5F}));
    EXPECT_EQ(SurfaceMesh(Colour{0.9F, 0.05F, 0.0F, 0.0F}).tint(),
              (Colour{1.0F, 0.55F, 0.5F, 0.0F}));
    EXPECT_EQ(SurfaceMesh(Colour{0.1F, 0.6F, 0.2F, 1.0F}).tint(), (Colour{0.6F, 1.0F, 0.7F, 1.0F}));
    EXPECT_EQ(SurfaceMesh(Colour{0.5F, 0.3F, 0.2F, 0.0F}).tint(), (Colour{0.5F, 0.3F, 0.2F, 0.0F}));

    EXPECT_EQ(mesh.hoverIndex(), -1);
    fresh(2, 2, 2);
    mesh.setHover(5);
    mesh.build(board, false);
    EXPECT_EQ(mesh.hoverIndex(), 5);
}

} // namespace
} // namespace kubrix
