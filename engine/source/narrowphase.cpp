#include "narrowphase.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace
{
constexpr float kLargest = std::numeric_limits<float>::max();
constexpr Vector3 kUp{0.0f, 1.0f, 0.0f};
constexpr Vector3 kWorldAxes[3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};

// Between lo and hi; never undefined when a file gives a box negative extents.
float Clamp(float value, float lo, float hi)
{
    return std::min(std::max(value, lo), hi);
}

// The unit direction of v, or fallback when v is zero.
Vector3 DirectionOr(const Vector3& v, const Vector3& fallback)
{
    return v.IsZero() ? fallback : v.Normalized();
}

Vector3 MinCorner(const AabbShape& box)
{
    return box.centre - box.halfExtents;
}

Vector3 MaxCorner(const AabbShape& box)
{
    return box.centre + box.halfExtents;
}

// The box corner with the maximum on each axis whose bit (x 1, y 2, z 4) is set and the minimum on the others.
Vector3 Corner(const AabbShape& box, unsigned bits)
{
    const Vector3 min = MinCorner(box);
    const Vector3 max = MaxCorner(box);
    Vector3 corner;
    for (unsigned axis = 0; axis < 3; ++axis)
        corner[axis] = (bits >> axis & 1u) ? max[axis] : min[axis];
    return corner;
}

HitInfo HitAt(const Vector3& origin, const Vector3& point)
{
    return {(point - origin).Length(), nullptr, point};
}

bool IsHit(const HitInfo& hit)
{
    return hit.distance >= 0.0f;
}

// What a test answers when the shapes touch: a contact whose numbers are not all finite is no contact, since
// the impulse and the push made from it would hand the fault on to both bodies.
bool Touching(const CollisionData& contact)
{
    return contact.normal.IsFinite() && std::isfinite(contact.penetration) && std::isfinite(contact.timeOfImpact) &&
           contact.relativeMotion.IsFinite();
}

// First time in [0, 1] at which origin + motion × t lies at distance radius from centre, when it starts
// farther away.
bool SweepPointSphere(const Vector3& origin, const Vector3& motion, const Vector3& centre, float radius, float& t)
{
    const Vector3 m = origin - centre;
    const float a = motion.Dot(motion);
    const float b = m.Dot(motion);
    const float c = m.Dot(m) - radius * radius;
    const float disc = b * b - a * c;
    if (IsZero(a) || disc < 0.0f)
        return false;
    t = (-b - std::sqrt(disc)) / a;
    return t >= 0.0f && t <= 1.0f;
}

// The same against the upright capsule of the given radius around the segment lower .. upper: the earliest of
// its side and its two end spheres.
bool SweepPointCapsule(const Vector3& origin, const Vector3& motion, const Vector3& upper, const Vector3& lower,
                       float radius, float& t)
{
    float best = kLargest;
    const Vector3 flatOffset(origin.x - upper.x, 0.0f, origin.z - upper.z);
    const Vector3 flatMotion(motion.x, 0.0f, motion.z);
    float side = 0.0f;
    if (SweepPointSphere(flatOffset, flatMotion, Vector3(), radius, side))
    {
        const float y = origin.y + motion.y * side;
        if (y >= lower.y && y <= upper.y)
            best = side;
    }
    for (const Vector3& end : {upper, lower})
    {
        float cap = 0.0f;
        if (SweepPointSphere(origin, motion, end, radius, cap))
            best = std::min(best, cap);
    }
    t = best;
    return best != kLargest;
}

// RayCapsule along the whole motion from start; a hit counts within the step.
bool SweepAgainstEdge(const Vector3& start, const Vector3& motion, const Vector3& p, const Vector3& q, float radius,
                      float& t)
{
    return IsHit(RayCapsule(start, motion, 1.0f, p, q, radius, t)) && t >= 0.0f && t <= 1.0f;
}

// How the sphere and the capsule sweeps into a box differ.
struct BoxSweep
{
    Vector3 growth;      // added to the box's half extents
    float startTmin;     // where the entry test starts
    bool inclusiveFaces; // a hit point on a face plane counts as outside it
    bool facePenetration;
};

// A shape of the radius, centred at start and moving by v relative to the box, against the box: its entry
// point into the grown box tells a face, an edge or a corner of the box.
bool SweepIntoBox(const AabbShape& box, const Vector3& start, float radius, const Vector3& v, const BoxSweep& how,
                  CollisionData& contact)
{
    float t = how.startTmin;
    const HitInfo entry = RayAabb(start, v, {box.centre, box.halfExtents + how.growth}, t);
    if (!IsHit(entry) || t < 0.0f || t > 1.0f)
        return false;

    const Vector3 min = MinCorner(box);
    const Vector3 max = MaxCorner(box);
    unsigned below = 0;
    unsigned above = 0;
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        const float at = entry.point[axis];
        if (how.inclusiveFaces ? at <= min[axis] : at < min[axis])
        {
            below |= 1u << axis;
            contact.normal -= kWorldAxes[axis];
        }
        if (how.inclusiveFaces ? at >= max[axis] : at > max[axis])
        {
            above |= 1u << axis;
            contact.normal += kWorldAxes[axis];
        }
    }
    const unsigned outside = below | above;
    if (std::popcount(outside) == 1)
    {
        contact.timeOfImpact = t;
        if (how.facePenetration)
            contact.penetration = std::fabs(t * v.Dot(contact.normal));
        return Touching(contact);
    }
    if (outside == 7u)
    {
        // A corner: the first of its three edges that the shape meets.
        const Vector3 corner = Corner(box, above);
        float first = kLargest;
        Vector3 edgeEnd;
        for (unsigned axis = 0; axis < 3; ++axis)
        {
            const Vector3 end = Corner(box, above ^ (1u << axis));
            float edgeT = 0.0f;
            if (SweepAgainstEdge(start, v, corner, end, radius, edgeT) && edgeT < first)
            {
                first = edgeT;
                edgeEnd = end;
            }
        }
        if (first == kLargest)
            return false;
        const Vector3 centre = start + v * first;
        contact.timeOfImpact = first;
        contact.normal = DirectionOr(centre - ClosestPointOnSegment(centre, corner, edgeEnd).point, -v.Normalized());
        return Touching(contact);
    }
    float edgeT = 0.0f;
    if (!SweepAgainstEdge(start, v, Corner(box, above), Corner(box, 7u - below), radius, edgeT))
        return false;
    contact.timeOfImpact = edgeT;
    contact.normal = -v.Normalized();
    contact.penetration = edgeT * v.Length();
    return Touching(contact);
}
} // namespace

