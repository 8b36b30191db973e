#pragma once
#include <string>

class GameObjectInterface;

// A mesh filter as scripts see it: the name of the model the object shows.
class MeshFilterInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual const std::string& GetMeshName() const = 0;
    // Drawn from the next frame on; nothing is loaded.
    virtual void SetMeshName(const std::string& name) = 0;

protected:
    ~MeshFilterInterface() = default;
};
