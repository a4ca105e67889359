// Builds the per-octant drawing orders of the surface mesh and picks the runs a frame draws.
#include "core/scene/octant_orders.h"

#include "core/scene/surface_mesh.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kubrix {

int OctantOrders::octantFacing(const Quaternion& viewRotation)
{
    // The model-view turns board directions by this matrix; the viewer looks along eye-space
    // -z, so the board direction towards the viewer is the matrix's third row.
    const Matrix4 m = toMatrix(viewRotation);
    return (m[2] > 0.0F ? 1 : 0) | (m[6] > 0.0F ? 2 : 0) | (m[10] > 0.0F ? 4 : 0);
}

bool OctantOrders::update(const SurfaceMesh& mesh, int width, int height, int depth)
{
    if (valid_ && generation_ == mesh.generation())
        return false;
    valid_ = false;
    generation_ = mesh.generation();
    try {
        unroll(mesh);
        sortByPlanes(width, height, depth);
    } catch (const std::bad_alloc&) {
        vertices_.clear();
        natural_.clear();
        indices_.clear();
        cubes_.clear();
        orderLength_ = 0;
        return true;
    }
    valid_ = true;
    return true;
}

void OctantOrders::unroll(const SurfaceMesh& mesh)
{
    const std::span<const FaceStrip> strips = mesh.strips();
    std::size_t vertexCount = 0;
    for (const FaceStrip& strip : strips)
        vertexCount += static_cast<std::size_t>(strip.count);
    vertices_.resize(vertexCount);
    natural_.resize(static_cast<std::size_t>(mesh.triangleCount()) * 3);
    cubes_.clear();

    ArrayVertex* out = vertices_.data();
    std::uint32_t* index = natural_.data();
    std::uint32_t base = 0;
    std::int32_t position = 0;
    for (const FaceStrip& strip : strips) {
        if (cubes_.empty() || cubes_.back().cubeIndex != strip.cubeIndex)
            cubes_.push_back({strip.cubeIndex, position, 0, {}});
        const int triangles = std::max(strip.count - 2, 0);
        for (int j = 0; j < strip.count; ++j) {
            const Vec3& n = mesh.triangleNormal(strip, std::clamp(j - 2, 0, triangles - 1));
            const TexCoord& uv = mesh.texCoord(strip, j);
            const Vec3& p = mesh.vertex(strip, j);
            *out++ = {uv.u, uv.v, n.x, n.y, n.z, p.x, p.y, p.z};
        }
        for (int t = 0; t < triangles; ++t) {
            const bool odd = (t & 1) != 0;
            *index++ = base + static_cast<std::uint32_t>(odd ? t + 1 : t);
            *index++ = base + static_cast<std::uint32_t>(odd ? t : t + 1);
            *index++ = base + static_cast<std::uint32_t>(t + 2);
        }
        base += static_cast<std::uint32_t>(strip.count);
        position += 3 * triangles;
        cubes_.back().count += 3 * triangles;
    }
}

void OctantOrders::sortByPlanes(int width, int height, int depth)
{
    const int planes = std::max(width + height + depth - 2, 1);
    orderLength_ = static_cast<int>(natural_.size());
    indices_.resize(natural_.size() * kStoredOrders);
    planeOf_.resize(cubes_.size());
    for (int order = 0; order < kStoredOrders; ++order) {
        // Stored order o is octant 1 | o << 1: the viewer on the +x side.
        const bool plusY = (order & 1) != 0;
        const bool plusZ = (order & 2) != 0;
        for (std::size_t c = 0; c < cubes_.size(); ++c) {
            const int i = cubes_[c].cubeIndex;
            const int x = i % width;
            const int y = i / width % height;
            const int z = i / width / height;
            planeOf_[c] =
                (width - 1 - x) + (plusY ? height - 1 - y : y) + (plusZ ? depth - 1 - z : z);
        }
        std::vector<std::int32_t>& starts = planeStarts_[static_cast<std::size_t>(order)];
        starts.assign(static_cast<std::size_t>(planes) + 1, 0);
        for (std::size_t c = 0; c < cubes_.size(); ++c)
            starts[static_cast<std::size_t>(planeOf_[c]) + 1] += cubes_[c].count;
        for (std::size_t k = 1; k < starts.size(); ++k)
            starts[k] += starts[k - 1];

        // Within a plane the cubes keep their index order.
        cursor_.assign(starts.begin(), starts.end() - 1);
        std::uint32_t* target = indices_.data() + static_cast<std::size_t>(order) * natural_.size();
        for (std::size_t c = 0; c < cubes_.size(); ++c) {
            CubeTriangles& cube = cubes_[c];
            std::int32_t& at = cursor_[static_cast<std::size_t>(planeOf_[c])];
            std::memcpy(target + at, natural_.data() + cube.first,
                        static_cast<std::size_t>(cube.count) * sizeof(std::uint32_t));
            cube.firstIn[static_cast<std::size_t>(order)] = at;
            at += cube.count;
        }
    }
}

std::span<const OctantOrders::Run> OctantOrders::runs(int octant, std::span<const int> apart)
{
    runs_.clear();
    if (!valid_ || orderLength_ == 0)
        return runs_;
    const bool forward = (octant & 1) != 0;
    const int order = ((forward ? octant : octant ^ 7) & 7) >> 1;
    const auto o = static_cast<std::size_t>(order);
    apart_.clear();
    for (const int index : apart) {
        const auto found = std::lower_bound(
            cubes_.begin(), cubes_.end(), index,
            [](const CubeTriangles& cube, int wanted) { return cube.cubeIndex < wanted; });
        if (found != cubes_.end() && found->cubeIndex == index &&
            std::find(apart_.begin(), apart_.end(), &*found) == apart_.end())
            apart_.push_back(&*found);
    }
    std::sort(apart_.begin(), apart_.end(), [o](const CubeTriangles* a, const CubeTriangles* b) {
        return a->firstIn[o] < b->firstIn[o];
    });
    if (forward) {
        addRun(order, 0, orderLength_);
        return runs_;
    }
    const std::vector<std::int32_t>& starts = planeStarts_[o];
    for (std::size_t k = starts.size() - 1; k > 0; --k)
        addRun(order, starts[k - 1], starts[k]);
    return runs_;
}

void OctantOrders::addRun(int order, int first, int end)
{
    if (first == end)
        return;
    const int base = order * orderLength_;
    int at = first;
    for (const CubeTriangles* cube : apart_) {
        const int cubeFirst = cube->firstIn[static_cast<std::size_t>(order)];
        if (cubeFirst < first || cubeFirst >= end)
            continue;
        if (cubeFirst > at)
            runs_.push_back({base + at, cubeFirst - at, -1});
        runs_.push_back({base + cubeFirst, cube->count, cube->cubeIndex});
        at = cubeFirst + cube->count;
    }
    if (at < end)
        runs_.push_back({base + at, end - at, -1});
}

} // namespace kubrix
