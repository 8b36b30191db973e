#include "debugshapes.h"

#include "colliderinterface.h"
#include "transforminterface.h"

#include <cmath>
#include <utility>

namespace
{
// Accumulated in float as the circle's angle is, so a circle always has 48 segments.
constexpr float kCircleStep = 0.1308997f;
constexpr float kFullTurn = 6.2831855f;
// Capsules taller than this get a circle near each end, shorter ones one circle in the middle.
constexpr float kTwoCircleHeight = 0.5f;

DebugShape& AddStyledShape(DebugShapes& shapes, const TransformInterface& transform, const DebugStyle& style)
{
    DebugShape& shape = shapes.AddDebugShape();
    shape.model = Matrix4::ComposeTRS(transform.GetPosition(), transform.GetRotationMatrix(), Vector3(1, 1, 1));
    shape.colour = style.colour;
    shape.lineWidth = style.lineWidth;
    shape.timeToLive = style.timeToLive;
    return shape;
}

Vector3 OnCircle(const Vector3& u, const Vector3& v, const Vector3& centre, float radius, float angle)
{
    return centre + (u * std::cos(angle) + v * std::sin(angle)) * radius;
}
}

DebugShape& DebugShapes::AddDebugShape()
{
    return shapes_.emplace_back();
}

void DebugShapes::UpdateDebugShapes(float frameTime)
{
    std::vector<DebugShape> kept;
    kept.reserve(shapes_.size());
    for (DebugShape& shape : shapes_)
    {
        shape.timeToLive -= frameTime;
        if (shape.timeToLive >= 0.0f)
            kept.push_back(std::move(shape));
    }
    shapes_ = std::move(kept);
}

void AddDebugCircle(const Vector3& u, const Vector3& v, const Vector3& centre, float radius, DebugShape& shape)
{
    float angle = 0.0f;
    do
    {
        const float next = angle + kCircleStep;
        shape.segments.push_back({OnCircle(u, v, centre, radius, angle), OnCircle(u, v, centre, radius, next)});
        angle = next;
    } while (kFullTurn > angle);
}

void AddBoxShape(DebugShapes& shapes, const TransformInterface& transform, const Vector3& offset,
                 const Vector3& size, const DebugStyle& style)
{
    const Vector3& scale = transform.GetScale();
    const Vector3 half = Vector3(size.x * scale.x, size.y * scale.y, size.z * scale.z) * 0.5f;
    auto corner = [&](float sx, float sy, float sz) {
        return offset + Vector3(sx * half.x, sy * half.y, sz * half.z);
    };
    // Around a face: (-,+) -> (+,+) -> (+,-) -> (-,-) -> (-,+) in x and y.
    constexpr float kRing[5][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
    for (float sz : {-1.0f, 1.0f})
    {
        DebugShape& face = AddStyledShape(shapes, transform, style);
        for (int i = 0; i < 4; ++i)
            face.segments.push_back(
                {corner(kRing[i][0], kRing[i][1], sz), corner(kRing[i + 1][0], kRing[i + 1][1], sz)});
    }
    DebugShape& edges = AddStyledShape(shapes, transform, style);
    for (int i = 0; i < 4; ++i)
        edges.segments.push_back({corner(kRing[i][0], kRing[i][1], -1), corner(kRing[i][0], kRing[i][1], 1)});
}

void AddSphereShape(DebugShapes& shapes, const TransformInterface& transform, const Vector3& offset, float radius,
                    const DebugStyle& style)
{
    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    DebugShape& shape = AddStyledShape(shapes, transform, style);
    AddDebugCircle(y, z, offset, radius, shape);
    AddDebugCircle(x, z, offset, radius, shape);
    AddDebugCircle(x, y, offset, radius, shape);
}

void AddCapsuleShape(DebugShapes& shapes, const TransformInterface& transform, const Vector3& offset, float radius,
                     float height, const DebugStyle& style)
{
    const Vector3& scale = transform.GetScale();
    const float scaledHeight = height * scale.y;
    const float scaledRadius = radius * scale.x;
    const Vector3 x(1, 0, 0), z(0, 0, 1);
    DebugShape& shape = AddStyledShape(shapes, transform, style);
    shape.segments.push_back({offset + Vector3(0, scaledHeight / 2, 0), offset - Vector3(0, scaledHeight / 2, 0)});
    if (height > kTwoCircleHeight)
    {
        AddDebugCircle(x, z, offset + Vector3(0, scaledHeight / 4, 0), scaledRadius, shape);
        AddDebugCircle(x, z, offset - Vector3(0, scaledHeight / 4, 0), scaledRadius, shape);
    }
    else
        AddDebugCircle(x, z, offset, scaledRadius, shape);
}

void DrawColliderShape(DebugShapes& shapes, const ColliderInterface& collider, const TransformInterface& transform,
                       const DebugStyle& style)
{
    switch (collider.GetType())
    {
    case ColliderType::Box:
        AddBoxShape(shapes, transform, collider.GetOffset(), collider.GetSize(), style);
        break;
    case ColliderType::Sphere:
        AddSphereShape(shapes, transform, collider.GetOffset(), collider.GetRadius(), style);
        break;
    case ColliderType::Capsule:
        AddCapsuleShape(shapes, transform, collider.GetOffset(), collider.GetRadius(), collider.GetHeight(), style);
        break;
    }
}
