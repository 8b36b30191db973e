#include "matrix4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{
std::string CapturedAssertions(auto&& action)
{
    testing::internal::CaptureStderr();
    action();
    return testing::internal::GetCapturedStderr();
}

// Expected elements by storage index; every other element must be zero.
void ExpectElements(const Matrix4& m, std::initializer_list<std::pair<int, float>> nonZero)
{
    float expected[16] = {};
    for (auto [index, value] : nonZero)
        expected[index] = value;
    for (int n = 0; n < 16; ++n)
        EXPECT_NEAR(m.m[n], expected[n], 1e-6f) << "element " << n;
}

Matrix4 SampleTRS(const Vector3& position, const EulerAngles& rotation, const Vector3& scale)
{
    return Matrix4::ComposeTRS(position, Matrix3(Quaternion(rotation)), scale);
}
} // namespace

TEST(Matrix3, IndexesRowMajorAndRejectsOutOfRange)
{
    Matrix3 m({1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_FLOAT_EQ(m(0, 2), 3.0f);
    EXPECT_FLOAT_EQ(m(2, 0), 7.0f);
    EXPECT_EQ(m * Vector3(1, 0, 0), Vector3(1, 4, 7));

    const Matrix3 before = m;
    const std::string report = CapturedAssertions([&] {
        EXPECT_FLOAT_EQ(m(3, 0), 0.0f);
        EXPECT_FLOAT_EQ(std::as_const(m)(0, 7), 0.0f);
        m(5, 5) = 42.0f; // lands in scratch, not past the array
        EXPECT_FLOAT_EQ(m(9, 0), 0.0f);
    });
    EXPECT_NE(report.find("Matrix3 - Index out of range."), std::string::npos);
    EXPECT_TRUE(m == before);
}

TEST(Matrix4, IndexesColumnMajorAndMultiplies)
{
    Matrix4 a;
    a(0, 3) = 5.0f;
    EXPECT_FLOAT_EQ(a.m[12], 5.0f);
    const std::string report = CapturedAssertions([&] { EXPECT_FLOAT_EQ(a(4, 0), 0.0f); });
    EXPECT_NE(report.find("Matrix4 - Index out of range."), std::string::npos);
    const Vector4 moved = a * Vector4(1, 2, 3, 1);
    EXPECT_TRUE(moved == Vector4(6, 2, 3, 1));

    // Order matters: translate after scaling is not scale after translating.
    Matrix4 scale;
    scale(0, 0) = 2.0f;
    EXPECT_FLOAT_EQ((a * scale).m[12], 5.0f);
    EXPECT_FLOAT_EQ((scale * a).m[12], 10.0f);
}

TEST(Matrix4, ComposeTRSPlacesScaleRotationAndTranslation)
{
    const Matrix4 m = Matrix4::ComposeTRS({1, 2, 3}, Matrix3(), {2, 2, 2});
    ExpectElements(m, {{0, 2}, {5, 2}, {10, 2}, {12, 1}, {13, 2}, {14, 3}, {15, 1}});

    // Each rotation column carries its own axis's scale.
    const Matrix3 quarterY({0, 0, 1, 0, 1, 0, -1, 0, 0});
    const Matrix4 r = Matrix4::ComposeTRS({}, quarterY, {1, 2, 3});
    ExpectElements(r, {{2, -1}, {5, 2}, {8, 3}, {15, 1}});
}

TEST(Matrix4, DecomposeReturnsWhatComposeTRSPutIn)
{
    struct Case { Vector3 position; EulerAngles rotation; Vector3 scale; };
    const Case cases[] = {
        {{1, 2, 3}, {0, 0, 0}, {2, 2, 2}},
        {{-4, 0.5f, 9}, {0.3f, -1.2f, 2.0f}, {1, 3, 0.25f}},
        {{0, 0, 0}, {1.5f, 0.1f, -0.4f}, {0.5f, 0.5f, 7}},
    };
    for (const Case& c : cases)
    {
        Vector3 scale, shear(9, 9, 9), translation;
        Matrix3 rotation;
        SampleTRS(c.position, c.rotation, c.scale).Decompose(&scale, &shear, &rotation, &translation);
        EXPECT_EQ(translation, c.position);
        EXPECT_NEAR(scale.x, c.scale.x, 1e-5f);
        EXPECT_NEAR(scale.y, c.scale.y, 1e-5f);
        EXPECT_NEAR(scale.z, c.scale.z, 1e-5f);
        EXPECT_NEAR(shear.Length(), 0.0f, 1e-5f);
        const Matrix3 expected(Quaternion(c.rotation));
        for (int n = 0; n < 9; ++n)
            EXPECT_NEAR(rotation.m[n], expected.m[n], 1e-5f) << n;
    }
}

TEST(Matrix4, DecomposeFlipsAMirrorIntoNegativeScale)
{
    Vector3 scale, shear, translation;
    Matrix3 rotation;
    const Matrix4 mirror = Matrix4::ComposeTRS({1, 2, 3}, Matrix3(), {-2, 1, 1});
    mirror.Decompose(&scale, &shear, &rotation, &translation);
    EXPECT_EQ(scale, Vector3(-2, -1, -1));
    EXPECT_TRUE(rotation == Matrix3({1, 0, 0, 0, -1, 0, 0, 0, -1})); // half a turn about x
    EXPECT_TRUE(Matrix4::ComposeTRS(translation, rotation, scale) == mirror);
}

TEST(Matrix4, DecomposeOfAShearedMatrixKeepsAProperRotation)
{
    // x picks up half of y, then the whole is turned and scaled.
    Matrix4 shearOnly;
    shearOnly(0, 1) = 0.5f;
    const Matrix4 turned = AxisAngleToMatrix4(0.8f, {1, 1, 0}) * Matrix4::ComposeTRS({}, Matrix3(), {3, 2, 1});
    const Matrix4 m = turned * shearOnly;

    Vector3 scale, shear, translation;
    Matrix3 rotation;
    m.Decompose(&scale, &shear, &rotation, &translation);
    EXPECT_EQ(scale, Vector3(3, 2, 1));
    EXPECT_EQ(shear, Vector3(0, 0, 0.5f * 3 / 2)); // xy shear measured in the scaled frame
    Matrix3 transposed;
    for (unsigned r = 0; r < 3; ++r)
        for (unsigned c = 0; c < 3; ++c)
            transposed(r, c) = rotation(c, r);
    EXPECT_TRUE(transposed * rotation == Matrix3());
    const Matrix4 expectedRotation = AxisAngleToMatrix4(0.8f, {1, 1, 0});
    for (unsigned r = 0; r < 3; ++r)
        for (unsigned c = 0; c < 3; ++c)
            EXPECT_NEAR(rotation(r, c), expectedRotation(r, c), 1e-5f);
}

TEST(Matrix4, DecomposeOfAZeroScaleStaysFinite)
{
    Vector3 scale, shear, translation;
    Matrix3 rotation;
    Matrix4::ComposeTRS({1, 2, 3}, Matrix3(), {0, 2, 0}).Decompose(&scale, &shear, &rotation, &translation);
    EXPECT_EQ(scale, Vector3(0, 2, 0));
    EXPECT_EQ(translation, Vector3(1, 2, 3));
    EXPECT_FALSE(shear.HasNaN());
    for (float element : rotation.m)
        EXPECT_FALSE(std::isnan(element));
}

TEST(Matrix4, DecomposeReportsEveryMissingOutputAndWritesNothing)
{
    Vector3 scale(7, 7, 7);
    const std::string report =
        CapturedAssertions([&] { Matrix4().Decompose(&scale, nullptr, nullptr, nullptr); });
    const char* messages[] = {"Matrix4 - Null pointer passed for shear.", "Matrix4 - Null pointer passed for rotation.",
                              "Matrix4 - Null pointer passed for translation."};
    size_t last = 0;
    for (const char* message : messages)
    {
        const size_t at = report.find(message);
        ASSERT_NE(at, std::string::npos) << message;
        EXPECT_GT(at, last);
        last = at;
    }
    EXPECT_EQ(report.find("scale."), std::string::npos);
    EXPECT_EQ(scale, Vector3(7, 7, 7));
}

TEST(Matrix4, InverseAndDeterminant)
{
    const Matrix4 m = SampleTRS({3, -1, 2}, {0.4f, 0.9f, -0.2f}, {2, 0.5f, 4});
    EXPECT_NEAR(m.Determinant(), 4.0f, 1e-5f);
    EXPECT_TRUE(m * m.Inverse() == Matrix4());
    EXPECT_TRUE(m.Inverse() * m == Matrix4());

    const float singular[16] = {1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_FLOAT_EQ(Matrix4(singular).Determinant(), 0.0f);
    Matrix4 inverse;
    const std::string report = CapturedAssertions([&] { inverse = Matrix4(singular).Inverse(); });
    EXPECT_NE(report.find("Matrix4 - Uninvertible matrix."), std::string::npos);
    EXPECT_TRUE(inverse == Matrix4());
}

TEST(Matrix4, AxisAngleMatchesTheQuaternionRotation)
{
    struct Case { float angle; Vector3 axis; EulerAngles same; };
    const Case cases[] = {
        {0.7f, {1, 0, 0}, {0.7f, 0, 0}},
        {-1.1f, {0, 3, 0}, {0, -1.1f, 0}}, // the axis need not be unit length
        {2.0f, {0, 0, 0.5f}, {0, 0, 2.0f}},
    };
    for (const Case& c : cases)
    {
        const Matrix4 a = AxisAngleToMatrix4(c.angle, c.axis);
        const Matrix4 b = Matrix4::ComposeTRS({}, Matrix3(Quaternion(c.same)), {1, 1, 1});
        EXPECT_TRUE(a == b) << c.angle;
    }
    // Right-handed: a quarter turn about y takes +z to +x.
    const Vector4 turned = AxisAngleToMatrix4(kPi / 2.0f, {0, 1, 0}) * Vector4(0, 0, 1, 0);
    EXPECT_TRUE(turned == Vector4(1, 0, 0, 0));
}

TEST(Projection, PerspectiveKeepsOneInElementFifteen)
{
    ExpectElements(Perspective(90, 1, 1, 3), {{0, 1}, {5, 1}, {10, -2}, {11, -1}, {14, -3}, {15, 1}});
    const Matrix4 wide = Perspective(60, 2, 0.1f, 100);
    const float top = std::tan(kPi / 6.0f) * 0.1f;
    EXPECT_NEAR(wide.m[0], 0.1f / (top * 2.0f), 1e-4f);
    EXPECT_NEAR(wide.m[5], 0.1f / top, 1e-4f);
}

TEST(Projection, OrthographicElements)
{
    ExpectElements(Orthographic(0, 1280, 0, 800, -1, 1),
                   {{0, 2.0f / 1280}, {5, 2.0f / 800}, {10, -1}, {12, -1}, {13, -1}, {15, 1}});
    ExpectElements(Orthographic(-2, 2, -1, 1, 1, 5), {{0, 0.5f}, {5, 1}, {10, -0.5f}, {14, -1.5f}, {15, 1}});
}

TEST(Projection, LookAtBuildsTheViewBasis)
{
    // From +z toward the origin the view is the identity shifted back along z.
    ExpectElements(LookAt({0, 0, 5}, {0, 0, 0}), {{0, 1}, {5, 1}, {10, 1}, {14, -5}, {15, 1}});

    const Vector3 eye(3, 2, -4), target(-1, 0.5f, 2);
    const Matrix4 view = LookAt(eye, target);
    // The eye lands at the origin and the target straight ahead on -z.
    EXPECT_TRUE(view * Vector4(eye, 1) == Vector4(0, 0, 0, 1));
    const Vector4 ahead = view * Vector4(target, 1);
    EXPECT_NEAR(ahead.x, 0.0f, 1e-5f);
    EXPECT_NEAR(ahead.y, 0.0f, 1e-5f);
    EXPECT_NEAR(ahead.z, -(target - eye).Length(), 1e-5f);
    // Looking along -x, the view's right is world -z and its back is world +x.
    ExpectElements(LookAt({0, 0, 0}, {-1, 0, 0}), {{0, 0}, {8, -1}, {5, 1}, {2, 1}, {15, 1}});

    // Straight down and nowhere at all still give finite views.
    ExpectElements(LookAt({0, 5, 0}, {0, 0, 0}), {{0, 1}, {6, 1}, {9, -1}, {14, -5}, {15, 1}});
    ExpectElements(LookAt({1, 2, 3}, {1, 2, 3}), {{0, 1}, {5, 1}, {10, 1}, {12, -1}, {13, -2}, {14, -3}, {15, 1}});
}
