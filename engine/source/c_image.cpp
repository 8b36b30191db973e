#include "c_image.h"

#include "gameobject.h"
#include "resourcemanager.h"

void Image::Serialize(XMLWriter& writer, const Component*) const
{
    writer.BeginElement(GetElementName());
    writer.WriteElement("Enabled", IsEnabled());
    writer.WriteElement("Material", material_.name);
    writer.WriteElement("Alpha", material_.GetAlpha());
    writer.EndElement();
}

void Image::Deserialize(const XMLNode& element)
{
    for (const XMLNode* child : element.children)
    {
        if (child->name == "Enabled")
        {
            bool enabled = IsEnabled();
            if (XMLReader::ReadValue(child->value, &enabled))
                StoreEnabled(enabled);
            continue;
        }
        const GameObject* owner = GetGameObject(false);
        if (owner && owner->GetPrefabID() != 0)
            continue;
        if (child->name == "Material")
            SetMaterial(child->value);
        else if (child->name == "Alpha")
        {
            float alpha = GetAlpha();
            if (XMLReader::ReadValue(child->value, &alpha))
                SetAlpha(alpha);
        }
    }
}

bool Image::Compare(const Component& other) const
{
    const auto* same = dynamic_cast<const Image*>(&other);
    ASSERT(same, "Image compare function kena nullptr");
    return same && same->IsEnabled() == IsEnabled() && same->material_.name == material_.name;
}

void Image::SetMaterial(std::string name)
{
    material_ = CachedMaterial(name);
    // Saved under the name it was found by: a material whose file names it otherwise, or one not cached
    // (the default material), would come back as another.
    material_.name = std::move(name);
}