Vector3 CapsuleShape::UpperEnd() const
{
    return centre + kUp * (height * 0.5f - radius);
}

Vector3 CapsuleShape::LowerEnd() const
{
    return centre - kUp * (height * 0.5f - radius);
}

Vector3 ClosestPointOnBox(const Vector3& point, const ObbShape& box)
{
    const Vector3 d = point - box.centre;
    Vector3 closest = box.centre;
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        const float extent = box.halfExtents[axis];
        closest += box.axes[axis] * Clamp(d.Dot(box.axes[axis]), -extent, extent);
    }
    return closest;
}

SegmentPoint ClosestPointOnSegment(const Vector3& point, const Vector3& a, const Vector3& b)
{
    const Vector3 ab = b - a;
    const float projection = (point - a).Dot(ab);
    if (projection <= 0.0f)
        return {a, 0.0f};
    const float denominator = ab.Dot(ab);
    if (projection >= denominator)
        return {b, 1.0f};
    const float t = IsZero(denominator) ? 0.0f : projection / denominator;
    return {a + ab * t, t};
}

SegmentsClosest ClosestPointsOfSegments(const Vector3& p1, const Vector3& q1, const Vector3& p2, const Vector3& q2)
{
    const Vector3 d1 = q1 - p1;
    const Vector3 d2 = q2 - p2;
    const Vector3 r = p1 - p2;
    const float a = d1.Dot(d1);
    const float e = d2.Dot(d2);
    const float f = d2.Dot(r);
    SegmentsClosest result;
    if (IsZero(a) && IsZero(e))
    {
        result.c1 = p1;
        result.c2 = p2;
        result.distance = (p1 - p2).Length();
        return result;
    }
    if (IsZero(a))
        result.t = Clamp(f / e, 0.0f, 1.0f);
    else
    {
        const float c = d1.Dot(r);
        if (IsZero(e))
            result.s = Clamp(-c / a, 0.0f, 1.0f);
        else
        {
            const float b = d1.Dot(d2);
            const float denominator = a * e - b * b;
            result.s = IsZero(denominator) ? 0.0f : Clamp((b * f - c * e) / denominator, 0.0f, 1.0f);
            const float tNumerator = b * result.s + f;
            if (tNumerator < 0.0f)
                result.s = Clamp(-c / a, 0.0f, 1.0f);
            else if (tNumerator > e)
            {
                result.t = 1.0f;
                result.s = Clamp((b - c) / a, 0.0f, 1.0f);
            }
            else
                result.t = tNumerator / e;
        }
    }
    result.c1 = p1 + d1 * result.s;
    result.c2 = p2 + d2 * result.t;
    result.distance = (result.c1 - result.c2).Length();
    return result;
}

