// Builds the per-octant drawing orders of the surface mesh and picks the runs a frame draws.
#include "core/scene/octant_orders.h"

#include "core/scene/occlusion_culler.h"
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
    width_ = width;
    height_ = height;
    try {
        unroll(mesh);
        sortByPlanes(width, height, depth);
        std::size_t inside = 0;
        for (const CubeTriangles& cube : cubes_) {
            const int i = cube.cubeIndex;
            const int x = i % width;
            const int y = i / width % height;
            const int z = i / width / height;
            inside += x > 0 && y > 0 && z > 0 && x < width - 1 && y < height - 1 && z < depth - 1;
        }
        deep_ = inside * kDeepShare >= cubes_.size() && inside > 0;
    } catch (const std::bad_alloc&) {
        vertices_.clear();
        natural_.clear();
        stored_.clear();
        cubes_.clear();
        for (std::vector<std::int32_t>& sequence : sequence_)
            sequence.clear();
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
    stored_.resize(natural_.size() * kStoredOrders);
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
        starts_.assign(static_cast<std::size_t>(planes) + 1, 0);
        for (std::size_t c = 0; c < cubes_.size(); ++c)
            starts_[static_cast<std::size_t>(planeOf_[c]) + 1] += cubes_[c].count;
        for (std::size_t k = 1; k < starts_.size(); ++k)
            starts_[k] += starts_[k - 1];

        std::vector<std::int32_t>& cubeStarts = planeCubeStarts_[static_cast<std::size_t>(order)];
        cubeStarts.assign(static_cast<std::size_t>(planes) + 1, 0);
        for (std::size_t c = 0; c < cubes_.size(); ++c)
            ++cubeStarts[static_cast<std::size_t>(planeOf_[c]) + 1];
        for (std::size_t k = 1; k < cubeStarts.size(); ++k)
            cubeStarts[k] += cubeStarts[k - 1];

        // Within a plane the cubes keep their index order.
        cursor_.assign(starts_.begin(), starts_.end() - 1);
        std::vector<std::int32_t> cubeCursor(cubeStarts.begin(), cubeStarts.end() - 1);
        std::vector<std::int32_t>& sequence = sequence_[static_cast<std::size_t>(order)];
        sequence.resize(cubes_.size());
        std::uint32_t* target = stored_.data() + static_cast<std::size_t>(order) * natural_.size();
        for (std::size_t c = 0; c < cubes_.size(); ++c) {
            CubeTriangles& cube = cubes_[c];
            const auto plane = static_cast<std::size_t>(planeOf_[c]);
            std::int32_t& at = cursor_[plane];
            std::memcpy(target + at, natural_.data() + cube.first,
                        static_cast<std::size_t>(cube.count) * sizeof(std::uint32_t));
            cube.firstIn[static_cast<std::size_t>(order)] = at;
            at += cube.count;
            sequence[static_cast<std::size_t>(cubeCursor[plane]++)] = static_cast<std::int32_t>(c);
        }
    }
}

int OctantOrders::orderFor(int octant, bool& forward)
{
    forward = (octant & 1) != 0;
    return ((forward ? octant : octant ^ 7) & 7) >> 1;
}

void OctantOrders::setApart(int order, std::span<const int> apart)
{
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
}

std::span<const OctantOrders::Run> OctantOrders::runs(int octant, std::span<const int> apart,
                                                      OcclusionCuller& culler)
{
    runs_.clear();
    drawnCount_ = 0;
    if (!valid_ || orderLength_ == 0 || width_ <= 0 || height_ <= 0) {
        drawn_.clear();
        ++drawnRevision_;
        return runs_;
    }
    bool forward = true;
    const int order = orderFor(octant, forward);
    setApart(order, apart);
    // Unculled, the indices are those of the last call when the mesh and octant are: only the
    // runs, which follow the cubes set apart, are made again.
    const bool culling = culler.active();
    const bool reuse =
        !culling && !drawnCulled_ && drawnOctant_ == octant && drawnGeneration_ == generation_;
    if (!reuse) {
        drawn_.clear();
        ++drawnRevision_;
        drawnCulled_ = culling;
        drawnOctant_ = octant;
        drawnGeneration_ = generation_;
    }
    const auto o = static_cast<std::size_t>(order);
    const std::vector<std::int32_t>& sequence = sequence_[o];
    const std::vector<std::int32_t>& starts = planeCubeStarts_[o];
    const auto visit = [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t s = from; s < to; ++s) {
            const CubeTriangles& cube =
                cubes_[static_cast<std::size_t>(sequence[static_cast<std::size_t>(s)])];
            const int i = cube.cubeIndex;
            if (culling && !culler.admit(i % width_, i / width_ % height_, i / width_ / height_))
                continue;
            addCube(order, cube, !reuse);
        }
    };
    if (forward) {
        visit(0, static_cast<std::int32_t>(sequence.size()));
    } else {
        for (std::size_t k = starts.size() - 1; k > 0; --k)
            visit(starts[k - 1], starts[k]);
    }
    return runs_;
}

void OctantOrders::addCube(int order, const CubeTriangles& cube, bool copy)
{
    const int first = drawnCount_;
    drawnCount_ += cube.count;
    if (copy) {
        const std::uint32_t* from = stored_.data() +
                                    static_cast<std::size_t>(order) * natural_.size() +
                                    cube.firstIn[static_cast<std::size_t>(order)];
        drawn_.insert(drawn_.end(), from, from + cube.count);
    }
    const bool alone = std::find(apart_.begin(), apart_.end(), &cube) != apart_.end();
    const int cubeIndex = alone ? cube.cubeIndex : -1;
    if (!runs_.empty() && cubeIndex == -1 && runs_.back().cubeIndex == -1)
        runs_.back().count += cube.count;
    else
        runs_.push_back({first, cube.count, cubeIndex});
}

} // namespace kubrix
