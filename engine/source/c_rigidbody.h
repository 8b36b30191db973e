#pragma once
#include "component.h"
#include "rigidbodyinterface.h"

// Makes its object take part in the dynamics: mass, gravity scale, velocity and the force the physics turns
// into velocity each step.
class RigidBody : public ComponentBase<RigidBodyInterface>
{
public:
    static constexpr float kStaticMass = 10000.0f;

    // A mass that is not positive and finite (within 1e-6 of 0 counts as 0) becomes 1.
    explicit RigidBody(float mass = 1.0f, float gravityScale = 1.0f);
    // Every field, the enabled flag included, under the constructor's mass rule.
    RigidBody(const RigidBody& source);
    RigidBody& operator=(const RigidBody&) = delete;

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    // Loads through the setters, so a static body ends with mass 10000 and "Enabled" is announced.
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "RigidBody"; }
    std::unique_ptr<Component> Clone() const override;
    // Enabled and static flags, mass and gravity scale; the motion is working state and takes no part.
    bool Compare(const Component& other) const override;

    // A mass that is not positive and finite is reported and leaves the mass as it is; a static body always
    // ends with kStaticMass.
    void SetMass(const float& mass) override;
    const float& GetMass() const override { return mass_; }
    void SetStatic(bool isStatic) override;
    bool IsStatic() const override { return static_; }
    void SetGravityScale(float scale) override { gravityScale_ = scale; }
    float GetGravityScale() const override { return gravityScale_; }
    void SetForce(const Vector3& force) override { force_ = force; }
    const Vector3& GetForce() const override { return force_; }
    // Uses Core's frame time; without one (no Core, the first frame, a paused clock) nothing is added.
    void SetVelocity(const Vector3& target) override;
    Vector3& GetVelocity() override { return velocity_; }
    void AddForce(const Vector3& force) override;

    // The physics' working state for one update: where the body starts the remaining step, and where it ends.
    Vector3 StartPosition;
    Vector3 EndPosition;

private:
    bool static_ = false;
    float mass_;
    float gravityScale_;
    Vector3 velocity_;
    Vector3 force_;
};