bool TestAabbAabb(const AabbShape& a, const AabbShape& b, CollisionData& contact)
{
    const Vector3 delta = b.centre - a.centre;
    Vector3 overlap;
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        const float reach = a.halfExtents[axis] + b.halfExtents[axis];
        const float gap = std::fabs(delta[axis]);
        // Written so that a NaN separates.
        if (!(gap <= reach))
            return false;
        overlap[axis] = reach - gap;
    }
    unsigned least = 2;
    if (overlap.y >= overlap.x && overlap.z >= overlap.x)
        least = 0;
    else if (overlap.x > overlap.y && overlap.z >= overlap.y)
        least = 1;
    contact.penetration = overlap[least];
    contact.normal = delta[least] < 0.0f ? -kWorldAxes[least] : kWorldAxes[least];
    return Touching(contact);
}

bool TestAabbSphere(const AabbShape& box, const SphereShape& sphere, CollisionData& contact)
{
    const Vector3 min = MinCorner(box);
    const Vector3 max = MaxCorner(box);
    const Vector3& s = sphere.centre;
    const Vector3 q(Clamp(s.x, min.x, max.x), Clamp(s.y, min.y, max.y), Clamp(s.z, min.z, max.z));
    const Vector3 d = q - s;
    if (d.LengthSquared() > sphere.radius * sphere.radius)
        return false;
    const bool inside =
        s.x >= min.x && s.x <= max.x && s.y >= min.y && s.y <= max.y && s.z >= min.z && s.z <= max.z;
    if (!inside)
    {
        const float distance = d.Length();
        contact.normal = -d / distance;
        contact.penetration = sphere.radius - distance;
        return Touching(contact);
    }
    if (!contact.relativeMotion.IsZero())
    {
        contact.normal = -contact.relativeMotion.Normalized();
        contact.penetration = sphere.radius;
        return Touching(contact);
    }
    // Resting with the centre inside: out through the nearest face.
    float nearest = kLargest;
    for (const float sign : {1.0f, -1.0f})
        for (unsigned axis = 0; axis < 3; ++axis)
        {
            const Vector3 face = kWorldAxes[axis] * sign;
            const float distance = std::fabs(face.Dot(q) - face.Dot(box.centre + face * box.halfExtents[axis]));
            if (distance < nearest)
            {
                nearest = distance;
                contact.normal = face;
            }
        }
    const Vector3 n = DirectionOr(q - box.centre, contact.normal);
    contact.penetration = std::fabs(n.Dot(box.halfExtents)) + sphere.radius;
    return Touching(contact);
}

bool TestAabbCapsule(const AabbShape& box, const CapsuleShape& capsule, CollisionData& contact)
{
    const Vector3 stand = ClosestPointOnSegment(box.centre, capsule.UpperEnd(), capsule.LowerEnd()).point;
    return TestAabbSphere(box, {stand, capsule.radius}, contact);
}

