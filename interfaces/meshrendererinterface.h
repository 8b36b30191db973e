#pragma once
#include "TorvaneMath.h"

#include <string>

class GameObjectInterface;

// A mesh renderer as scripts see it: one material per sub-mesh, each the object's own copy, so tinting or
// fading one object leaves the others alone. An index outside 0 ... count - 1 is reported and ignored
// (getters answer zero).
class MeshRendererInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Tells every system when the value changes.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetDiffuseColorAt(const Vector4& colour, const int& index) = 0;
    // The first material's.
    virtual void SetDiffuseColor(const Vector4& colour) = 0;
    virtual Vector4 GetDiffuseColorAt(const int& index) const = 0;
    virtual Vector4 GetDiffuseColor() const = 0;
    virtual int GetMaterialCount() const = 0;
    // "defaultMaterial" when the renderer has no material.
    virtual std::string GetMaterialName(const int& index) const = 0;
    // Renames the slot and takes a copy of the material of the new name.
    virtual void SetMaterialName(const std::string& name, const int& index) = 0;
    // Every material's alpha.
    virtual void SetAlpha(const float& alpha) = 0;
    // The alpha last given to SetAlpha.
    virtual float GetAlpha() const = 0;
    virtual void SetMaterialAlpha(const float& alpha, const int& index) = 0;
    virtual float GetMaterialAlpha(const int& index) const = 0;

protected:
    ~MeshRendererInterface() = default;
};
