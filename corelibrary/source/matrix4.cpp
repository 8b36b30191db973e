#include "matrix4.h"

#include "assertion.h"

#include <algorithm>
#include <cmath>

namespace
{
// Determinant of the 3x3 minor left when row and column are struck out.
float Minor(const Matrix4& a, unsigned row, unsigned column)
{
    float e[9];
    unsigned n = 0;
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 4; ++c)
            if (r != row && c != column)
                e[n++] = a(r, c);
    return e[0] * (e[4] * e[8] - e[5] * e[7]) - e[1] * (e[3] * e[8] - e[5] * e[6]) +
           e[2] * (e[3] * e[7] - e[4] * e[6]);
}

float Cofactor(const Matrix4& a, unsigned row, unsigned column)
{
    return ((row + column) % 2 == 0 ? 1.0f : -1.0f) * Minor(a, row, column);
}

Vector3 Column(const Matrix4& a, unsigned column)
{
    return {a(0, column), a(1, column), a(2, column)};
}

// A zero-scaled axis has no direction to recover; dividing by its zero length would spread NaNs.
float SafeDivide(float value, float length)
{
    return length == 0.0f ? value : value / length;
}

Vector3 SafeDivide(const Vector3& v, float length)
{
    return length == 0.0f ? v : v / length;
}
} // namespace

Matrix4::Matrix4(const float (&elements)[16])
{
    std::copy(elements, elements + 16, m);
}

float Matrix4::operator()(unsigned row, unsigned column) const
{
    return const_cast<Matrix4&>(*this)(row, column);
}

float& Matrix4::operator()(unsigned row, unsigned column)
{
    if (!Check(row <= 3 && column <= 3, "Matrix4 - Index out of range."))
        return OutOfRangeElement();
    return m[4 * column + row];
}

Matrix4 Matrix4::operator*(const Matrix4& other) const
{
    Matrix4 product;
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 4; ++c)
        {
            float sum = 0.0f;
            for (unsigned k = 0; k < 4; ++k)
                sum += m[4 * k + r] * other.m[4 * c + k];
            product.m[4 * c + r] = sum;
        }
    return product;
}

Vector4 Matrix4::operator*(const Vector4& v) const
{
    const float in[4] = {v.x, v.y, v.z, v.w};
    float out[4] = {};
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned k = 0; k < 4; ++k)
            out[r] += m[4 * k + r] * in[k];
    return {out[0], out[1], out[2], out[3]};
}

bool Matrix4::operator==(const Matrix4& other) const
{
    return std::equal(m, m + 16, other.m, [](float a, float b) { return IsZero(a - b); });
}

Matrix4 Matrix4::ComposeTRS(const Vector3& position, const Matrix3& rotation, const Vector3& scale)
{
    Matrix4 result;
    const float factors[3] = {scale.x, scale.y, scale.z};
    for (unsigned c = 0; c < 3; ++c)
        for (unsigned r = 0; r < 3; ++r)
            result(r, c) = rotation(r, c) * factors[c];
    result.m[12] = position.x;
    result.m[13] = position.y;
    result.m[14] = position.z;
    return result;
}

float Matrix4::Determinant() const
{
    float determinant = 0.0f;
    for (unsigned c = 0; c < 4; ++c)
        determinant += (*this)(0, c) * Cofactor(*this, 0, c);
    return determinant;
}

Matrix4 Matrix4::Inverse() const
{
    const float determinant = Determinant();
    if (!Check(determinant != 0.0f, "Matrix4 - Uninvertible matrix."))
        return Matrix4();
    Matrix4 inverse;
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 4; ++c)
            inverse(r, c) = Cofactor(*this, c, r) / determinant;
    return inverse;
}

