#pragma once
#include <cstdint>

// Angles are radians everywhere in the math library; components that store degrees convert first.

// One tolerance for every geometric comparison.
inline constexpr float kEpsilon = 1e-6f;
inline constexpr float kPi = 3.1415927f;

// True when |value| is below the tolerance.
bool IsZero(float value);
float DegreesToRadians(float degrees);
float RadiansToDegrees(float radians);
// Steps current toward target by at most maxDelta, never past it.
float MoveTowards(float current, float target, float maxDelta);
// What an element access with a bad index gets after its assertion: a zeroed scratch value, so the
// access never touches memory past the object nor another element.
float& OutOfRangeElement();

struct Vector2
{
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vector2() = default;
    constexpr Vector2(float x_, float y_) : x(x_), y(y_) {}

    Vector2 operator+(const Vector2& other) const { return {x + other.x, y + other.y}; }
    Vector2 operator-(const Vector2& other) const { return {x - other.x, y - other.y}; }
    Vector2 operator-() const { return {-x, -y}; }
    Vector2 operator*(float scalar) const { return {x * scalar, y * scalar}; }
    Vector2 operator/(float scalar) const { return {x / scalar, y / scalar}; }
    Vector2& operator+=(const Vector2& other) { return *this = *this + other; }
    Vector2& operator-=(const Vector2& other) { return *this = *this - other; }
    Vector2& operator*=(float scalar) { return *this = *this * scalar; }
    Vector2& operator/=(float scalar) { return *this = *this / scalar; }
    // Equal when every component differs by less than the tolerance.
    bool operator==(const Vector2& other) const;

    float Dot(const Vector2& other) const { return x * other.x + y * other.y; }
    float Length() const;
    float LengthSquared() const { return Dot(*this); }
    // This vector divided by its length (a zero vector gives NaNs, as the division does).
    Vector2 Normalized() const { return *this / Length(); }
};

struct Vector3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vector3() = default;
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    Vector3 operator+(const Vector3& other) const { return {x + other.x, y + other.y, z + other.z}; }
    Vector3 operator-(const Vector3& other) const { return {x - other.x, y - other.y, z - other.z}; }
    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3 operator*(float scalar) const { return {x * scalar, y * scalar, z * scalar}; }
    Vector3 operator/(float scalar) const { return {x / scalar, y / scalar, z / scalar}; }
    Vector3& operator+=(const Vector3& other) { return *this = *this + other; }
    Vector3& operator-=(const Vector3& other) { return *this = *this - other; }
    Vector3& operator*=(float scalar) { return *this = *this * scalar; }
    Vector3& operator/=(float scalar) { return *this = *this / scalar; }
    // Equal when every component differs by less than the tolerance.
    bool operator==(const Vector3& other) const;
    // Index 0, 1, 2 for x, y, z; anything else reports an assertion and gives zero. Inline: the physics
    // indexes axes in its innermost loops.
    float& operator[](unsigned index) { return index == 0 ? x : index == 1 ? y : index == 2 ? z : BadIndex(); }
    float operator[](unsigned index) const { return const_cast<Vector3&>(*this)[index]; }

    float Dot(const Vector3& other) const { return x * other.x + y * other.y + z * other.z; }
    Vector3 Cross(const Vector3& other) const
    {
        return {y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x};
    }
    // Component-wise product.
    Vector3 Scaled(const Vector3& other) const { return {x * other.x, y * other.y, z * other.z}; }
    float Length() const;
    float LengthSquared() const { return Dot(*this); }
    // This vector divided by its length (a zero vector gives NaNs, as the division does).
    Vector3 Normalized() const { return *this / Length(); }
    // True when every component is below the tolerance.
    bool IsZero() const;
    bool HasNaN() const;
    // No component is NaN or infinite.
    bool IsFinite() const;

private:
    static float& BadIndex();
};

inline Vector3 operator*(float scalar, const Vector3& v) { return v * scalar; }
inline Vector2 operator*(float scalar, const Vector2& v) { return v * scalar; }

// Colours use x, y, z, w as red, green, blue, alpha.
struct Vector4
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    constexpr Vector4() = default;
    constexpr Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr Vector4(const Vector3& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    Vector4 operator+(const Vector4& other) const { return {x + other.x, y + other.y, z + other.z, w + other.w}; }
    Vector4 operator-(const Vector4& other) const { return {x - other.x, y - other.y, z - other.z, w - other.w}; }
    Vector4 operator*(float scalar) const { return {x * scalar, y * scalar, z * scalar, w * scalar}; }
    // Equal when every component differs by less than the tolerance.
    bool operator==(const Vector4& other) const;

    float Dot(const Vector4& other) const { return x * other.x + y * other.y + z * other.z + w * other.w; }
};

// Shoemake's Euler order code (Graphics Gems IV): bit 0 frame (1 rotating), bit 1 repetition,
// bit 2 odd parity, bits 3-4 the inner axis (0 X, 1 Y, 2 Z). Code 0 is static X, Y, Z.
struct EulerOrder
{
    std::uint32_t code = 0;

    constexpr EulerOrder() = default;
    constexpr explicit EulerOrder(std::uint32_t code_) : code(code_) {}
    // Builds a code from its parts: axis 0-2, and the three flags.
    static constexpr EulerOrder Make(unsigned innerAxis, bool oddParity, bool repeated, bool rotatingFrame)
    {
        return EulerOrder((innerAxis << 3) | (oddParity ? 4u : 0u) | (repeated ? 2u : 0u) | (rotatingFrame ? 1u : 0u));
    }

    bool RotatingFrame() const { return (code & 1u) != 0; }
    bool Repeated() const { return (code & 2u) != 0; }
    bool OddParity() const { return (code & 4u) != 0; }
    // The axes i, j, k the code names, as 0 (x), 1 (y), 2 (z).
    unsigned I() const;
    unsigned J() const;
    unsigned K() const;
};

// Every one of the 24 valid order codes, for callers that walk them all.
inline constexpr unsigned kEulerOrderCount = 24;

struct EulerAngles
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    EulerOrder order;

    constexpr EulerAngles() = default;
    constexpr EulerAngles(float x_, float y_, float z_, const EulerOrder& order_ = EulerOrder())
        : x(x_), y(y_), z(z_), order(order_)
    {
    }
};

struct Quaternion
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    constexpr Quaternion() = default;
    constexpr Quaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    explicit Quaternion(const EulerAngles& angles);
};

class Matrix3;

// Conversions between rotation forms; each reports a null output through the assertion and does nothing.
void QuaternionToMatrix3(const Quaternion& q, Matrix3* out);
void EulerToQuaternion(const EulerAngles& angles, Quaternion* out);
// Reads out->order, writes out's angles, each wrapped into [-pi, pi].
void MatrixToEuler(const Matrix3& m, EulerAngles* out);
void QuaternionToEuler(const Quaternion& q, EulerAngles* out);
