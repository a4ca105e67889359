// Finds, on the processor, the strips of the surface mesh that could reach the pick region, so
// that the selection pass draws those few instead of the whole mesh.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kubrix {

class SurfaceMesh;

// Column-major 4 x 4 matrix (element [column * 4 + row]), as OpenGL returns it.
using Matrix4d = std::array<double, 16>;

// a * b: the transformation b followed by a, as OpenGL composes them.
Matrix4d product(const Matrix4d& a, const Matrix4d& b);

class PickCuller {
public:
    // The pick matrix (one pixel wide) maps the pick region onto [-1, 1] in x and y of
    // normalised device coordinates, and one pixel onto 2 units. Two pixels more on every side
    // cover any rounding of the projection.
    static constexpr double kPickReach = 1.0 + 2.0 * 2.0;

    // projection and modelView as OpenGL holds them while the selection pass draws (the
    // projection with the pick matrix in front). Keeps every strip whose vertices do not all
    // lie on the far side of one edge of the square [-reach, reach]^2, that is every strip
    // whose screen bounding box meets the square. A vertex at or behind the eye has no place
    // on the screen: a strip with such a vertex is kept. Returns the strip numbers kept, in
    // drawing order.
    std::span<const std::int32_t> cull(const SurfaceMesh& mesh, const Matrix4d& projection,
                                       const Matrix4d& modelView, double reach = kPickReach);

private:
    std::vector<std::uint8_t> outcodes_;
    std::vector<std::int32_t> kept_;
};

} // namespace kubrix
