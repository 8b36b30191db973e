#include "TorvaneMath.h"

#include "assertion.h"
#include "matrix3.h"

#include <cmath>
#include <utility>

bool IsZero(float value)
{
    return std::fabs(value) < kEpsilon;
}

float DegreesToRadians(float degrees)
{
    return degrees / 180.0f * kPi;
}

float RadiansToDegrees(float radians)
{
    return radians * 180.0f / kPi;
}

float MoveTowards(float current, float target, float maxDelta)
{
    if (IsZero(current - target))
        return current;
    if (std::fabs(target - current) <= maxDelta)
        return target;
    return current + (target > current ? maxDelta : -maxDelta);
}

float& OutOfRangeElement()
{
    thread_local float scratch = 0.0f;
    return scratch = 0.0f;
}

bool Vector2::operator==(const Vector2& other) const
{
    return IsZero(x - other.x) && IsZero(y - other.y);
}

float Vector2::Length() const
{
    return std::sqrt(LengthSquared());
}

bool Vector3::operator==(const Vector3& other) const
{
    return (*this - other).IsZero();
}

float& Vector3::BadIndex()
{
    ASSERT(false, "Vector3 - Index out of range.");
    return OutOfRangeElement();
}

float Vector3::Length() const
{
    return std::sqrt(LengthSquared());
}

bool Vector3::IsZero() const
{
    return ::IsZero(x) && ::IsZero(y) && ::IsZero(z);
}

bool Vector3::HasNaN() const
{
    return std::isnan(x) || std::isnan(y) || std::isnan(z);
}

bool Vector3::IsFinite() const
{
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

bool Vector4::operator==(const Vector4& other) const
{
    return IsZero(x - other.x) && IsZero(y - other.y) && IsZero(z - other.z) && IsZero(w - other.w);
}

namespace
{
constexpr unsigned kSafe[4] = {0, 1, 2, 0};
constexpr unsigned kNext[4] = {1, 2, 0, 1};
// Above sixteen float epsilons the middle angle is far enough from its singularity.
constexpr float kGimbalLimit = 1.9073486e-6f;

float WrapAngle(float angle)
{
    while (angle < -kPi)
        angle += 2.0f * kPi;
    while (angle > kPi)
        angle -= 2.0f * kPi;
    return angle;
}
} // namespace

unsigned EulerOrder::I() const
{
    return kSafe[(code >> 3) & 3u];
}

unsigned EulerOrder::J() const
{
    return kNext[I() + (OddParity() ? 1u : 0u)];
}

unsigned EulerOrder::K() const
{
    return kNext[I() + 1u - (OddParity() ? 1u : 0u)];
}

Quaternion::Quaternion(const EulerAngles& angles)
{
    EulerToQuaternion(angles, this);
}

void QuaternionToMatrix3(const Quaternion& q, Matrix3* out)
{
    if (!Check(out != nullptr, "Math - Null pointer passed for matrix."))
        return;
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    const float elements[9] = {
        1.0f - 2.0f * (y * y + z * z), 2.0f * (x * y - w * z),        2.0f * (x * z + w * y),
        2.0f * (x * y + w * z),        1.0f - 2.0f * (x * x + z * z), 2.0f * (y * z - w * x),
        2.0f * (x * z - w * y),        2.0f * (y * z + w * x),        1.0f - 2.0f * (x * x + y * y),
    };
    *out = Matrix3(elements);
}

void EulerToQuaternion(const EulerAngles& angles, Quaternion* out)
{
    if (!Check(out != nullptr, "Math - Null pointer passed for quaternion."))
        return;
    const EulerOrder order = angles.order;
    float x = angles.x, y = angles.y, z = angles.z;
    if (order.RotatingFrame())
        std::swap(x, z);
    if (order.OddParity())
        y = -y;
    const float ci = std::cos(x * 0.5f), si = std::sin(x * 0.5f);
    const float cj = std::cos(y * 0.5f), sj = std::sin(y * 0.5f);
    const float ch = std::cos(z * 0.5f), sh = std::sin(z * 0.5f);
    const float cc = ci * ch, cs = ci * sh, sc = si * ch, ss = si * sh;

    float a[3];
    float w;
    const unsigned i = order.I(), j = order.J(), k = order.K();
    if (order.Repeated())
    {
        a[i] = cj * (cs + sc);
        a[j] = sj * (cc + ss);
        a[k] = sj * (cs - sc);
        w = cj * (cc - ss);
    }
    else
    {
        a[i] = cj * sc - sj * cs;
        a[j] = cj * ss + sj * cc;
        a[k] = cj * cs - sj * sc;
        w = cj * cc + sj * ss;
    }
    if (order.OddParity())
        a[j] = -a[j];
    *out = Quaternion(a[0], a[1], a[2], w);
}

void MatrixToEuler(const Matrix3& m, EulerAngles* out)
{
    if (!Check(out != nullptr, "Math - Null pointer passed for Euler angles."))
        return;
    const EulerOrder order = out->order;
    const unsigned i = order.I(), j = order.J(), k = order.K();
    float x, y, z;
    if (order.Repeated())
    {
        const float sy = std::sqrt(m(i, j) * m(i, j) + m(i, k) * m(i, k));
        const bool regular = sy > kGimbalLimit;
        x = regular ? std::atan2(m(i, j), m(i, k)) : std::atan2(-m(j, k), m(j, j));
        y = std::atan2(sy, m(i, i));
        z = regular ? std::atan2(m(j, i), -m(k, i)) : 0.0f;
    }
    else
    {
        const float cy = std::sqrt(m(i, i) * m(i, i) + m(j, i) * m(j, i));
        const bool regular = cy > kGimbalLimit;
        x = regular ? std::atan2(m(k, j), m(k, k)) : std::atan2(-m(j, k), m(j, j));
        y = std::atan2(-m(k, i), cy);
        z = regular ? std::atan2(m(j, i), m(i, i)) : 0.0f;
    }
    if (order.OddParity())
    {
        x = -x;
        y = -y;
        z = -z;
    }
    x = WrapAngle(x);
    y = WrapAngle(y);
    z = WrapAngle(z);
    if (order.RotatingFrame())
        std::swap(x, z);
    out->x = x;
    out->y = y;
    out->z = z;
}

void QuaternionToEuler(const Quaternion& q, EulerAngles* out)
{
    if (!Check(out != nullptr, "Math - Null pointer passed for Euler angles."))
        return;
    Matrix3 m;
    QuaternionToMatrix3(q, &m);
    MatrixToEuler(m, out);
}
