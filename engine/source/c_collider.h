#pragma once
#include "colliderinterface.h"
#include "component.h"

// What every collider shape shares: its kind, the trigger flag and the offset from the object. On its own it
// has no shape and saves nothing; the three shapes below are what objects carry.
class Collider : public ComponentBase<ColliderInterface>
{
public:
    explicit Collider(ColliderType type) : ComponentBase(CompEnum::Collider), type_(type) {}
    // Every field, the enabled flag included.
    Collider(const Collider&) = default;
    Collider& operator=(const Collider&) = delete;

    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Collider"; }
    std::unique_ptr<Component> Clone() const override;
    // Kind, offset, trigger and enabled flags, and the shape's measures within the tolerance.
    bool Compare(const Component& other) const override;

    ColliderType GetType() const override { return type_; }
    void SetTrigger(bool trigger) override { trigger_ = trigger; }
    bool IsTrigger() const override { return trigger_; }
    void SetOffset(const Vector3& offset) override { offset_ = offset; }
    const Vector3& GetOffset() const override { return offset_; }
    void SetSize(const Vector3&) override {}
    const Vector3& GetSize() const override;
    void SetRadius(float) override {}
    float GetRadius() const override { return -1.0f; }
    void SetHeight(float) override {}
    float GetHeight() const override { return -1.0f; }

protected:
    // The shapes' Serialize: nothing when the prefab's collider compares equal, else the element with every
    // member, or with a prefab only those that differ.
    void SerializeShape(XMLWriter& writer, const Component* prefab) const;
    // The shapes' Deserialize. Measures are stored as the file gives them; the enabled flag changes quietly.
    void DeserializeShape(const XMLNode& element);
    // The shape's own measures, for a collider of the same class.
    virtual bool ShapeEquals(const Collider&) const { return true; }
    // reference: the prefab's collider of the same class, or null to write every measure.
    virtual void WriteShape(XMLWriter&, const Collider*) const {}
    // False when the child names none of the shape's measures.
    virtual bool ReadShape(const XMLNode&) { return false; }
    // Stores value in field when it is above 0.
    static void StorePositive(float value, float& field);

private:
    bool Equals(const Collider& other) const;

    ColliderType type_;
    bool trigger_ = false;
    Vector3 offset_;
};

// An axis-aligned box. Files know it as "AABBCollider".
class BoxCollider : public Collider
{
public:
    BoxCollider() : Collider(ColliderType::Box) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override { SerializeShape(writer, prefab); }
    void Deserialize(const XMLNode& element) override { DeserializeShape(element); }
    std::string GetName() const override { return "BoxCollider"; }
    std::string GetElementName() const override { return "AABBCollider"; }
    std::unique_ptr<Component> Clone() const override;

    void SetSize(const Vector3& size) override;
    const Vector3& GetSize() const override { return size_; }

protected:
    bool ShapeEquals(const Collider& other) const override;
    void WriteShape(XMLWriter& writer, const Collider* reference) const override;
    bool ReadShape(const XMLNode& child) override;

private:
    Vector3 size_{1.0f, 1.0f, 1.0f};
};

// The radius spheres and capsules share.
class RoundCollider : public Collider
{
public:
    void SetRadius(float radius) override { StorePositive(radius, radius_); }
    float GetRadius() const override { return radius_; }

protected:
    using Collider::Collider;
    bool ShapeEquals(const Collider& other) const override;
    void WriteShape(XMLWriter& writer, const Collider* reference) const override;
    bool ReadShape(const XMLNode& child) override;

private:
    float radius_ = 0.5f;
};

class SphereCollider : public RoundCollider
{
public:
    SphereCollider() : RoundCollider(ColliderType::Sphere) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override { SerializeShape(writer, prefab); }
    void Deserialize(const XMLNode& element) override { DeserializeShape(element); }
    std::string GetName() const override { return "SphereCollider"; }
    std::unique_ptr<Component> Clone() const override;
};

// Upright: its axis is the world up axis, and its inner segment runs height / 2 - radius above and below
// its centre.
class CapsuleCollider : public RoundCollider
{
public:
    CapsuleCollider() : RoundCollider(ColliderType::Capsule) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override { SerializeShape(writer, prefab); }
    void Deserialize(const XMLNode& element) override { DeserializeShape(element); }
    std::string GetName() const override { return "CapsuleCollider"; }
    std::unique_ptr<Component> Clone() const override;

    void SetHeight(float height) override { StorePositive(height, height_); }
    float GetHeight() const override { return height_; }

protected:
    bool ShapeEquals(const Collider& other) const override;
    void WriteShape(XMLWriter& writer, const Collider* reference) const override;
    bool ReadShape(const XMLNode& child) override;

private:
    float height_ = 2.0f;
};
