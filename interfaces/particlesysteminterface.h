#pragma once

class GameObjectInterface;

// A particle system as scripts see it.
class ParticleSystemInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;

protected:
    ~ParticleSystemInterface() = default;
};