bool TestObbObb(const ObbShape& a, const ObbShape& b, CollisionData& contact)
{
    float r[3][3];
    float absR[3][3];
    for (unsigned i = 0; i < 3; ++i)
        for (unsigned j = 0; j < 3; ++j)
        {
            r[i][j] = a.axes[i].Dot(b.axes[j]);
            // The tolerance keeps near-parallel edge pairs from producing a false separating axis.
            absR[i][j] = std::fabs(r[i][j]) + kEpsilon;
        }
    const Vector3 between = b.centre - a.centre;
    const float t[3] = {between.Dot(a.axes[0]), between.Dot(a.axes[1]), between.Dot(a.axes[2])};
    const Vector3& ha = a.halfExtents;
    const Vector3& hb = b.halfExtents;

    float penetration = kLargest;
    Vector3 normal;
    // False when the axis separates the boxes (a NaN separates too). sep is measured along the unit axis.
    const auto overlapsOn = [&](float sep, const Vector3& axis) {
        if (!(sep <= 0.0f))
            return false;
        if (std::fabs(sep) < penetration)
        {
            penetration = std::fabs(sep);
            normal = axis;
        }
        return true;
    };

    for (unsigned i = 0; i < 3; ++i)
    {
        const float rb = hb[0] * absR[i][0] + hb[1] * absR[i][1] + hb[2] * absR[i][2];
        if (!overlapsOn(std::fabs(t[i]) - (ha[i] + rb), a.axes[i]))
            return false;
    }
    for (unsigned j = 0; j < 3; ++j)
    {
        const float ra = ha[0] * absR[0][j] + ha[1] * absR[1][j] + ha[2] * absR[2][j];
        const float distance = std::fabs(t[0] * r[0][j] + t[1] * r[1][j] + t[2] * r[2][j]);
        if (!overlapsOn(distance - (ra + hb[j]), b.axes[j]))
            return false;
    }
    for (unsigned i = 0; i < 3; ++i)
        for (unsigned j = 0; j < 3; ++j)
        {
            const unsigned i1 = (i + 1) % 3, i2 = (i + 2) % 3, j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            const float ra = ha[i1] * absR[i2][j] + ha[i2] * absR[i1][j];
            const float rb = hb[j1] * absR[i][j2] + hb[j2] * absR[i][j1];
            const float sep = std::fabs(t[i2] * r[i1][j] - t[i1] * r[i2][j]) - (ra + rb);
            // These are measured along the unnormalised cross product; parallel edges give none.
            const Vector3 axis = a.axes[i].Cross(b.axes[j]);
            if (!(sep <= 0.0f))
                return false;
            if (!axis.IsZero())
                overlapsOn(sep / axis.Length(), axis.Normalized());
        }
    contact.penetration = penetration;
    contact.normal = normal.Dot(between) < 0.0f ? -normal : normal;
    return Touching(contact);
}

bool TestObbSphere(const ObbShape& box, const SphereShape& sphere, CollisionData& contact)
{
    const Vector3 d = ClosestPointOnBox(sphere.centre, box) - sphere.centre;
    if (d.LengthSquared() > sphere.radius * sphere.radius)
        return false;
    if (d.IsZero())
    {
        contact.normal = box.axes[1];
        contact.penetration = sphere.radius;
        return Touching(contact);
    }
    const float distance = d.Length();
    contact.normal = -d / distance;
    contact.penetration = sphere.radius - distance;
    return Touching(contact);
}

bool TestObbCapsule(const ObbShape& box, const CapsuleShape& capsule, CollisionData& contact)
{
    const Vector3 lower = capsule.LowerEnd();
    const Vector3 stand = ClosestPointOnSegment(box.centre, capsule.UpperEnd(), lower).point;
    if (TestObbSphere(box, {stand, capsule.radius}, contact))
        return true;
    return !(stand - lower).IsZero() && TestObbSphere(box, {lower, capsule.radius}, contact);
}

