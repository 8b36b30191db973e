#pragma once
#include "TorvaneMath.h"
#include "colliderinterface.h"
#include "collisiondata.h"
#include "narrowphase.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class Collider;
class Transform;

// A collider placed in the world for one step: where its shape stands and how far it moves over the step.
struct ShapePlacement
{
    ColliderType shape = ColliderType::Box;
    Vector3 centre;
    Vector3 halfExtents; // a box's
    float radius = 0.0f; // a sphere's or a capsule's
    float height = 0.0f; // a capsule's, both caps included
    bool rotated = false; // a box whose transform turns it is tested as an oriented box
    std::array<Vector3, 3> axes{Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1)};
    Vector3 displacement;
    // Radius of a sphere about the centre that holds the shape wherever the step takes it.
    float reach = 0.0f;
};

// The radius of the sphere the broad phase wraps about a shape and its motion over the frame.
float BoundingRadius(const Transform& transform, const Collider& collider, const Vector3& motion);
ShapePlacement PlaceShape(const Transform& transform, const Collider& collider, const Vector3& displacement);
// The placed shape as the narrow-phase tests take it.
AabbShape AabbOf(const ShapePlacement& box);
ObbShape ObbOf(const ShapePlacement& box);
SphereShape SphereOf(const ShapePlacement& sphere);
CapsuleShape CapsuleOf(const ShapePlacement& capsule);

// Every pair (i, j), i < j, in that order, that is not two static shapes and whose shapes could touch
// somewhere along their displacements: all the pairs for which TestPair can report a contact, and few more.
std::vector<std::pair<std::size_t, std::size_t>> PairsThatMayTouch(const std::vector<ShapePlacement>& placed,
                                                                   const std::vector<bool>& isStatic);

// The shape-pair table: the narrow-phase test for the two shapes, the first's shape never above the
// second's. Fills the record's normal, penetration, time of impact and relative motion; true on contact.
bool TestPair(const ShapePlacement& first, const ShapePlacement& second, CollisionData& record);
