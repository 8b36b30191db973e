#pragma once
#include "component.h"
#include "meshfilterinterface.h"

// Names the model, by the model cache's key, that an object is drawn with.
class MeshFilter : public ComponentBase<MeshFilterInterface>
{
public:
    MeshFilter() : ComponentBase(CompEnum::MeshFilter) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "MeshFilter"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<MeshFilter>(*this); }
    bool Compare(const Component& other) const override;

    const std::string& GetMeshName() const override { return mesh_; }
    void SetMeshName(const std::string& name) override { mesh_ = name; }

private:
    // No model is cached under this name, so a new filter shows nothing.
    std::string mesh_ = "None";
};
