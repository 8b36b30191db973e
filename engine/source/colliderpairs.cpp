#include "colliderpairs.h"

#include "broadphase.h"
#include "c_collider.h"
#include "c_transform.h"
#include "narrowphase.h"

#include <algorithm>
#include <cmath>

namespace
{
// The test's own tolerances (1e-6 on axis products, divisions by near-zero motion) and rounding stay
// well inside this, relative to the distances involved.
constexpr float kReachSlack = 1e-3f;

// Half extents, a sphere's radius, or a capsule's radius and height, from the collider and the scale.
struct Measures
{
    Vector3 halfExtents;
    float radius = 0.0f;
    float height = 0.0f;
};

Measures MeasuresOf(const Transform& transform, const Collider& collider)
{
    const Vector3& scale = transform.GetScale();
    switch (collider.GetType())
    {
    case ColliderType::Box:
        return {collider.GetSize().Scaled(scale) * 0.5f};
    case ColliderType::Sphere:
        return {{}, collider.GetRadius() * scale.x};
    case ColliderType::Capsule:
        return {{}, collider.GetRadius() * scale.x, collider.GetHeight() * scale.y};
    default:
        return {};
    }
}

bool IsUnrotated(const Transform& transform)
{
    return transform.GetRotation().IsZero();
}

// Oriented boxes are tested where they stand, without their motion.
bool CollideBoxBox(const ShapePlacement& a, const ShapePlacement& b, CollisionData& record)
{
    if (!a.rotated && !b.rotated)
        return TestMovingAabbAabb(AabbOf(a), a.displacement, AabbOf(b), b.displacement, record);
    return TestObbObb(ObbOf(a), ObbOf(b), record);
}

bool CollideBoxSphere(const ShapePlacement& box, const ShapePlacement& sphere, CollisionData& record)
{
    if (!box.rotated)
        return TestMovingAabbSphere(AabbOf(box), box.displacement, SphereOf(sphere), sphere.displacement, record);
    return TestObbSphere(ObbOf(box), SphereOf(sphere), record);
}

bool CollideBoxCapsule(const ShapePlacement& box, const ShapePlacement& capsule, CollisionData& record)
{
    if (!box.rotated)
        return TestMovingAabbCapsule(AabbOf(box), box.displacement, CapsuleOf(capsule), capsule.displacement, record);
    return TestObbCapsule(ObbOf(box), CapsuleOf(capsule), record);
}

bool CollideSphereSphere(const ShapePlacement& a, const ShapePlacement& b, CollisionData& record)
{
    return TestSphereSphere(SphereOf(a), a.displacement, SphereOf(b), b.displacement, record);
}

bool CollideSphereCapsule(const ShapePlacement& sphere, const ShapePlacement& capsule, CollisionData& record)
{
    return TestSphereCapsule(SphereOf(sphere), sphere.displacement, CapsuleOf(capsule), capsule.displacement, record);
}

bool CollideCapsuleCapsule(const ShapePlacement& a, const ShapePlacement& b, CollisionData& record)
{
    return TestCapsuleCapsule(CapsuleOf(a), a.displacement, CapsuleOf(b), b.displacement, record);
}

using PairTest = bool (*)(const ShapePlacement&, const ShapePlacement&, CollisionData&);

// Row: the first shape of the pair, column: the second. Groups list boxes, then spheres, then capsules, so
// the first shape is never the greater and the lower triangle stays empty.
constexpr PairTest kColliderPairTable[3][3] = {
    {&CollideBoxBox, &CollideBoxSphere, &CollideBoxCapsule},
    {nullptr, &CollideSphereSphere, &CollideSphereCapsule},
    {nullptr, nullptr, &CollideCapsuleCapsule},
};
} // namespace

AabbShape AabbOf(const ShapePlacement& box)
{
    return {box.centre, box.halfExtents};
}

ObbShape ObbOf(const ShapePlacement& box)
{
    return {box.centre, box.halfExtents, {box.axes[0], box.axes[1], box.axes[2]}};
}

SphereShape SphereOf(const ShapePlacement& sphere)
{
    return {sphere.centre, sphere.radius};
}

CapsuleShape CapsuleOf(const ShapePlacement& capsule)
{
    return {capsule.centre, capsule.radius, capsule.height};
}

float BoundingRadius(const Transform& transform, const Collider& collider, const Vector3& motion)
{
    const Measures measures = MeasuresOf(transform, collider);
    switch (collider.GetType())
    {
    case ColliderType::Box:
        return 2.0f * measures.halfExtents.Length() + motion.Length();
    case ColliderType::Sphere:
        return measures.radius + motion.Length();
    case ColliderType::Capsule:
        return measures.radius + measures.height + motion.Length();
    default:
        return 0.0f;
    }
}

ShapePlacement PlaceShape(const Transform& transform, const Collider& collider, const Vector3& displacement)
{
    const Measures measures = MeasuresOf(transform, collider);
    ShapePlacement placed;
    placed.shape = collider.GetType();
    placed.centre = transform.GetPosition() + collider.GetOffset();
    placed.halfExtents = measures.halfExtents;
    placed.radius = measures.radius;
    placed.height = measures.height;
    placed.displacement = displacement;
    if (placed.shape == ColliderType::Box && !IsUnrotated(transform))
    {
        placed.rotated = true;
        placed.axes = {transform.GetRight(), transform.GetUp(), transform.GetForward()};
    }
    // A box's axes are unit length however it is turned, so its corners lie half a diagonal from the centre.
    float extent = 0.0f;
    if (placed.shape == ColliderType::Box)
        extent = measures.halfExtents.Length();
    else if (placed.shape == ColliderType::Sphere)
        extent = std::abs(measures.radius);
    else if (placed.shape == ColliderType::Capsule)
        extent = std::abs(measures.height * 0.5f - measures.radius) + std::abs(measures.radius);
    placed.reach = extent + displacement.Length();
    return placed;
}

std::vector<std::pair<std::size_t, std::size_t>> PairsThatMayTouch(const std::vector<ShapePlacement>& placed,
                                                                   const std::vector<bool>& isStatic)
{
    std::vector<Vector3> centres;
    std::vector<float> reaches;
    for (const ShapePlacement& shape : placed)
    {
        centres.push_back(shape.centre);
        reaches.push_back(shape.reach * (1.0f + kReachSlack) + kReachSlack);
    }
    // The partners of each shape, then every pair in order: sorting short lists of partners costs far less
    // than sorting all the pairs.
    std::vector<std::vector<std::size_t>> partners(placed.size());
    ForEachPairMeeting(centres, reaches, [&](std::size_t i, std::size_t j) {
        const float reach = reaches[i] + reaches[j];
        // A NaN anywhere keeps the pair: the test decides what it makes of it.
        if (!(isStatic[i] && isStatic[j]) && !((centres[i] - centres[j]).LengthSquared() > reach * reach))
            partners[i].push_back(j);
    });
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t i = 0; i < partners.size(); ++i)
    {
        std::sort(partners[i].begin(), partners[i].end());
        for (std::size_t j : partners[i])
            pairs.emplace_back(i, j);
    }
    return pairs;
}

bool TestPair(const ShapePlacement& first, const ShapePlacement& second, CollisionData& record)
{
    const auto row = static_cast<std::uint32_t>(first.shape);
    const auto column = static_cast<std::uint32_t>(second.shape);
    if (row > 2 || column > 2 || !kColliderPairTable[row][column])
        return false;
    return kColliderPairTable[row][column](first, second, record);
}
