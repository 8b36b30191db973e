#include "c_meshrenderer.h"

#include "resourcemanager.h"

namespace
{
constexpr const char* kMaterialList = "Material";

void WriteNames(XMLWriter& writer, const std::vector<std::string>& names)
{
    writer.BeginElement(kMaterialList);
    for (std::size_t n = 0; n < names.size(); ++n)
        writer.WriteElement(kMaterialList + std::to_string(n), names[n]);
    writer.EndElement();
}
} // namespace

void MeshRenderer::Serialize(XMLWriter& writer, const Component* prefab) const
{
    const auto* reference = dynamic_cast<const MeshRenderer*>(prefab);
    if (prefab && !reference)
        return;
    const bool writeFlag = !reference || reference->IsEnabled() != IsEnabled();
    const bool writeNames = reference ? reference->materialNames_ != materialNames_ : !materialNames_.empty();
    if (reference && !writeFlag && !writeNames)
        return;
    writer.BeginElement(GetElementName());
    if (writeFlag)
        writer.WriteElement("Enabled", IsEnabled());
    if (writeNames)
        WriteNames(writer, materialNames_);
    writer.EndElement();
}

void MeshRenderer::Deserialize(const XMLNode& element)
{
    for (const XMLNode* child : element.children)
    {
        if (child->name == "Enabled")
        {
            bool enabled = IsEnabled();
            if (XMLReader::ReadValue(child->value, &enabled))
                SetEnabledAndNotify(enabled);
        }
        else if (child->name == kMaterialList)
        {
            // Whatever the leaves are called, in file order.
            materialNames_.clear();
            for (const XMLNode* name : child->children)
                materialNames_.push_back(name->value);
        }
    }
}

void MeshRenderer::PostLoad()
{
    materials_.clear();
    for (const std::string& name : materialNames_)
        materials_.push_back(CachedMaterial(name));
}

bool MeshRenderer::Compare(const Component& other) const
{
    const auto* same = dynamic_cast<const MeshRenderer*>(&other);
    ASSERT(same, "MeshRenderer compare function kena nullptr");
    return same && same->IsEnabled() == IsEnabled();
}

bool MeshRenderer::IsMaterialIndex(std::int64_t index) const
{
    const bool valid = index >= 0 && static_cast<std::size_t>(index) < materialNames_.size() &&
                       static_cast<std::size_t>(index) < materials_.size();
    ASSERT(valid, "MeshRenderer - no material " + std::to_string(index) + " among " +
                      std::to_string(materialNames_.size()));
    return valid;
}

void MeshRenderer::SetDiffuseColorAt(const Vector4& colour, const int& index)
{
    if (IsMaterialIndex(index))
        materials_[static_cast<std::size_t>(index)].diffuse = colour;
}

Vector4 MeshRenderer::GetDiffuseColorAt(const int& index) const
{
    return IsMaterialIndex(index) ? materials_[static_cast<std::size_t>(index)].diffuse : Vector4();
}

std::string MeshRenderer::GetMaterialName(const int& index) const
{
    if (materialNames_.empty() || !IsMaterialIndex(index))
        return Material().name;
    return materialNames_[static_cast<std::size_t>(index)];
}

void MeshRenderer::SetMaterialName(const std::string& name, const int& index)
{
    if (!materialNames_.empty() && IsMaterialIndex(index))
        SetMaterialName(name, static_cast<unsigned>(index));
}

void MeshRenderer::SetMaterialName(const std::string& name, unsigned index)
{
    if (!IsMaterialIndex(index))
        return;
    materialNames_[index] = name;
    // The transparent pass draws the copies: the new name brings its material.
    materials_[index] = CachedMaterial(name);
}

void MeshRenderer::RefreshMaterial(const std::string& name)
{
    for (std::size_t index = 0; index < materialNames_.size() && index < materials_.size(); ++index)
        if (materialNames_[index] == name)
            materials_[index] = CachedMaterial(name);
}

void MeshRenderer::SetAlpha(const float& alpha)
{
    for (Material& material : materials_)
        material.SetAlpha(alpha);
    alpha_ = alpha;
}

void MeshRenderer::SetMaterialAlpha(const float& alpha, const int& index)
{
    if (IsMaterialIndex(index))
        materials_[static_cast<std::size_t>(index)].SetAlpha(alpha);
}

float MeshRenderer::GetMaterialAlpha(const int& index) const
{
    return IsMaterialIndex(index) ? materials_[static_cast<std::size_t>(index)].GetAlpha() : 0.0f;
}

void MeshRenderer::AddMaterial(const std::string& name)
{
    materialNames_.push_back(name);
    materials_.push_back(CachedMaterial(name));
}

void MeshRenderer::SetMaterialNames(const std::vector<std::string>& names)
{
    while (materialNames_.size() > names.size())
        PopMaterialName();
    for (std::size_t index = 0; index < names.size(); ++index)
        if (index >= materialNames_.size())
            AddMaterial(names[index]);
        else if (materialNames_[index] != names[index])
            SetMaterialName(names[index], static_cast<unsigned>(index));
}

void MeshRenderer::PopMaterialName()
{
    if (materialNames_.empty())
        return;
    materialNames_.pop_back();
    if (materials_.size() > materialNames_.size())
        materials_.pop_back();
}
