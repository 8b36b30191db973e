#pragma once
#include "component.h"
#include "material.h"
#include "meshrendererinterface.h"

#include <cstdint>
#include <vector>

// Draws an object's model with one material per sub-mesh: the names are the material cache's keys, and the
// renderer keeps its own copy of each, so tinting or fading one object changes no other. Names and copies
// always stand index for index.
class MeshRenderer : public ComponentBase<MeshRendererInterface>
{
public:
    MeshRenderer() : ComponentBase(CompEnum::MeshRenderer) {}

    // Given the prefab's renderer, the flag when it differs and the whole name list when it differs.
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    // A "Material" element replaces the name list.
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "MeshRenderer"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<MeshRenderer>(*this); }
    // Takes a fresh copy of every named material.
    void PostLoad() override;
    // The flags only: material lists are not compared.
    bool Compare(const Component& other) const override;

    void SetDiffuseColorAt(const Vector4& colour, const int& index) override;
    void SetDiffuseColor(const Vector4& colour) override { SetDiffuseColorAt(colour, 0); }
    Vector4 GetDiffuseColorAt(const int& index) const override;
    Vector4 GetDiffuseColor() const override { return GetDiffuseColorAt(0); }
    int GetMaterialCount() const override { return static_cast<int>(materialNames_.size()); }
    std::string GetMaterialName(const int& index) const override;
    // Nothing when the renderer has no material.
    void SetMaterialName(const std::string& name, const int& index) override;
    void SetAlpha(const float& alpha) override;
    float GetAlpha() const override { return alpha_; }
    void SetMaterialAlpha(const float& alpha, const int& index) override;
    float GetMaterialAlpha(const int& index) const override;

    // The editor's operations.
    void AddMaterial(const std::string& name);
    void PopMaterialName();
    const std::vector<std::string>& GetMaterialNames() const { return materialNames_; }
    void SetMaterialName(const std::string& name, unsigned index);
    // Names that change bring their materials; the others keep theirs.
    void SetMaterialNames(const std::vector<std::string>& names);
    // A fresh copy of the cached material for every slot of that name, after the cached one was edited.
    void RefreshMaterial(const std::string& name);
    // The copies the passes draw with.
    const std::vector<Material>& GetMaterials() const { return materials_; }

private:
    // True for an index of a material; otherwise reports it.
    bool IsMaterialIndex(std::int64_t index) const;

    std::vector<std::string> materialNames_;
    std::vector<Material> materials_;
    float alpha_ = 1.0f;
};
