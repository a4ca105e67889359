// The view rotation's quaternion operations: identities, composition order and interpolation.
#include "core/scene/quaternion.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace kubrix {
namespace {

using Vec = std::array<float, 3>;

Vec rotate(const Quaternion& q, const Vec& v)
{
    const Matrix4 m = toMatrix(q);
    Vec out{};
    for (int row = 0; row < 3; ++row)
        out[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2];
    return out;
}

void expectNear(const Vec& actual, const Vec& expected)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5F) << "component " << i;
}

void expectNear(const Quaternion& a, const Quaternion& b)
{
    expectNear(Vec{a.x, a.y, a.z}, Vec{b.x, b.y, b.z});
    EXPECT_NEAR(a.w, b.w, 1e-5F);
}

float dot(const Quaternion& a, const Quaternion& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

TEST(QuaternionTest, AxisAngleOfIdentityAndHalfTurn)
{
    const AxisAngle still = toAxisAngle(Quaternion{});
    EXPECT_FLOAT_EQ(still.degrees, 0.0F);
    expectNear(Vec{still.x, still.y, still.z}, Vec{0, 0, 0});

    const AxisAngle half = toAxisAngle({0, 0, 1, 0});
    EXPECT_NEAR(half.degrees, 180.0F, 1e-4F);
    expectNear(Vec{half.x, half.y, half.z}, Vec{0, 0, 1});

    // A w pushed past -1 by rounding still reads as a half turn, not as NaN.
    const AxisAngle past = toAxisAngle({0, 0, 0, -1.0000001F});
    EXPECT_FLOAT_EQ(past.degrees, 180.0F);
    EXPECT_FALSE(std::isnan(past.x));
}

TEST(QuaternionTest, EulerTurnsAndProductOrder)
{
    expectNear(rotate(fromEuler(90, 0, 0), {0, 1, 0}), {0, 0, 1});
    expectNear(rotate(fromEuler(0, 90, 0), {0, 0, 1}), {1, 0, 0});
    expectNear(rotate(fromEuler(0, 0, 90), {1, 0, 0}), {0, 1, 0});
    // The x turn is applied first, then y.
    expectNear(rotate(fromEuler(90, 90, 0), {0, 1, 0}), {1, 0, 0});

    // The increment acts after the current rotation: y goes to z, then z to x.
    const Quaternion current = fromEuler(90, 0, 0);
    const Quaternion increment = fromEuler(0, 90, 0);
    expectNear(rotate(normalise(product(current, increment)), {0, 1, 0}), {1, 0, 0});
    // A scaled quaternion gives the same matrix.
    const Quaternion scaled{increment.x * 3, increment.y * 3, increment.z * 3, increment.w * 3};
    expectNear(rotate(scaled, {0, 0, 1}), {1, 0, 0});
}

TEST(QuaternionTest, InverseNormaliseAndTheirZeroGuards)
{
    EXPECT_EQ(inverse({0, 0, 0, 0}), Quaternion{});
    EXPECT_EQ(normalise({0, 0, 0, 0}), Quaternion{});
    const Quaternion q = fromEuler(30, -50, 70);
    expectNear(product(q, inverse(q)), Quaternion{});
    expectNear(rotate(inverse(q), rotate(q, {0.3F, -2.0F, 1.5F})), {0.3F, -2.0F, 1.5F});
    // The inverse divides by the length, normalise by the sum of squares.
    expectNear(inverse({q.x * 2, q.y * 2, q.z * 2, q.w * 2}), inverse(q));
    expectNear(normalise({0, 0, 0, 2}), {0, 0, 0, 0.5F});
}

TEST(QuaternionTest, SlerpBranches)
{
    const Quaternion q = fromEuler(20, 40, 60);
    expectNear(slerp(q, q, 0.3F), q);
    expectNear(slerp({}, fromEuler(0, 0, 90), 0.5F), fromEuler(0, 0, 45));
    expectNear(slerp({}, fromEuler(0, 0, 90), 1.0F), fromEuler(0, 0, 90));

    // Opposite ends: the path leaves q and arrives at a quaternion perpendicular to it.
    const Quaternion opposite{-q.x, -q.y, -q.z, -q.w};
    expectNear(slerp(q, opposite, 0.0F), q);
    const Quaternion end = slerp(q, opposite, 1.0F);
    EXPECT_NEAR(dot(end, q), 0.0F, 1e-5F);
    EXPECT_NEAR(dot(end, end), 1.0F, 1e-5F);
    // From the identity to its negation the detour runs about z: a quarter turn half-way.
    const AxisAngle detour = toAxisAngle(slerp({}, {0, 0, 0, -1}, 0.5F));
    EXPECT_NEAR(detour.degrees, 90.0F, 1e-3F);
    EXPECT_NEAR(detour.z, 1.0F, 1e-5F);
}

} // namespace
} // namespace kubrix
