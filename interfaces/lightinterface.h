#pragma once
#include "TorvaneMath.h"

class GameObjectInterface;

// A light of either kind as scripts see it. Direction belongs to directional lights and range to point
// lights: the others answer zero and ignore the setter.
class LightInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    // 0 directional, 1 point, 2 a plain light of neither kind.
    virtual unsigned GetType() const = 0;
    virtual Vector3 GetAmbient() const = 0;
    virtual Vector3 GetDiffuse() const = 0;
    virtual Vector3 GetSpecular() const = 0;
    virtual float GetIntensity() const = 0;
    virtual Vector3 GetDirection() const = 0;
    virtual float GetRange() const = 0;
    virtual void SetAmbient(const Vector3& colour) = 0;
    virtual void SetDiffuse(const Vector3& colour) = 0;
    virtual void SetSpecular(const Vector3& colour) = 0;
    virtual void SetIntensity(const float& intensity) = 0;
    virtual void SetDirection(const Vector3& direction) = 0;
    virtual void SetRange(const float& range) = 0;

protected:
    ~LightInterface() = default;
};
