#pragma once
#include "hitinfo.h"

// Ray queries against the simulated objects' colliders. Each answers the nearest hit of a ray from origin
// along direction; skipTriggers passes over trigger colliders. Objects outside the simulation are never hit.
class PhysicsInterface
{
public:
    // Box colliders, oriented by their transform's axes.
    virtual HitInfo RaycastOBB(const Vector3& origin, const Vector3& direction, bool skipTriggers) = 0;
    // Box colliders as axis-aligned boxes; the ray is the segment from origin to origin + direction, and a
    // ray that starts inside a box does not hit it.
    virtual HitInfo RaycastAABB(const Vector3& origin, const Vector3& direction, bool skipTriggers) = 0;
    // Box colliders: axis-aligned while their object is unrotated, oriented otherwise.
    virtual HitInfo RaycastBoxes(const Vector3& origin, const Vector3& direction, bool skipTriggers) = 0;
    virtual HitInfo RaycastSpheres(const Vector3& origin, const Vector3& direction, bool skipTriggers) = 0;
    // Boxes (axis-aligned), spheres and capsules.
    virtual HitInfo RaycastAll(const Vector3& origin, const Vector3& direction, bool skipTriggers) = 0;

protected:
    ~PhysicsInterface() = default;
};
