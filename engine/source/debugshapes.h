#pragma once
#include "TorvaneMath.h"
#include "matrix4.h"

#include <vector>

class ColliderInterface;
class TransformInterface;

struct DebugSegment
{
    Vector3 from;
    Vector3 to;
};

// Line segments in a local frame, drawn through the model matrix for as long as the time to live lasts.
struct DebugShape
{
    std::vector<DebugSegment> segments;
    Matrix4 model;
    Vector3 colour{0.8f, 0.8f, 1.0f};
    float timeToLive = 0.0f;
    float lineWidth = 1.0f;
};

// How a collider's wireframe looks.
struct DebugStyle
{
    Vector3 colour;
    float lineWidth = 1.0f;
    float timeToLive = 0.0f;
};

// The timed debug lines, in the order they were added.
class DebugShapes
{
public:
    // A shape with the defaults; the reference holds until the next append.
    DebugShape& AddDebugShape();
    // Ages every shape by the frame time; a shape whose time falls below 0 is dropped.
    void UpdateDebugShapes(float frameTime);
    const std::vector<DebugShape>& Shapes() const { return shapes_; }

private:
    std::vector<DebugShape> shapes_;
};

// A circle of 48 segments in the plane of the u and v axes.
void AddDebugCircle(const Vector3& u, const Vector3& v, const Vector3& centre, float radius, DebugShape& shape);

// Collider wireframes from a collider's offset and sizes. The model matrix carries the object's position
// and rotation; the box and capsule take its scale into their points, the sphere keeps its own radius.
void AddBoxShape(DebugShapes& shapes, const TransformInterface& transform, const Vector3& offset,
                 const Vector3& size, const DebugStyle& style);
void AddSphereShape(DebugShapes& shapes, const TransformInterface& transform, const Vector3& offset, float radius,
                    const DebugStyle& style);
void AddCapsuleShape(DebugShapes& shapes, const TransformInterface& transform, const Vector3& offset, float radius,
                     float height, const DebugStyle& style);
// The wireframe of the collider's shape (box, sphere or capsule) placed by the object's transform.
void DrawColliderShape(DebugShapes& shapes, const ColliderInterface& collider, const TransformInterface& transform,
                       const DebugStyle& style);
