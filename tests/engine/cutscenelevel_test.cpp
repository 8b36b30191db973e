// The presentation fixture levels on the engine and the built game library: the test scripts' level, a panel
// cutscene run to its next level on Enter presses, and a playable level whose cutscene shots and final
// sequence run through to the load of "Cutscene3".
#include "gameobject.h"
#include "graphics.h"
#include "levelrunner.h"
#include "camerainterface.h"
#include "recttransforminterface.h"
#include "transforminterface.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace
{
class PresentationLevel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_UNLESS_LEVELS_CAN_RUN();
    }
    void Play(const std::string& level) { runner = std::make_unique<LevelRunner>(GetFixture(), level); }
    virtual std::string GetFixture() const = 0;

    // One frame with the key down, one with it up.
    void Tap(SDL_Keycode key)
    {
        runner->Hold(key);
        runner->Frames(1);
        runner->Let(key);
        runner->Frames(1);
    }
    // What the frames wrote on standard output.
    std::string Output(const std::function<void()>& frames) const
    {
        testing::internal::CaptureStdout();
        frames();
        return testing::internal::GetCapturedStdout();
    }
    std::string GameCamera() const
    {
        const CameraInterface* camera = runner->GetCore().GetGraphics()->GetGameCamera();
        return camera ? camera->GetGameObject()->GetName() : "";
    }

    std::unique_ptr<LevelRunner> runner;
};

class TestScriptLevel : public PresentationLevel
{
    std::string GetFixture() const override { return "testscripts"; }
};

TEST_F(TestScriptLevel, TheScriptsPrintTheirLinesSpawnRemoveAndSwitchCameras)
{
    Play("TestScripts");
    const std::string started = Output([&] { runner->Frames(3); });
    EXPECT_NE(started.find("TestFastMono is Awake!\nTestFastMono is Started!\n"), std::string::npos) << started;
    EXPECT_NE(started.find("TestPrint Awake!"), std::string::npos) << started;

    EXPECT_NE(Output([&] { Tap(SDLK_KP_1); }).find("fdsa2 : 01\n"), std::string::npos);
    EXPECT_EQ(runner->Object("fdsa2").GetName(), "fdsa2");
    EXPECT_NE(Output([&] { Tap(SDLK_z); }).find("TestPrint OnDestroy!\n"), std::string::npos);
    EXPECT_NE(Output([&] { Tap(SDLK_r); }).find("Script2 printing\n"), std::string::npos);

    Tap(SDLK_q);
    EXPECT_EQ(GameCamera(), "Camera2");
    Tap(SDLK_w);
    EXPECT_EQ(GameCamera(), "Camera1");
}

class CutsceneLevel : public PresentationLevel
{
    std::string GetFixture() const override { return "cutscenes"; }

protected:
    // The pixel the UI draws at the top middle of the picture.
    std::array<unsigned char, 3> TopMiddle() const
    {
        Graphics& graphics = *runner->GetCore().GetGraphics();
        graphics.PrepareFrame();
        graphics.DrawFrame(graphics.WindowTarget());
        glFinish();
        unsigned char rgba[4] = {};
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadPixels(32, 36, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }
};

TEST_F(CutsceneLevel, APanelCutsceneDrawsItsStripAtTheFarEdgeAndReachesItsNextLevelOnEnter)
{
    Play("Panels");
    runner->Frames(3);
    const RectTransformInterface& strip = *runner->Object("Cutscene").GetRectTransform();
    EXPECT_EQ(strip.GetPosition().z, -1.0f);
    const Vector4 clear = runner->GetCore().GetGraphics()->settings.clearColour;
    const auto pixel = TopMiddle();
    EXPECT_NE(pixel, (std::array<unsigned char, 3>{static_cast<unsigned char>(clear.x * 255.0f + 0.5f),
                                                  static_cast<unsigned char>(clear.y * 255.0f + 0.5f),
                                                  static_cast<unsigned char>(clear.z * 255.0f + 0.5f)}));

    // Four panels: each one a snap and an advance, the last advance the finish.
    for (int press = 0; press < 8; ++press)
        Tap(SDLK_RETURN);
    EXPECT_EQ(runner->Factory().GetLevelName(), "Panels");
    runner->Frames(70);
    EXPECT_EQ(runner->Factory().GetLevelName(), "AfterPanels");
    EXPECT_EQ(runner->Object("Marker").GetName(), "Marker");
}

TEST_F(CutsceneLevel, TheShotsTakeTheCameraInTurnGiveItBackAndTheFinalSequenceLoadsCutsceneThree)
{
    Play("Cutscenes");
    runner->Frames(4);
    EXPECT_EQ(GameCamera(), "Shot1");
    EXPECT_FALSE(runner->Object("InGameHUD").IsActive());
    // Half a second without fades, then the second shot.
    runner->Frames(32);
    EXPECT_EQ(GameCamera(), "Shot2");
    Tap(SDLK_RETURN);
    runner->Frames(66);
    EXPECT_EQ(GameCamera(), "Camera");
    EXPECT_TRUE(runner->Object("InGameHUD").IsActive());

    // Enter walks the final sequence's beats; it loads "Cutscene3" a second after its fade-out began.
    for (int press = 0; press < 40 && runner->Factory().GetLevelName() != "Cutscene3"; ++press)
    {
        Tap(SDLK_RETURN);
        runner->Frames(8);
    }
    runner->Frames(70);
    EXPECT_EQ(runner->Factory().GetLevelName(), "Cutscene3");
}
} // namespace