bool TestSphereSphere(const SphereShape& a, const Vector3& velocityA, const SphereShape& b, const Vector3& velocityB,
                      CollisionData& contact)
{
    const Vector3 s = b.centre - a.centre;
    const float reach = a.radius + b.radius;
    const Vector3 v = velocityB - velocityA;
    contact.relativeMotion = v;
    const float c = s.Dot(s) - reach * reach;
    if (c < 0.0f)
    {
        contact.timeOfImpact = 0.0f;
        contact.normal = v.IsZero() ? DirectionOr(s, kWorldAxes[0]) : -v.Normalized();
        // How far the surfaces reach into each other, the distance that parts them.
        contact.penetration = reach - s.Length();
        return Touching(contact);
    }
    const float qa = v.Dot(v);
    const float qb = v.Dot(s);
    const float disc = qb * qb - qa * c;
    if (IsZero(qa) || qb > 0.0f || IsZero(qb) || disc < 0.0f)
        return false;
    const float t = (-qb - std::sqrt(disc)) / qa;
    if (t < 0.0f || t > 1.0f)
        return false;
    contact.timeOfImpact = t;
    contact.normal = s.Normalized();
    contact.penetration = std::sqrt(std::fabs(c));
    return Touching(contact);
}

bool TestSphereCapsule(const SphereShape& sphere, const Vector3& sphereVelocity, const CapsuleShape& capsule,
                       const Vector3& capsuleVelocity, CollisionData& contact)
{
    const float reach = sphere.radius + capsule.radius;
    const Vector3 v = capsuleVelocity - sphereVelocity;
    contact.relativeMotion = v;
    // Swept in the capsule's frame: the sphere moves by -v.
    const Vector3 motion = -v;
    const Vector3 motionDirection = DirectionOr(motion, kUp);
    const Vector3 upper = capsule.UpperEnd();
    const Vector3 lower = capsule.LowerEnd();
    const Vector3 toAxis = ClosestPointOnSegment(sphere.centre, upper, lower).point - sphere.centre;
    if (toAxis.LengthSquared() < reach * reach)
    {
        contact.timeOfImpact = 0.0f;
        contact.normal = DirectionOr(toAxis, motionDirection);
        contact.penetration = reach - toAxis.Length();
        return Touching(contact);
    }
    float t = 0.0f;
    if (!SweepPointCapsule(sphere.centre, motion, upper, lower, reach, t))
        return false;
    const Vector3 centre = sphere.centre + motion * t;
    contact.timeOfImpact = t;
    contact.normal = DirectionOr(ClosestPointOnSegment(centre, upper, lower).point - centre, motionDirection);
    // A sweep square to the capsule's axis leaves the penetration as it came.
    if (!IsZero((upper - lower).Dot(v)))
        contact.penetration = t * v.Length();
    return Touching(contact);
}

bool TestCapsuleCapsule(const CapsuleShape& a, const Vector3& velocityA, const CapsuleShape& b,
                        const Vector3& velocityB, CollisionData& contact)
{
    const SegmentsClosest closest = ClosestPointsOfSegments(a.UpperEnd(), a.LowerEnd(), b.UpperEnd(), b.LowerEnd());
    const float reach = a.radius + b.radius;
    if (closest.distance > reach)
        return false;
    contact.penetration = reach - closest.distance;
    contact.normal = DirectionOr(closest.c2 - closest.c1, kUp);
    contact.timeOfImpact = 0.0f;
    contact.relativeMotion = velocityB - velocityA;
    return Touching(contact);
}

