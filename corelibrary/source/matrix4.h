#pragma once
#include "matrix3.h"

// 4x4 float matrix, column-major as OpenGL takes it: row r, column c at m[4 * c + r];
// the translation stands at m[12], m[13], m[14].
class Matrix4
{
public:
    float m[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                   0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    // Identity.
    Matrix4() = default;
    explicit Matrix4(const float (&elements)[16]);

    // Row, column; out of range reports "Matrix4 - Index out of range." and gives zero.
    float operator()(unsigned row, unsigned column) const;
    float& operator()(unsigned row, unsigned column);

    Matrix4 operator*(const Matrix4& other) const;
    Vector4 operator*(const Vector4& v) const;
    bool operator==(const Matrix4& other) const;

    // Translation x rotation x scale.
    static Matrix4 ComposeTRS(const Vector3& position, const Matrix3& rotation, const Vector3& scale);

    float Determinant() const;
    // Adjugate over determinant; a zero determinant reports "Matrix4 - Uninvertible matrix." and gives identity.
    Matrix4 Inverse() const;
    // Splits into scale, shear (xy in z, xz in y, yz in x), rotation and translation. Every output must be
    // given; a null one is reported and nothing is written.
    void Decompose(Vector3* scale, Vector3* shear, Matrix3* rotation, Vector3* translation) const;
};

// Right-handed rotation by angle (radians) about the normalised axis.
Matrix4 AxisAngleToMatrix4(float angle, const Vector3& axis);
// fovY in degrees. Element 15 is 1, not OpenGL's usual 0, so clip w = 1 - z_eye.
Matrix4 Perspective(float fovY, float aspect, float nearPlane, float farPlane);
Matrix4 Orthographic(float left, float right, float bottom, float top, float nearPlane, float farPlane);
// View matrix looking from eye at target with world up (0, 1, 0). Looking straight up or down keeps +x as
// the view's right; eye equal to target looks down -z.
Matrix4 LookAt(const Vector3& eye, const Vector3& target);
