// The material inspector in the running editor: what it changes shows in the scene view's next picture.
#include "c_meshrenderer.h"
#include "editorharness.h"
#include "editorshowinfo.h"
#include "gameobject.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>

namespace
{
// The scene view's colour where a world point shows, as the last frame drew it.
std::array<float, 4> SceneColourAt(Graphics& graphics, const Editor& editor, const std::pair<int, int>& screen)
{
    const PanelRect& image = editor.SceneImage();
    const auto [x, y] =
        ScenePixel(Vector2(static_cast<float>(screen.first) - image.x, static_cast<float>(screen.second) - image.y),
                   image.height);
    std::array<float, 4> rgba{};
    glBindFramebuffer(GL_FRAMEBUFFER, graphics.GetFramebuffer(Graphics::kEditorViewKey));
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_FLOAT, rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return rgba;
}
}

TEST_F(EditorHarness, FadeDrawsTheCubeBlendedInTheNextFrame)
{
    GameObject& cube = Object("Cube");
    // The renderer's own copy fades; the opaque pass draws from the shared record, which stays solid.
    cube.GetComponent<MeshRenderer>()->SetAlpha(0.05f);
    editor().SetInspected(nullptr, "Cube", InspectorKind::Material, false);
    Frames(2);
    const std::pair<int, int> centre = ScreenOf(Vector3(-2.0f, 2.0f, 0.0f));
    const std::array<float, 4> solid = SceneColourAt(graphics(), editor(), centre);
    const std::array<float, 4> background =
        SceneColourAt(graphics(), editor(), {centre.first, static_cast<int>(editor().SceneImage().y + 3)});

    inspector::SetRenderMode(graphics().GetResourceManager()->materials.at("Cube"), 1);
    Frames(1);
    EXPECT_TRUE(graphics().transparentRenderables.active.Contains(&cube));
    const std::array<float, 4> faded = SceneColourAt(graphics(), editor(), centre);
    float towardsBackground = 0.0f;
    for (int channel = 0; channel < 3; ++channel)
        towardsBackground += std::abs(faded[channel] - background[channel]) - std::abs(solid[channel] - background[channel]);
    EXPECT_LT(towardsBackground, -0.1f) << solid[0] << " " << faded[0] << " " << background[0];
}

// A blended renderer draws from its own copy of the material: an edit of the material reaches the copy.
TEST_F(EditorHarness, AnEditedMaterialShowsOnTheBlendedRenderersThatUseIt)
{
    const MeshRenderer& renderer = *Object("Cube").GetComponent<MeshRenderer>();
    ASSERT_EQ(renderer.GetMaterialNames(), std::vector<std::string>{"Cube"});
    inspector::SetRenderMode(graphics().GetResourceManager()->materials.at("Cube"), 1);
    editor().SetInspected(nullptr, "Cube", InspectorKind::Material, false);
    Frames(1);
    ASSERT_TRUE(graphics().transparentRenderables.active.Contains(&Object("Cube")));
    const std::string texture = graphics().GetResourceManager()->textures.begin()->second.name;
    ASSERT_NE(renderer.GetMaterials().at(0).diffuseMap, texture);

    editor().OpenTexturePicker("diffMap");
    editor().PickTexture(texture);
    Frames(1);
    EXPECT_EQ(renderer.GetMaterials().at(0).diffuseMap, texture);
    EXPECT_TRUE(renderer.GetMaterials().at(0).hasDiffuseMap);
}
