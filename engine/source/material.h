#pragma once
#include "TorvaneMath.h"

#include <cstdint>
#include <string>
#include <vector>

class XMLNodeList;
class XMLWriter;

// The surface values the "Forward" program gets for one sub-mesh. A plain value: no field refers to GL objects,
// texture maps are named by the texture cache's keys (file names with extension).
class Material
{
public:
    // The default material, "defaultMaterial".
    Material();
    Material(const Vector4& diffuse, const Vector4& specular, const Vector2& tiling, float shininess);

    // The element "Material" with one leaf per stored field.
    void Serialize(XMLWriter& writer) const;
    // Fills the fields named by the children of a parsed "Material" element; others keep their values.
    void Deserialize(const XMLNodeList& children);

    bool operator==(const Material&) const = default;

    void SetAlpha(float alpha) { diffuse.w = alpha; }
    float GetAlpha() const { return diffuse.w; }

    std::string name = "defaultMaterial";
    Vector4 diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    Vector4 specular{0.8f, 0.8f, 0.8f, 1.0f};
    Vector2 tiling{1.0f, 1.0f};
    float shininess = 32.0f;
    std::string diffuseMap;
    std::string specularMap;
    std::string normalMap;
    std::string heightMap;
    // 0 opaque, 1 transparent.
    std::uint32_t renderMode = 0;
    bool hasDiffuseMap = false;
    bool hasSpecularMap = false;
    bool hasNormalMap = false;
    bool hasHeightMap = false;
};