bool TestMovingAabbAabb(const AabbShape& a, const Vector3& velocityA, const AabbShape& b, const Vector3& velocityB,
                        CollisionData& contact)
{
    const Vector3 v = velocityB - velocityA;
    contact.relativeMotion = v;
    // Boxes that touch are reported however slowly they move: a box come to rest on another would otherwise
    // leave the contact and enter it again as gravity brings it back, and a stack would sink unseen.
    if (TestAabbAabb(a, b, contact))
        return true;
    if (v.LengthSquared() < kEpsilon)
        return false;

    const Vector3 minA = MinCorner(a), maxA = MaxCorner(a), minB = MinCorner(b), maxB = MaxCorner(b);
    float first = 0.0f;
    float last = 1.0f;
    Vector3 normal;
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        const float speed = v[axis];
        if (IsZero(speed))
        {
            if (minB[axis] > maxA[axis] || minA[axis] > maxB[axis])
                return false;
            continue;
        }
        // The faces that meet first and part last along this axis; the normal points from A to the side B
        // comes from.
        const bool down = speed < 0.0f;
        const float aLead = down ? maxA[axis] : minA[axis];
        const float aTrail = down ? minA[axis] : maxA[axis];
        const float bLead = down ? minB[axis] : maxB[axis];
        const float bTrail = down ? maxB[axis] : minB[axis];
        if (down ? minA[axis] > maxB[axis] : minB[axis] > maxA[axis])
            return false;
        if (down ? bLead >= aLead : aLead >= bLead)
        {
            const float t = (aLead - bLead) / speed;
            if (t >= first)
            {
                first = t;
                normal = down ? kWorldAxes[axis] : -kWorldAxes[axis];
            }
        }
        if (down ? bTrail >= aTrail : aTrail >= bTrail)
            last = std::min(last, (aTrail - bTrail) / speed);
        if (first > last)
            return false;
    }
    // Boxes that do not overlap start apart on an axis that gives the entry and the normal; no such axis
    // means a NaN answered every comparison.
    if (normal.IsZero())
        return false;
    contact.timeOfImpact = first;
    contact.normal = normal;
    contact.penetration = std::fabs(first * v.Dot(normal));
    return Touching(contact);
}

bool TestMovingAabbSphere(const AabbShape& box, const Vector3& boxVelocity, const SphereShape& sphere,
                          const Vector3& sphereVelocity, CollisionData& contact)
{
    // The overlap test sees the motion the contact brings in.
    if (TestAabbSphere(box, sphere, contact))
    {
        contact.timeOfImpact = 0.0f;
        return true;
    }
    const Vector3 v = sphereVelocity - boxVelocity;
    contact.relativeMotion = v;
    if (v.IsZero())
        return false;
    const float r = sphere.radius;
    return SweepIntoBox(box, sphere.centre, r, v, {{r, r, r}, std::numeric_limits<float>::lowest(), false, false},
                        contact);
}

bool TestMovingAabbCapsule(const AabbShape& box, const Vector3& boxVelocity, const CapsuleShape& capsule,
                           const Vector3& capsuleVelocity, CollisionData& contact)
{
    const Vector3 v = capsuleVelocity - boxVelocity;
    contact.relativeMotion = v;
    if (TestAabbCapsule(box, capsule, contact))
    {
        contact.timeOfImpact = 0.0f;
        return true;
    }
    if (v.IsZero())
        return false;
    const float r = capsule.radius;
    return SweepIntoBox(box, capsule.centre, r, v, {{r, capsule.height * 0.5f, r}, 0.0f, true, true}, contact);
}

HitInfo RayObb(const Vector3& origin, const Vector3& direction, const ObbShape& box, float& t)
{
    if (direction.IsZero())
        return {};
    float tmin = std::numeric_limits<float>::lowest();
    float tmax = kLargest;
    const Vector3 toCentre = box.centre - origin;
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        const float e = box.axes[axis].Dot(toCentre);
        float f = box.axes[axis].Dot(direction);
        const float h = box.halfExtents[axis];
        if (std::fabs(f) < kEpsilon)
        {
            if (-e - h > 0.0f || h - e < 0.0f)
                return {};
            f = kEpsilon;
        }
        const float t1 = (e + h) / f;
        const float t2 = (e - h) / f;
        tmin = std::max(tmin, std::min(t1, t2));
        tmax = std::min(tmax, std::max(t1, t2));
    }
    if (tmax < 0.0f || tmin > tmax)
        return {};
    // From inside the box: the exit.
    t = tmin < 0.0f ? tmax : tmin;
    return HitAt(origin, origin + direction * t);
}

