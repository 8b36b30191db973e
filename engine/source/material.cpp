#include "material.h"

#include "serializer.h"

Material::Material() = default;

Material::Material(const Vector4& diffuse_, const Vector4& specular_, const Vector2& tiling_, float shininess_)
    : diffuse(diffuse_), specular(specular_), tiling(tiling_), shininess(shininess_)
{
}

void Material::Serialize(XMLWriter& writer) const
{
    writer.BeginElement("Material");
    writer.WriteElement("MatName", name);
    writer.WriteElement("RenderMode", std::uint64_t{renderMode});
    writer.WriteElement("Diffuse", diffuse);
    writer.WriteElement("Specular", specular);
    writer.WriteElement("Shininess", shininess);
    writer.WriteElement("Tiling", tiling);
    writer.WriteElement("DiffuseMap", diffuseMap);
    writer.WriteElement("SpecularMap", specularMap);
    writer.WriteElement("NormalMap", normalMap);
    writer.WriteElement("HeightMap", heightMap);
    writer.EndElement();
}

namespace
{
void ReadMap(std::string_view value, std::string& map, bool& hasMap)
{
    map = value;
    hasMap = !value.empty();
}

// Only the two known modes are taken; anything else keeps the current one.
void ReadRenderMode(std::string_view value, std::uint32_t& renderMode)
{
    int mode = -1;
    if (XMLReader::ReadValue(value, &mode) && (mode == 0 || mode == 1))
        renderMode = static_cast<std::uint32_t>(mode);
}
}

void Material::Deserialize(const XMLNodeList& children)
{
    for (const XMLNode* child : children)
    {
        const std::string_view key = child->name;
        const std::string_view value = child->value;
        if (key == "MatName")
            name = value;
        else if (key == "RenderMode")
            ReadRenderMode(value, renderMode);
        else if (key == "Diffuse")
            XMLReader::ReadValue(value, &diffuse);
        else if (key == "Specular")
            XMLReader::ReadValue(value, &specular);
        else if (key == "Tiling")
            XMLReader::ReadValue(value, &tiling);
        else if (key == "Shininess")
            XMLReader::ReadValue(value, &shininess);
        else if (key == "DiffuseMap")
            ReadMap(value, diffuseMap, hasDiffuseMap);
        else if (key == "SpecularMap")
            ReadMap(value, specularMap, hasSpecularMap);
        else if (key == "NormalMap")
            ReadMap(value, normalMap, hasNormalMap);
        else if (key == "HeightMap")
            ReadMap(value, heightMap, hasHeightMap);
    }
}
