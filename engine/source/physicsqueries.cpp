// The ray queries scripts ask the physics system.
#include "physicssystem.h"

#include "c_collider.h"
#include "c_transform.h"
#include "colliderpairs.h"
#include "gameobject.h"
#include "narrowphase.h"

#include <limits>

namespace
{
// A hit that does not count for the query.
constexpr HitInfo kMiss{};

constexpr ShapeMask kBoxes{ShapeMask::Of(ColliderType::Box)};
constexpr ShapeMask kSpheres{ShapeMask::Of(ColliderType::Sphere)};
constexpr ShapeMask kAnyShape{ShapeMask::Of(ColliderType::Box) | ShapeMask::Of(ColliderType::Sphere) |
                              ShapeMask::Of(ColliderType::Capsule)};

HitInfo HitObb(const Vector3& origin, const Vector3& direction, const ShapePlacement& box)
{
    float t = 0.0f;
    return RayObb(origin, direction, ObbOf(box), t);
}

// Hits in front of the origin only: a ray that starts inside the box does not count it.
HitInfo HitAabbFromOutside(const Vector3& origin, const Vector3& direction, const ShapePlacement& box)
{
    float entry = 0.0f;
    const HitInfo hit = RayAabb(origin, direction, AabbOf(box), entry);
    return entry > 0.0f ? hit : kMiss;
}

HitInfo HitAabb(const Vector3& origin, const Vector3& direction, const ShapePlacement& box)
{
    float entry = 0.0f;
    return RayAabb(origin, direction, AabbOf(box), entry);
}

// The sphere test wants a unit direction; the length of the query's direction is no part of it.
HitInfo HitSphere(const Vector3& origin, const Vector3& direction, const ShapePlacement& sphere)
{
    if (direction.IsZero())
        return kMiss;
    float t = 0.0f;
    return RaySphere(origin, direction.Normalized(), SphereOf(sphere), t);
}

HitInfo HitCapsule(const Vector3& origin, const Vector3& direction, const ShapePlacement& capsule)
{
    constexpr float kRayLength = 1000.0f;
    const Vector3 half(0.0f, capsule.height * 0.5f - capsule.radius, 0.0f);
    float t = 0.0f;
    return RayCapsule(origin, direction, kRayLength, capsule.centre + half, capsule.centre - half, capsule.radius, t);
}

HitInfo HitAny(const Vector3& origin, const Vector3& direction, const ShapePlacement& shape)
{
    switch (shape.shape)
    {
    case ColliderType::Box:
        return HitAabb(origin, direction, shape);
    case ColliderType::Sphere:
        return HitSphere(origin, direction, shape);
    case ColliderType::Capsule:
        return HitCapsule(origin, direction, shape);
    default:
        return kMiss;
    }
}

// Spheres and capsules count only hits a distance away from the origin.
HitInfo AwayFromOrigin(const HitInfo& hit)
{
    return hit.distance > 0.0f ? hit : kMiss;
}
} // namespace

template <class Test>
HitInfo PhysicsSystem::NearestHit(ShapeMask shapes, bool skipTriggers, Test test) const
{
    float nearest = std::numeric_limits<float>::max();
    HitInfo best;
    for (GameObject* object : simulatedObjects_)
    {
        // An object has one collider at most. Bodies the query does not look for cost one look at it.
        const auto* collider = static_cast<const Collider*>(object->FirstOfType(CompEnum::Collider));
        if (!collider || !shapes.Has(collider->GetType()) || (skipTriggers && collider->IsTrigger()))
            continue;
        const auto* transform = object->GetComponent<Transform>();
        if (!transform)
            continue;
        const HitInfo hit = test(PlaceShape(*transform, *collider, {}));
        // Equal distances keep the earlier object.
        if (hit.distance != kMiss.distance && hit.distance < nearest)
        {
            nearest = hit.distance;
            best = {hit.distance, object, hit.point};
        }
    }
    return best;
}

HitInfo PhysicsSystem::RaycastOBB(const Vector3& origin, const Vector3& direction, bool skipTriggers)
{
    return NearestHit(kBoxes, skipTriggers, [&](const ShapePlacement& box) {
        return HitObb(origin, direction, box);
    });
}

HitInfo PhysicsSystem::RaycastAABB(const Vector3& origin, const Vector3& direction, bool skipTriggers)
{
    return NearestHit(kBoxes, skipTriggers, [&](const ShapePlacement& box) {
        return HitAabbFromOutside(origin, direction, box);
    });
}

HitInfo PhysicsSystem::RaycastBoxes(const Vector3& origin, const Vector3& direction, bool skipTriggers)
{
    return NearestHit(kBoxes, skipTriggers, [&](const ShapePlacement& box) {
        return box.rotated ? HitObb(origin, direction, box) : HitAabb(origin, direction, box);
    });
}

HitInfo PhysicsSystem::RaycastSpheres(const Vector3& origin, const Vector3& direction, bool skipTriggers)
{
    return NearestHit(kSpheres, skipTriggers, [&](const ShapePlacement& sphere) {
        return AwayFromOrigin(HitSphere(origin, direction, sphere));
    });
}

HitInfo PhysicsSystem::RaycastAll(const Vector3& origin, const Vector3& direction, bool skipTriggers)
{
    return NearestHit(kAnyShape, skipTriggers, [&](const ShapePlacement& shape) {
        return AwayFromOrigin(HitAny(origin, direction, shape));
    });
}
