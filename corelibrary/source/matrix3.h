#pragma once
#include "TorvaneMath.h"

// 3x3 float matrix, row-major: row r, column c at m[3 * r + c]. Acts on column vectors (p -> M p).
class Matrix3
{
public:
    float m[9] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    // Identity.
    Matrix3() = default;
    explicit Matrix3(const float (&elements)[9]);
    // Rotation matrix of a unit quaternion.
    explicit Matrix3(const Quaternion& q);

    // Element at row, column; out of range reports "Matrix3 - Index out of range." and gives zero.
    float operator()(unsigned row, unsigned column) const;
    // Writable element; out of range reports the same and gives a scratch element, never memory past the array.
    float& operator()(unsigned row, unsigned column);

    Matrix3 operator*(const Matrix3& other) const;
    Vector3 operator*(const Vector3& v) const;
    bool operator==(const Matrix3& other) const;
};
