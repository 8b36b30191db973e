#pragma once
#include "TorvaneMath.h"

#include <cstdint>

class GameObjectInterface;

// A collider's shape; the physics also indexes its shape-pair table by it.
enum class ColliderType : std::uint32_t
{
    Box = 0,
    Sphere = 1,
    Capsule = 2,
};

// A collider of any shape as scripts see it. Each shape answers the measures it has; the others are
// ignored when set and read as -1 (a vector: zero).
class ColliderInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual ColliderType GetType() const = 0;
    // A trigger reports overlaps and is never pushed apart.
    virtual void SetTrigger(bool trigger) = 0;
    virtual bool IsTrigger() const = 0;
    // Added to the object's position, neither rotated nor scaled, to give the shape's centre.
    virtual void SetOffset(const Vector3& offset) = 0;
    virtual const Vector3& GetOffset() const = 0;
    // A box's edge lengths; kept only when all three are above 0.
    virtual void SetSize(const Vector3& size) = 0;
    virtual const Vector3& GetSize() const = 0;
    // A sphere's or a capsule's radius; kept only when above 0.
    virtual void SetRadius(float radius) = 0;
    virtual float GetRadius() const = 0;
    // A capsule's whole height, caps included; kept only when above 0.
    virtual void SetHeight(float height) = 0;
    virtual float GetHeight() const = 0;

protected:
    ~ColliderInterface() = default;
};
