#pragma once
#include "component.h"
#include "imageinterface.h"
#include "material.h"

// The look of a UI element: its own copy of a material, whose diffuse colour tints the element and whose
// diffuse map is its picture.
class Image : public ComponentBase<ImageInterface>
{
public:
    Image() : ComponentBase(CompEnum::Image) {}

    // Always the whole element.
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    // On a live object made from a prefab only the flag is read: the material and alpha stay the prefab's.
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "Image"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<Image>(*this); }
    // Flags and material names; colours are not compared.
    bool Compare(const Component& other) const override;

    void SetColor(const Vector4& colour) override { material_.diffuse = colour; }
    void SetAlpha(const float& alpha) override { material_.SetAlpha(alpha); }
    void SetMaterial(std::string name) override;
    Vector4 GetColor() const override { return material_.diffuse; }
    float GetAlpha() const override { return material_.GetAlpha(); }

    const Material& GetMaterial() const { return material_; }

private:
    Material material_;
};
