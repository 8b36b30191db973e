#pragma once
#include "TorvaneMath.h"

class GameObjectInterface;

// A rigid body as scripts see it. A static body is never moved by the physics and weighs 10000.
class RigidBodyInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    // A value within 1e-6 of 0 is ignored; a static body keeps 10000 whatever is asked.
    virtual void SetMass(const float& mass) = 0;
    virtual const float& GetMass() const = 0;
    // Applies the mass rules again, so a body made static weighs 10000, and keeps it when made dynamic again.
    virtual void SetStatic(bool isStatic) = 0;
    virtual bool IsStatic() const = 0;
    // Multiplies gravity for this body.
    virtual void SetGravityScale(float scale) = 0;
    virtual float GetGravityScale() const = 0;
    // Overwrites the force the next physics step turns into velocity, static or not.
    virtual void SetForce(const Vector3& force) = 0;
    virtual const Vector3& GetForce() const = 0;
    // Adds the force that reaches the velocity over one frame; the velocity itself changes in the next step.
    virtual void SetVelocity(const Vector3& target) = 0;
    // Units per second; the physics writes it through this reference.
    virtual Vector3& GetVelocity() = 0;
    // Ignored by a static body.
    virtual void AddForce(const Vector3& force) = 0;

protected:
    ~RigidBodyInterface() = default;
};
