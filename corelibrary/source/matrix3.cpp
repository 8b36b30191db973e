#include "matrix3.h"

#include "assertion.h"

#include <algorithm>

Matrix3::Matrix3(const float (&elements)[9])
{
    std::copy(elements, elements + 9, m);
}

Matrix3::Matrix3(const Quaternion& q)
{
    QuaternionToMatrix3(q, this);
}

float Matrix3::operator()(unsigned row, unsigned column) const
{
    return const_cast<Matrix3&>(*this)(row, column);
}

float& Matrix3::operator()(unsigned row, unsigned column)
{
    ASSERT(row <= 2, "Matrix3 - Index out of range.");
    ASSERT(column <= 2, "Matrix3 - Index out of range.");
    if (row > 2 || column > 2)
        return OutOfRangeElement();
    return m[3 * row + column];
}

Matrix3 Matrix3::operator*(const Matrix3& other) const
{
    Matrix3 product;
    for (unsigned r = 0; r < 3; ++r)
        for (unsigned c = 0; c < 3; ++c)
            product.m[3 * r + c] = m[3 * r] * other.m[c] + m[3 * r + 1] * other.m[3 + c] + m[3 * r + 2] * other.m[6 + c];
    return product;
}

Vector3 Matrix3::operator*(const Vector3& v) const
{
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
            m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

bool Matrix3::operator==(const Matrix3& other) const
{
    return std::equal(m, m + 9, other.m, [](float a, float b) { return IsZero(a - b); });
}
