#pragma once

class GameObjectInterface;

// A collider of any shape as scripts see it.
class ColliderInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

protected:
    ~ColliderInterface() = default;
};
