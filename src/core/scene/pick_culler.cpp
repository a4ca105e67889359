// Keeps the strips whose screen bounding box meets the pick region.
#include "core/scene/pick_culler.h"

#include "core/scene/surface_mesh.h"

namespace kubrix {

namespace {

// Which edges of the square a vertex lies beyond; a strip whose vertices share a bit lies
// wholly beyond that edge.
constexpr std::uint8_t kLeft = 1;
constexpr std::uint8_t kRight = 2;
constexpr std::uint8_t kBelow = 4;
constexpr std::uint8_t kAbove = 8;
constexpr std::uint8_t kAll = kLeft | kRight | kBelow | kAbove;

// Closer to the eye than this the division by w says nothing reliable.
constexpr double kMinimumW = 1e-6;

} // namespace

Matrix4d product(const Matrix4d& a, const Matrix4d& b)
{
    Matrix4d m{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a[static_cast<std::size_t>(k * 4 + row)] *
                       b[static_cast<std::size_t>(column * 4 + k)];
            m[static_cast<std::size_t>(column * 4 + row)] = sum;
        }
    return m;
}

std::span<const std::int32_t> PickCuller::cull(const SurfaceMesh& mesh, const Matrix4d& projection,
                                               const Matrix4d& modelView, double reach)
{
    const Matrix4d m = product(projection, modelView);
    const std::span<const Vec3> vertices = mesh.vertices();
    outcodes_.resize(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const double x = vertices[i].x;
        const double y = vertices[i].y;
        const double z = vertices[i].z;
        const double cx = m[0] * x + m[4] * y + m[8] * z + m[12];
        const double cy = m[1] * x + m[5] * y + m[9] * z + m[13];
        const double cw = m[3] * x + m[7] * y + m[11] * z + m[15];
        std::uint8_t code = 0;
        // Compared without dividing, which for w > 0 is the same as comparing x / w.
        if (cw > kMinimumW) {
            const double edge = reach * cw;
            code = static_cast<std::uint8_t>((cx < -edge ? kLeft : 0) | (cx > edge ? kRight : 0) |
                                             (cy < -edge ? kBelow : 0) | (cy > edge ? kAbove : 0));
        }
        outcodes_[i] = code;
    }

    kept_.clear();
    const std::span<const FaceStrip> strips = mesh.strips();
    for (std::size_t s = 0; s < strips.size(); ++s) {
        const FaceStrip& strip = strips[s];
        std::uint8_t shared = kAll;
        for (int j = 0; j < strip.count && shared != 0; ++j)
            shared &= outcodes_[static_cast<std::size_t>(mesh.vertexIndex(strip, j))];
        if (shared == 0)
            kept_.push_back(static_cast<std::int32_t>(s));
    }
    return kept_;
}

} // namespace kubrix
