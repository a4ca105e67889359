// The surface mesh as indexed triangles with one drawing order per octant of the viewing
// direction, nearest cubes first, prepared at each mesh build so that a frame only chooses one.
#pragma once

#include "core/scene/quaternion.h"
#include "core/scene/triangle_arrays.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

class OcclusionCuller;
class SurfaceMesh;

// Vertices are the strips' own vertices, in strip order. Strip triangle t is drawn as vertices
// (t, t+1, t+2), the first two swapped when t is odd, so that it keeps the strip's winding and
// ends on vertex t+2; flat shading lights a triangle with its last vertex, so vertex j carries
// the normal of triangle j - 2 (vertices 0 and 1 that of triangle 0). The image is therefore the
// strips' own, in whatever order the triangles come.
//
// Drawing the cubes nearest the viewer first lets the depth test turn away the hidden fragments
// before they are textured and lit. For a viewer on side (sx, sy, sz) of the block, cube
// (x, y, z) lies in diagonal plane k = sum over the axes of (s > 0 ? side - 1 - p : p), plane 0
// holding the cube nearest the viewer. Only the four octants with sx = +1 are stored, each as
// its planes one after another; the opposite octant draws the same planes last to first. Asked
// in that order, an occlusion culler finds the cubes that those before them hide, and a frame
// leaves them out.
class OctantOrders {
public:
    static constexpr int kStoredOrders = 4;

    // A range of indices(), drawn in one colour: the triangles of cube cubeIndex alone, or
    // with cubeIndex -1 those of any cubes drawn plain.
    struct Run {
        int first = 0;
        int count = 0;
        int cubeIndex = -1;
    };

    // The octant the viewer looks from, seen from the block: bit 0, 1, 2 set when the viewer
    // lies on the +x, +y, +z side.
    static int octantFacing(const Quaternion& viewRotation);

    // Rebuilds from the mesh when it was rebuilt since the last call (its generation changed);
    // true when it did. The size is the board's, in cubes. Should memory run out, the orders are
    // left empty and not valid.
    bool update(const SurfaceMesh& mesh, int width, int height, int depth);

    bool valid() const { return valid_; }
    // The faces on the outside of the block never overlap on the screen, so only faces inside
    // it are worth culling: true when at least one cube in kDeepShare of the mesh lies off the
    // block's outside.
    bool deep() const { return deep_; }
    static constexpr int kDeepShare = 8;
    std::uint64_t generation() const { return generation_; }
    std::span<const ArrayVertex> vertices() const { return vertices_; }

    // What to draw for a viewer in the octant: ranges of indices(), nearest cubes first, the
    // triangles of each cube in apart (a few, such as the hovered one) in a run of their own,
    // and only the cubes the culler admits, asked in that order. Indices in apart that name no
    // cube of the mesh are ignored. The runs and indices() are valid until the next call.
    std::span<const Run> runs(int octant, std::span<const int> apart, OcclusionCuller& culler);
    std::span<const std::uint32_t> indices() const { return drawn_; }
    // Changes, never to 0, whenever indices() may hold other indices than before.
    std::uint64_t indicesRevision() const { return drawnRevision_; }

private:
    // The triangles of one cube: a range of the natural (cube index) order, and where the same
    // indices start in each stored order.
    struct CubeTriangles {
        std::int32_t cubeIndex = 0;
        std::int32_t first = 0;
        std::int32_t count = 0;
        std::array<std::int32_t, kStoredOrders> firstIn{};
    };

    void unroll(const SurfaceMesh& mesh);
    void sortByPlanes(int width, int height, int depth);
    // The stored order and whether it is walked forwards, for a viewer in the octant.
    static int orderFor(int octant, bool& forward);
    void setApart(int order, std::span<const int> apart);
    // Adds a run for the cube's triangles, or extends the last run when both are plain; with
    // copy, first appends the triangles in the stored order to indices().
    void addCube(int order, const CubeTriangles& cube, bool copy);

    std::vector<ArrayVertex> vertices_;
    // The stored orders one after another, orderLength_ indices each.
    std::vector<std::uint32_t> stored_;
    std::vector<CubeTriangles> cubes_;
    // Scratch of the build, kept to avoid reallocating: the triangles in cube index order, each
    // cube's plane in the order being built, and the filling position of each plane.
    std::vector<std::uint32_t> natural_;
    std::vector<std::int32_t> planeOf_;
    std::vector<std::int32_t> cursor_;
    // Where each plane starts in the order being built; one more entry than planes.
    std::vector<std::int32_t> starts_;
    // Per stored order, its cubes (positions in cubes_) in drawing sequence, and where each
    // plane's cubes start there.
    std::array<std::vector<std::int32_t>, kStoredOrders> sequence_;
    std::array<std::vector<std::int32_t>, kStoredOrders> planeCubeStarts_;
    // What the last runs() drew, and what it was drawn for.
    std::vector<std::uint32_t> drawn_;
    int drawnCount_ = 0;
    std::uint64_t drawnRevision_ = 0;
    std::uint64_t drawnGeneration_ = 0;
    int drawnOctant_ = -1;
    bool drawnCulled_ = false;
    std::vector<Run> runs_;
    // The cubes runs() sets apart, in the chosen order's sequence.
    std::vector<const CubeTriangles*> apart_;
    int orderLength_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::uint64_t generation_ = 0;
    bool valid_ = false;
    bool deep_ = false;
};

} // namespace kubrix
