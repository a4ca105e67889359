// Unrolls the surface mesh's strips into independent triangles.
#include "core/scene/triangle_arrays.h"

#include "core/scene/surface_mesh.h"

#include <new>

namespace kubrix {

bool TriangleArrays::update(const SurfaceMesh& mesh)
{
    if (valid_ && generation_ == mesh.generation())
        return false;
    valid_ = false;
    generation_ = mesh.generation();
    const std::span<const FaceStrip> strips = mesh.strips();
    try {
        vertices_.resize(static_cast<std::size_t>(mesh.triangleCount()) * 3);
        stripStarts_.resize(strips.size() + 1);
    } catch (const std::bad_alloc&) {
        vertices_.clear();
        stripStarts_.assign(1, 0);
        return true;
    }

    ArrayVertex* out = vertices_.data();
    std::size_t s = 0;
    std::int32_t start = 0;
    for (const FaceStrip& strip : strips) {
        stripStarts_[s++] = start;
        for (int t = 0; t + 2 < strip.count; ++t) {
            const Vec3& n = mesh.triangleNormal(strip, t);
            const bool odd = (t & 1) != 0;
            const int order[3] = {odd ? t + 1 : t, odd ? t : t + 1, t + 2};
            for (const int j : order) {
                const TexCoord& uv = mesh.texCoord(strip, j);
                const Vec3& p = mesh.vertex(strip, j);
                *out++ = {uv.u, uv.v, n.x, n.y, n.z, p.x, p.y, p.z};
            }
        }
        start += 3 * (strip.count > 2 ? strip.count - 2 : 0);
    }
    stripStarts_[s] = start;
    valid_ = static_cast<std::size_t>(start) == vertices_.size();
    return true;
}

} // namespace kubrix
