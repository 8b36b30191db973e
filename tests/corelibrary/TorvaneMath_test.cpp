#include "TorvaneMath.h"
#include "matrix3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>

namespace
{
std::string CapturedAssertions(auto&& action)
{
    testing::internal::CaptureStderr();
    action();
    return testing::internal::GetCapturedStderr();
}

// Right-handed rotation about base axis 0, 1 or 2, built directly from sines and cosines.
Matrix3 AxisRotation(unsigned axis, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const unsigned a = (axis + 1) % 3, b = (axis + 2) % 3;
    Matrix3 r;
    r(a, a) = c;
    r(a, b) = -s;
    r(b, a) = s;
    r(b, b) = c;
    return r;
}

// The rotation an order code names, composed from its three axis turns.
Matrix3 ReferenceRotation(const EulerAngles& e)
{
    const EulerOrder o = e.order;
    const unsigned last = o.Repeated() ? o.I() : o.K();
    if (o.RotatingFrame())
        return AxisRotation(last, e.x) * AxisRotation(o.J(), e.y) * AxisRotation(o.I(), e.z);
    return AxisRotation(last, e.z) * AxisRotation(o.J(), e.y) * AxisRotation(o.I(), e.x);
}

void ExpectNear(const Matrix3& actual, const Matrix3& expected, float tolerance, const std::string& context)
{
    for (int n = 0; n < 9; ++n)
        EXPECT_NEAR(actual.m[n], expected.m[n], tolerance) << context << " element " << n;
}
} // namespace

TEST(Scalar, MoveTowardsStepsWithoutOvershooting)
{
    struct Case { float current, target, maxDelta, expected; };
    const Case cases[] = {
        {0.5f, 0.5000001f, 1.0f, 0.5f}, // already there within the tolerance
        {0.0f, 1.0f, 0.25f, 0.25f},
        {0.0f, -1.0f, 5.0f, -1.0f},
        {3.0f, 1.0f, 0.5f, 2.5f},
        {1.0f, 1.5f, 0.5f, 1.5f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(MoveTowards(c.current, c.target, c.maxDelta), c.expected) << c.current << " -> " << c.target;
    EXPECT_FLOAT_EQ(DegreesToRadians(180.0f), 3.1415927f);
    EXPECT_FLOAT_EQ(RadiansToDegrees(DegreesToRadians(-37.5f)), -37.5f);
}

TEST(Vector3, EqualityUsesOneMillionthPerComponent)
{
    const Vector3 base(1.0f, -2.0f, 0.0f);
    EXPECT_TRUE(base == Vector3(1.0f, -2.0f, 1e-7f));
    EXPECT_FALSE(base != Vector3(1.0f, -2.0f, 1e-7f));
    EXPECT_FALSE(base == Vector3(1.0f, -2.0f, 2e-6f));
    EXPECT_TRUE(base != Vector3(2e-6f, 0.0f, 0.0f) + base);
    EXPECT_TRUE(Vector3(5e-7f, -5e-7f, 0.0f).IsZero());
    EXPECT_FALSE(Vector3(0.0f, 0.0f, 1e-5f).IsZero());
}

TEST(Vector3, ArithmeticNaNAndIndexing)
{
    const Vector3 a(1.0f, 2.0f, 3.0f), b(-2.0f, 0.5f, 4.0f);
    EXPECT_EQ(a.Cross(b), Vector3(6.5f, -10.0f, 4.5f));
    EXPECT_FLOAT_EQ(a.Dot(b), 11.0f);
    EXPECT_FLOAT_EQ(Vector3(3.0f, 4.0f, 0.0f).Length(), 5.0f);
    EXPECT_EQ(Vector3(0.0f, 0.0f, 7.0f).Normalized(), Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(a.Scaled(b), Vector3(-2.0f, 1.0f, 12.0f));
    EXPECT_FALSE(a.HasNaN());
    EXPECT_TRUE(Vector3(0.0f, std::nanf(""), 0.0f).HasNaN());
    EXPECT_TRUE(Vector3().Normalized().HasNaN());

    Vector3 v = a;
    v[2] = 9.0f;
    EXPECT_FLOAT_EQ(v.z, 9.0f);
    const std::string report = CapturedAssertions([&] {
        EXPECT_FLOAT_EQ(std::as_const(v)[3], 0.0f);
        v[7] = 5.0f; // lands in scratch, not in x
    });
    EXPECT_NE(report.find("Vector3 - Index out of range."), std::string::npos);
    EXPECT_EQ(v, Vector3(1.0f, 2.0f, 9.0f));
}

TEST(EulerOrder, CodesNameTheirAxes)
{
    struct Case { EulerOrder order; unsigned i, j, k; };
    const Case cases[] = {
        {EulerOrder(), 0, 1, 2},                                  // static X, Y, Z
        {EulerOrder::Make(0, true, false, false), 0, 2, 1},       // X, Z, Y
        {EulerOrder::Make(1, false, false, false), 1, 2, 0},      // Y, Z, X
        {EulerOrder::Make(2, false, false, false), 2, 0, 1},      // Z, X, Y
        {EulerOrder::Make(2, true, true, true), 2, 1, 0},         // rotating Z, Y, Z
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.order.I(), c.i) << c.order.code;
        EXPECT_EQ(c.order.J(), c.j) << c.order.code;
        EXPECT_EQ(c.order.K(), c.k) << c.order.code;
    }
    EXPECT_EQ(EulerOrder::Make(2, true, true, true).code, 23u);
}

TEST(EulerConversion, EveryOrderMatchesItsComposedAxisTurnsAndReadsBack)
{
    const float samples[][3] = {{0.3f, -0.7f, 1.1f}, {-2.5f, 0.2f, 0.9f}, {1.4f, 1.2f, -3.0f}};
    for (unsigned code = 0; code < kEulerOrderCount; ++code)
        for (const auto& s : samples)
        {
            const EulerOrder order(code);
            // The principal range of the middle angle: (-pi/2, pi/2) for three axes, (0, pi) for a repeated
            // axis, mirrored to (-pi, 0) by odd parity.
            const float repeated = (std::fabs(s[1]) + 0.1f) * (order.OddParity() ? -1.0f : 1.0f);
            const float middle = order.Repeated() ? repeated : s[1];
            const EulerAngles angles(s[0], middle, s[2], order);
            const std::string context = "order " + std::to_string(code);

            const Quaternion q(angles);
            EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1.0f, 1e-5f) << context;
            const Matrix3 m(q);
            ExpectNear(m, ReferenceRotation(angles), 1e-5f, context);

            EulerAngles back(0.0f, 0.0f, 0.0f, order);
            MatrixToEuler(m, &back);
            EXPECT_NEAR(back.x, angles.x, 1e-4f) << context;
            EXPECT_NEAR(back.y, angles.y, 1e-4f) << context;
            EXPECT_NEAR(back.z, angles.z, 1e-4f) << context;
        }
}

TEST(EulerConversion, IdentityAndQuarterTurns)
{
    for (unsigned code = 0; code < kEulerOrderCount; ++code)
    {
        EulerAngles e(9.0f, 9.0f, 9.0f, EulerOrder(code));
        QuaternionToEuler(Quaternion(), &e);
        EXPECT_NEAR(e.x, 0.0f, 1e-7f) << code;
        EXPECT_NEAR(e.y, 0.0f, 1e-7f) << code;
        EXPECT_NEAR(e.z, 0.0f, 1e-7f) << code;
    }
    const float h = std::sqrt(0.5f);
    EulerAngles e;
    QuaternionToEuler(Quaternion(0.0f, h, 0.0f, h), &e);
    EXPECT_FLOAT_EQ(e.y, 1.5707964f);
    EXPECT_NEAR(e.x, 0.0f, 1e-6f);
    EXPECT_NEAR(e.z, 0.0f, 1e-6f);
}

TEST(EulerConversion, AnglesStayWithinPiAndSurviveGimbalLock)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> component(-1.0f, 1.0f);
    for (int n = 0; n < 500; ++n)
    {
        Quaternion q(component(random), component(random), component(random), component(random));
        const float length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
        q = Quaternion(q.x / length, q.y / length, q.z / length, q.w / length);
        EulerAngles e(0.0f, 0.0f, 0.0f, EulerOrder(static_cast<unsigned>(n) % kEulerOrderCount));
        QuaternionToEuler(q, &e);
        for (float angle : {e.x, e.y, e.z})
        {
            EXPECT_GE(angle, -3.1415927f);
            EXPECT_LE(angle, 3.1415927f);
        }
    }
    // Pitch of exactly 90 degrees: the first angle absorbs the roll and the last is zero.
    const Matrix3 locked(Quaternion(EulerAngles(0.4f, kPi / 2.0f, 0.0f)));
    EulerAngles e;
    MatrixToEuler(locked, &e);
    EXPECT_NEAR(e.y, kPi / 2.0f, 1e-3f);
    EXPECT_FLOAT_EQ(e.z, 0.0f);
    ExpectNear(Matrix3(Quaternion(e)), locked, 1e-3f, "gimbal lock");
}

