// The quaternion operations behind the view rotation: composing drags, tutorial turns and the
// matrices the renderer and the billboards need.
#include "core/scene/quaternion.h"

#include <cmath>

namespace kubrix {

namespace {

constexpr float kDegreesToRadians = 0.01745329252F;
constexpr double kRadiansToDegrees = 57.295779512896175;
// Below this length a quaternion (or its axis) carries no usable direction.
constexpr float kTiny = 0.00001F;

float sumOfSquares(const Quaternion& q)
{
    return q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
}

Quaternion halfTurn(float degrees, float ax, float ay, float az)
{
    const float half = degrees * kDegreesToRadians / 2.0F;
    const float s = std::sin(half);
    return {ax * s, ay * s, az * s, std::cos(half)};
}

} // namespace

Quaternion product(const Quaternion& p, const Quaternion& q)
{
    return {
        q.w * p.x + q.x * p.w + q.y * p.z - q.z * p.y,
        q.w * p.y - q.x * p.z + q.y * p.w + q.z * p.x,
        q.w * p.z + q.x * p.y - q.y * p.x + q.z * p.w,
        q.w * p.w - q.x * p.x - q.y * p.y - q.z * p.z,
    };
}

Quaternion normalise(const Quaternion& q)
{
    // Dividing by the sum of squares keeps a drifting unit quaternion near unit length, which is
    // all the drag loop needs; a zero quaternion would turn into NaNs, so it becomes the identity.
    const float sum = sumOfSquares(q);
    if (std::fabs(sum) < kTiny)
        return {};
    return {q.x / sum, q.y / sum, q.z / sum, q.w / sum};
}

Quaternion fromEuler(float ax, float ay, float az)
{
    const Quaternion qx = halfTurn(ax, 1.0F, 0.0F, 0.0F);
    const Quaternion qy = halfTurn(ay, 0.0F, 1.0F, 0.0F);
    const Quaternion qz = halfTurn(az, 0.0F, 0.0F, 1.0F);
    return normalise(product(product(qx, qy), qz));
}

Quaternion inverse(const Quaternion& q)
{
    const float length = std::sqrt(sumOfSquares(q));
    if (length < kTiny)
        return {};
    return {-q.x / length, -q.y / length, -q.z / length, q.w / length};
}

AxisAngle toAxisAngle(const Quaternion& q)
{
    float w = q.w;
    float degrees = 0.0F;
    if (w >= 1.0F) {
        w = 1.0F;
    } else if (w <= -1.0F) {
        w = -1.0F;
        degrees = 180.0F;
    } else {
        degrees = static_cast<float>(2.0 * std::acos(double(w)) * kRadiansToDegrees);
    }
    float s = std::sqrt(1.0F - w * w);
    if (std::fabs(s) < kTiny)
        s = 1.0F;
    return {degrees, q.x / s, q.y / s, q.z / s};
}

Quaternion slerp(const Quaternion& p, const Quaternion& q, float t)
{
    const float c = p.x * q.x + p.y * q.y + p.z * q.z + p.w * q.w;
    if (1.0F + c > 0.0001F) {
        float a = 1.0F - t;
        float b = t;
        if (1.0F - c > 0.0001F) {
            const float theta = std::acos(c);
            const float sinTheta = std::sin(theta);
            a = std::sin((1.0F - t) * theta) / sinTheta;
            b = std::sin(t * theta) / sinTheta;
        }
        return {a * p.x + b * q.x, a * p.y + b * q.y, a * p.z + b * q.z, a * p.w + b * q.w};
    }
    // Nearly opposite ends have no unique great arc, so the turn goes through a quaternion
    // perpendicular to q instead.
    const Quaternion side{-q.y, q.x, -q.w, q.z};
    const float a = std::sin((1.0F - t) * 1.5707963268F);
    const float b = std::sin(t * 1.5707964F);
    return {a * p.x + b * side.x, a * p.y + b * side.y, a * p.z + b * side.z, a * p.w + b * side.w};
}

Matrix4 toMatrix(const Quaternion& q)
{
    const float sum = sumOfSquares(q);
    const float f = std::fabs(sum) < kTiny ? 1.0F : 2.0F / sum;
    const float xx = q.x * q.x * f;
    const float yy = q.y * q.y * f;
    const float zz = q.z * q.z * f;
    const float xy = q.x * q.y * f;
    const float xz = q.x * q.z * f;
    const float yz = q.y * q.z * f;
    const float wx = q.w * q.x * f;
    const float wy = q.w * q.y * f;
    const float wz = q.w * q.z * f;
    // Column-major: each line below is one column.
    // clang-format off
    return {
        1.0F - yy - zz, xy + wz,        xz - wy,        0.0F,
        xy - wz,        1.0F - xx - zz, yz + wx,        0.0F,
        xz + wy,        yz - wx,        1.0F - xx - yy, 0.0F,
        0.0F,           0.0F,           0.0F,           1.0F,
    };
    // clang-format on
}

} // namespace kubrix