HitInfo RayAabb(const Vector3& origin, const Vector3& direction, const AabbShape& box, float& tmin)
{
    const Vector3 min = MinCorner(box);
    const Vector3 max = MaxCorner(box);
    float enter = tmin;
    float leave = 1.0f;
    for (unsigned axis = 0; axis < 3; ++axis)
    {
        if (std::fabs(direction[axis]) < kEpsilon)
        {
            if (origin[axis] < min[axis] || origin[axis] > max[axis])
                return {};
            continue;
        }
        const float t1 = (min[axis] - origin[axis]) / direction[axis];
        const float t2 = (max[axis] - origin[axis]) / direction[axis];
        enter = std::max(enter, std::min(t1, t2));
        leave = std::min(leave, std::max(t1, t2));
        if (enter > leave)
            return {};
    }
    tmin = enter;
    return HitAt(origin, origin + direction * enter);
}

HitInfo RaySphere(const Vector3& origin, const Vector3& direction, const SphereShape& sphere, float& t)
{
    const Vector3 m = origin - sphere.centre;
    const float b = m.Dot(direction);
    const float c = m.Dot(m) - sphere.radius * sphere.radius;
    if (c > 0.0f && b > 0.0f)
        return {};
    const float disc = b * b - c;
    if (disc < 0.0f)
        return {};
    t = -b - std::sqrt(disc);
    if (t < 0.0f)
        return {};
    return HitAt(origin, origin + direction * t);
}

HitInfo RayCapsule(const Vector3& origin, const Vector3& direction, float length, const Vector3& p, const Vector3& q,
                   float radius, float& t)
{
    const Vector3 axis = q - p;
    const Vector3 m = origin - p;
    const Vector3 n = direction * length;
    const float dd = axis.Dot(axis);
    const float md = m.Dot(axis);
    const float nd = n.Dot(axis);
    if ((md < 0.0f && md + nd < 0.0f) || (md > dd && md + nd > dd))
    {
        // Wholly beyond an end plane: the end spheres, p first. RaySphere measures along a unit direction.
        const float reach = n.Length();
        const Vector3 unit = DirectionOr(n, Vector3());
        for (const Vector3& end : {p, q})
        {
            float along = 0.0f;
            const HitInfo hit = RaySphere(origin, unit, {end, radius}, along);
            if (IsHit(hit) && along <= reach)
            {
                t = IsZero(reach) ? 0.0f : along / reach;
                return hit;
            }
        }
        return {};
    }
    const float nn = n.Dot(n);
    const float mn = m.Dot(n);
    const float a = dd * nn - nd * nd;
    const float k = m.Dot(m) - radius * radius;
    const float c = dd * k - md * md;
    if (std::fabs(a) < kEpsilon)
    {
        // Along the axis: the origin decides.
        if (c > 0.0f)
            return {};
        t = md < 0.0f ? -mn / nn : md > dd ? (nd - mn) / nn : 0.0f;
        return {0.0f, nullptr, origin};
    }
    const float b = dd * mn - nd * md;
    const float disc = b * b - a * c;
    if (disc < 0.0f)
        return {};
    float hit = (-b - std::sqrt(disc)) / a;
    if (hit < 0.0f || hit > 1.0f)
        return {};
    if (md + hit * nd < 0.0f)
    {
        // Beyond the p end: through its end plane, within the radius.
        if (nd < 0.0f || std::fabs(nd) < kEpsilon)
            return {};
        hit = -md / nd;
        if (k + hit * (2.0f * mn + hit * nn) > 0.0f)
            return {};
    }
    else if (md + hit * nd > dd)
    {
        if (nd >= 0.0f)
            return {};
        hit = (dd - md) / nd;
        if (k + dd - 2.0f * md + hit * (2.0f * (mn - nd) + hit * nn) > 0.0f)
            return {};
    }
    t = hit;
    return {(n * hit).Length(), nullptr, origin + n * hit};
}
