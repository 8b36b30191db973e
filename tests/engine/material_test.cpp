#include "material.h"
#include "xmltext.h"

#include <gtest/gtest.h>

namespace
{
Material ReadMaterial(const std::string& text)
{
    const auto reader = XmlText().Parsed(text);
    Material material;
    material.Deserialize(reader->GetRoot()->children);
    return material;
}

void ExpectEqual(const Material& a, const Material& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.renderMode, b.renderMode);
    EXPECT_EQ(a.diffuse, b.diffuse);
    EXPECT_EQ(a.specular, b.specular);
    EXPECT_EQ(a.tiling, b.tiling);
    EXPECT_FLOAT_EQ(a.shininess, b.shininess);
    EXPECT_EQ(a.diffuseMap, b.diffuseMap);
    EXPECT_EQ(a.specularMap, b.specularMap);
    EXPECT_EQ(a.normalMap, b.normalMap);
    EXPECT_EQ(a.heightMap, b.heightMap);
    EXPECT_EQ(a.hasDiffuseMap, b.hasDiffuseMap);
    EXPECT_EQ(a.hasSpecularMap, b.hasSpecularMap);
    EXPECT_EQ(a.hasNormalMap, b.hasNormalMap);
    EXPECT_EQ(a.hasHeightMap, b.hasHeightMap);
}
}

TEST(Material, DefaultIsTheNamedGreyMaterialWithoutMaps)
{
    const Material material;
    ExpectEqual(material, Material({0.8f, 0.8f, 0.8f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {1.0f, 1.0f}, 32.0f));
    EXPECT_EQ(material.name, "defaultMaterial");
    EXPECT_EQ(material.renderMode, 0u);
    EXPECT_FALSE(material.hasDiffuseMap || material.hasSpecularMap || material.hasNormalMap || material.hasHeightMap);
}

TEST(Material, FileRoundTripsEveryFieldIncludingEmptyMaps)
{
    Material written({0.1f, 0.2f, 0.3f, 0.5f}, {1.0f, 0.5f, 0.25f, 1.0f}, {2.0f, 3.5f}, 64.0f);
    written.name = "Crate";
    written.renderMode = 1;
    written.diffuseMap = "crate.dds";
    written.hasDiffuseMap = true;
    written.normalMap = "normal.dds";
    written.hasNormalMap = true;

    const std::string text = XmlText().Written([&](XMLWriter& writer) { written.Serialize(writer); });
    EXPECT_EQ(text.substr(0, text.find('\n')), "<Material>");
    ExpectEqual(ReadMaterial(text), written);

    // The editor saves materials back: the leaves keep their names and order.
    std::vector<std::string> keys;
    const auto reader = XmlText().Parsed(text);
    for (const XMLNode* child : reader->GetRoot()->children)
        keys.push_back(child->name);
    EXPECT_EQ(keys, (std::vector<std::string>{"MatName", "RenderMode", "Diffuse", "Specular", "Shininess", "Tiling",
                                              "DiffuseMap", "SpecularMap", "NormalMap", "HeightMap"}));
}

TEST(Material, ReadingKeepsWhatTheFileLeavesOutOrGetsWrong)
{
    // An unknown render mode, a malformed number and a map with an empty value change nothing.
    const Material material = ReadMaterial("<Material>\n"
                                           "\t<RenderMode>2</RenderMode>\n"
                                           "\t<Shininess>shiny</Shininess>\n"
                                           "\t<DiffuseMap></DiffuseMap>\n"
                                           "\t<Unknown>1</Unknown>\n"
                                           "\t<MatName>Stone</MatName>\n"
                                           "</Material>\n");
    Material expected;
    expected.name = "Stone";
    ExpectEqual(material, expected);

    const Material notANumber = ReadMaterial("<Material>\n\t<RenderMode>one</RenderMode>\n</Material>\n");
    EXPECT_EQ(notANumber.renderMode, 0u);
    const Material transparent = ReadMaterial("<Material>\n\t<RenderMode>1</RenderMode>\n</Material>\n");
    EXPECT_EQ(transparent.renderMode, 1u);
}

TEST(Material, AlphaIsTheDiffuseColoursFourthComponent)
{
    Material material;
    material.SetAlpha(0.5f);
    EXPECT_FLOAT_EQ(material.GetAlpha(), 0.5f);
    EXPECT_EQ(material.diffuse, Vector4(0.8f, 0.8f, 0.8f, 0.5f));
}
