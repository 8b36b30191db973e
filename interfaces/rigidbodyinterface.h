#pragma once

class GameObjectInterface;

// A rigid body as scripts see it.
class RigidBodyInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

protected:
    ~RigidBodyInterface() = default;
};
