// The rotation of the block: a quaternion (x, y, z, w) and the operations the view needs.
#pragma once

#include <array>

namespace kubrix {

struct Quaternion {
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
    float w = 1.0F;

    friend bool operator==(const Quaternion&, const Quaternion&) = default;
};

struct AxisAngle {
    float degrees = 0.0F;
    float x = 0.0F;
    float y = 0.0F;
    float z = 0.0F;
};

// A 4 x 4 matrix in OpenGL's column-major order (element [column * 4 + row]).
using Matrix4 = std::array<float, 16>;

// q ⊗ p: applies the increment q after the current rotation p.
Quaternion product(const Quaternion& p, const Quaternion& q);
// Divides every component by the sum of squares (not by its square root).
Quaternion normalise(const Quaternion& q);
// Angles in degrees; the result is qz ⊗ qy ⊗ qx, normalised.
Quaternion fromEuler(float ax, float ay, float az);
Quaternion inverse(const Quaternion& q);
AxisAngle toAxisAngle(const Quaternion& q);
Quaternion slerp(const Quaternion& p, const Quaternion& q, float t);
Matrix4 toMatrix(const Quaternion& q);

// The orientation set at window creation and by the tutorial board.
inline constexpr Quaternion kTutorialRotation{0.24384F, 0.344355F, 0.083813F, 0.902739F};

} // namespace kubrix
