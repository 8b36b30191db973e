#pragma once
#include "TorvaneMath.h"

#include <string>

class GameObjectInterface;

// A UI image as scripts see it: its own copy of a material, whose diffuse colour is the tint and alpha.
class ImageInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetColor(const Vector4& colour) = 0;
    // 0 hidden, 1 shown.
    virtual void SetAlpha(const float& alpha) = 0;
    // Replaces the whole material, tint included, with a copy of the named one; an unknown name gets the
    // default material.
    virtual void SetMaterial(std::string name) = 0;
    virtual Vector4 GetColor() const = 0;
    virtual float GetAlpha() const = 0;

protected:
    ~ImageInterface() = default;
};
