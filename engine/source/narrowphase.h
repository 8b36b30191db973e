#pragma once
#include "TorvaneMath.h"
#include "collisiondata.h"
#include "hitinfo.h"

// Contact and ray tests between the collider shapes. Velocities are displacements over the step, times of
// impact fractions of it. Contact normals point from the first shape (A) towards the second (B); the tests
// write the contact's normal, penetration, timeOfImpact and relativeMotion (B's displacement minus A's) as
// each describes. After a miss the contact may be partly written and is not to be used. A contact whose
// numbers would not all be finite is reported as a miss.

struct AabbShape
{
    Vector3 centre;
    Vector3 halfExtents;
};

struct ObbShape
{
    Vector3 centre;
    Vector3 halfExtents;
    Vector3 axes[3]; // the box's local x, y and z in world space, unit length
};

struct SphereShape
{
    Vector3 centre;
    float radius = 0.0f;
};

// Upright: its axis is the world up axis.
struct CapsuleShape
{
    Vector3 centre;
    float radius = 0.0f;
    float height = 0.0f; // caps included

    // The ends of the inner segment the capsule is the radius around.
    Vector3 UpperEnd() const;
    Vector3 LowerEnd() const;
};

struct SegmentPoint
{
    Vector3 point;
    float t = 0.0f; // along the segment, 0 to 1
};

struct SegmentsClosest
{
    float s = 0.0f; // along the first segment
    float t = 0.0f; // along the second
    Vector3 c1;
    Vector3 c2;
    float distance = 0.0f;
};

Vector3 ClosestPointOnBox(const Vector3& point, const ObbShape& box);
SegmentPoint ClosestPointOnSegment(const Vector3& point, const Vector3& a, const Vector3& b);
SegmentsClosest ClosestPointsOfSegments(const Vector3& p1, const Vector3& q1, const Vector3& p2, const Vector3& q2);

// Static tests: where the shapes stand. Touching counts as contact.
bool TestAabbAabb(const AabbShape& a, const AabbShape& b, CollisionData& contact);
// Reads contact.relativeMotion when the sphere's centre is inside the box.
bool TestAabbSphere(const AabbShape& box, const SphereShape& sphere, CollisionData& contact);
bool TestAabbCapsule(const AabbShape& box, const CapsuleShape& capsule, CollisionData& contact);
bool TestObbObb(const ObbShape& a, const ObbShape& b, CollisionData& contact);
bool TestObbSphere(const ObbShape& box, const SphereShape& sphere, CollisionData& contact);
bool TestObbCapsule(const ObbShape& box, const CapsuleShape& capsule, CollisionData& contact);

// Moving tests: overlapping shapes (time of impact 0) or a first contact within the step.
bool TestSphereSphere(const SphereShape& a, const Vector3& velocityA, const SphereShape& b, const Vector3& velocityB,
                      CollisionData& contact);
// A sweep square to the capsule's axis leaves the penetration as it came.
bool TestSphereCapsule(const SphereShape& sphere, const Vector3& sphereVelocity, const CapsuleShape& capsule,
                       const Vector3& capsuleVelocity, CollisionData& contact);
// Overlap only; the time of impact is 0.
bool TestCapsuleCapsule(const CapsuleShape& a, const Vector3& velocityA, const CapsuleShape& b,
                        const Vector3& velocityB, CollisionData& contact);
// Boxes that touch are reported with or without motion; a pair that does not move relative to each other is
// reported only then.
bool TestMovingAabbAabb(const AabbShape& a, const Vector3& velocityA, const AabbShape& b, const Vector3& velocityB,
                        CollisionData& contact);
// The face normals found are added to the normal the contact brings in.
bool TestMovingAabbSphere(const AabbShape& box, const Vector3& boxVelocity, const SphereShape& sphere,
                          const Vector3& sphereVelocity, CollisionData& contact);
bool TestMovingAabbCapsule(const AabbShape& box, const Vector3& boxVelocity, const CapsuleShape& capsule,
                           const Vector3& capsuleVelocity, CollisionData& contact);

// Ray tests. Each returns a miss (HitInfo's default) or the hit point and its distance from the origin; the
// hit object is left for the caller.
// The ray is unbounded forward; from inside the box it hits the far face. t: the hit's parameter along d.
HitInfo RayObb(const Vector3& origin, const Vector3& direction, const ObbShape& box, float& t);
// The segment origin .. origin + direction against the box. tmin is where the segment starts (pass 0 for
// hits in front of the origin) and receives the entry parameter of a hit.
HitInfo RayAabb(const Vector3& origin, const Vector3& direction, const AabbShape& box, float& tmin);
// direction is taken as unit length; from inside the sphere the ray misses.
HitInfo RaySphere(const Vector3& origin, const Vector3& direction, const SphereShape& sphere, float& t);
// The segment origin .. origin + direction × length against the cylinder p–q of the radius: flat across its
// ends, except that a segment wholly beyond an end plane is tested against the spheres at p and q. t is a
// fraction of the segment.
HitInfo RayCapsule(const Vector3& origin, const Vector3& direction, float length, const Vector3& p, const Vector3& q,
                   float radius, float& t);