// Transform's axes are the rotation matrix applied to the base axes; this pins the storage order they read.
TEST(EulerConversion, DefaultOrderMatrixElementsAndAxes)
{
    struct Case { Vector3 degrees; float elements[9]; Vector3 forward, right, up; };
    const Case cases[] = {
        {{0, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {{0, 90, 0}, {0, 0, 1, 0, 1, 0, -1, 0, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {{90, 0, 0}, {1, 0, 0, 0, 0, -1, 0, 1, 0}, {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 90}, {0, -1, 0, 1, 0, 0, 0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        // x first, then y, about the static axes
        {{90, 90, 0}, {0, 1, 0, 0, 0, -1, -1, 0, 0}, {0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
    };
    for (const Case& c : cases)
    {
        const EulerAngles e(DegreesToRadians(c.degrees.x), DegreesToRadians(c.degrees.y),
                            DegreesToRadians(c.degrees.z));
        Quaternion q;
        EulerToQuaternion(e, &q);
        Matrix3 m;
        QuaternionToMatrix3(q, &m);
        const std::string context = std::to_string(c.degrees.x) + "," + std::to_string(c.degrees.y) + "," +
                                    std::to_string(c.degrees.z);
        ExpectNear(m, Matrix3(c.elements), 1e-6f, context);
        EXPECT_EQ(m * Vector3(0, 0, 1), c.forward) << context;
        EXPECT_EQ(m * Vector3(1, 0, 0), c.right) << context;
        EXPECT_EQ(m * Vector3(0, 1, 0), c.up) << context;
    }
}

TEST(EulerConversion, NullOutputsAreReportedAndIgnored)
{
    const std::string report = CapturedAssertions([] {
        QuaternionToMatrix3(Quaternion(), nullptr);
        EulerToQuaternion(EulerAngles(), nullptr);
        MatrixToEuler(Matrix3(), nullptr);
        QuaternionToEuler(Quaternion(), nullptr);
    });
    for (const char* message : {"Math - Null pointer passed for matrix.", "Math - Null pointer passed for quaternion.",
                                "Math - Null pointer passed for Euler angles."})
        EXPECT_NE(report.find(message), std::string::npos) << message;
}