void Matrix4::Decompose(Vector3* scale, Vector3* shear, Matrix3* rotation, Vector3* translation) const
{
    ASSERT(scale != nullptr, "Matrix4 - Null pointer passed for scale.");
    ASSERT(shear != nullptr, "Matrix4 - Null pointer passed for shear.");
    ASSERT(rotation != nullptr, "Matrix4 - Null pointer passed for rotation.");
    ASSERT(translation != nullptr, "Matrix4 - Null pointer passed for translation.");
    if (!scale || !shear || !rotation || !translation)
        return;

    *translation = {m[12], m[13], m[14]};
    Vector3 c0 = Column(*this, 0), c1 = Column(*this, 1), c2 = Column(*this, 2);

    scale->x = c0.Length();
    c0 = SafeDivide(c0, scale->x);

    shear->z = c0.Dot(c1);
    c1 -= c0 * shear->z;
    // Lengths are taken after the shear is removed, so a sheared matrix still yields a true rotation.
    scale->y = c1.Length();
    c1 = SafeDivide(c1, scale->y);
    shear->z = SafeDivide(shear->z, scale->y);

    shear->y = c0.Dot(c2);
    shear->x = c1.Dot(c2);
    c2 -= c0 * shear->y;
    c2 -= c1 * shear->x;
    scale->z = c2.Length();
    c2 = SafeDivide(c2, scale->z);
    shear->y = SafeDivide(shear->y, scale->z);
    shear->x = SafeDivide(shear->x, scale->z);

    if (c0.Dot(c1.Cross(c2)) < 0.0f)
    {
        c0 = -c0;
        c1 = -c1;
        c2 = -c2;
        *scale = -*scale;
    }
    const Vector3 columns[3] = {c0, c1, c2};
    for (unsigned c = 0; c < 3; ++c)
        for (unsigned r = 0; r < 3; ++r)
            (*rotation)(r, c) = columns[c][r];
}

Matrix4 AxisAngleToMatrix4(float angle, const Vector3& axis)
{
    const Vector3 a = axis.Normalized();
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    const float elements[16] = {
        t * a.x * a.x + c,       t * a.x * a.y + s * a.z, t * a.x * a.z - s * a.y, 0.0f,
        t * a.x * a.y - s * a.z, t * a.y * a.y + c,       t * a.y * a.z + s * a.x, 0.0f,
        t * a.x * a.z + s * a.y, t * a.y * a.z - s * a.x, t * a.z * a.z + c,       0.0f,
        0.0f,                    0.0f,                    0.0f,                    1.0f,
    };
    return Matrix4(elements);
}

Matrix4 Perspective(float fovY, float aspect, float nearPlane, float farPlane)
{
    const float top = std::tan(fovY * kPi / 180.0f * 0.5f) * nearPlane;
    const float right = top * aspect;
    const float depth = farPlane - nearPlane;
    const float elements[16] = {
        nearPlane / right, 0.0f, 0.0f, 0.0f,
        0.0f, nearPlane / top, 0.0f, 0.0f,
        0.0f, 0.0f, -(farPlane + nearPlane) / depth, -1.0f,
        0.0f, 0.0f, -2.0f * farPlane * nearPlane / depth, 1.0f,
    };
    return Matrix4(elements);
}

Matrix4 Orthographic(float left, float right, float bottom, float top, float nearPlane, float farPlane)
{
    const float elements[16] = {
        2.0f / (right - left), 0.0f, 0.0f, 0.0f,
        0.0f, 2.0f / (top - bottom), 0.0f, 0.0f,
        0.0f, 0.0f, -2.0f / (farPlane - nearPlane), 0.0f,
        -(right + left) / (right - left), -(top + bottom) / (top - bottom),
        -(farPlane + nearPlane) / (farPlane - nearPlane), 1.0f,
    };
    return Matrix4(elements);
}

Matrix4 LookAt(const Vector3& eye, const Vector3& target)
{
    // Degenerate views still give a usable basis: no direction looks down -z, straight up or down keeps +x as side.
    const Vector3 towards = target - eye;
    const Vector3 forward = towards.IsZero() ? Vector3(0.0f, 0.0f, -1.0f) : towards.Normalized();
    const Vector3 across = forward.Cross(Vector3(0.0f, 1.0f, 0.0f));
    const Vector3 side = across.IsZero() ? Vector3(1.0f, 0.0f, 0.0f) : across.Normalized();
    const Vector3 up = side.Cross(forward);
    const float elements[16] = {
        side.x, up.x, -forward.x, 0.0f,
        side.y, up.y, -forward.y, 0.0f,
        side.z, up.z, -forward.z, 0.0f,
        -side.Dot(eye), -up.Dot(eye), forward.Dot(eye), 1.0f,
    };
    return Matrix4(elements);
}
