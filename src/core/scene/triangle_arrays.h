// The surface mesh's strips unrolled into independent triangles, laid out for OpenGL 1.1 client
// arrays, so that a frame draws the whole block in a call or three instead of a call per vertex.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

class SurfaceMesh;

// One vertex in OpenGL's interleaved layout GL_T2F_N3F_V3F: texture coordinates, normal, position.
struct ArrayVertex {
    float u = 0.0F;
    float v = 0.0F;
    float nx = 0.0F;
    float ny = 0.0F;
    float nz = 0.0F;
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
};

// Strip triangle t is strip vertices (t, t+1, t+2), turned to (t+1, t, t+2) when t is odd so
// that every triangle keeps the strip's winding, exactly as OpenGL splits a strip. All three
// vertices carry the triangle's own normal: under flat shading OpenGL lights a triangle with
// the normal of its last vertex, which is where the strip drawing issues it, so the image is
// the strip drawing's. Texture coordinates and positions are the strip vertices' own.
class TriangleArrays {
public:
    // Unrolls the mesh again when it was rebuilt since the last call (its generation changed);
    // true when it did. Should memory run out, the arrays are left empty and not valid.
    bool update(const SurfaceMesh& mesh);

    bool valid() const { return valid_; }
    std::uint64_t generation() const { return generation_; }
    std::span<const ArrayVertex> vertices() const { return vertices_; }
    // The triangles of strip s are vertices [stripStart(s), stripStart(s + 1)); there is one
    // more entry than strips.
    int stripStart(int strip) const { return stripStarts_[static_cast<std::size_t>(strip)]; }
    int stripCount() const { return static_cast<int>(stripStarts_.size()) - 1; }

private:
    std::vector<ArrayVertex> vertices_;
    std::vector<std::int32_t> stripStarts_{0};
    std::uint64_t generation_ = 0;
    bool valid_ = false;
};

} // namespace kubrix
