#include "camerainterface.h"
#include "enginesystems.h"
#include "gameobject.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "levelrunner.h"
#include "transforminterface.h"
#include "vectornear.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace
{
// The engine's own input, renderer and editor without a window; the editor camera set up as Init leaves it,
// turned so that its axes are not the world's.
class EditorCameraTest : public ::testing::Test
{
protected:
    EditorCameraTest()
    {
        editor.SetUpEditorCamera();
        camera().SetRotation(Vector3(0.0f, 90.0f, 0.0f));
        core.ResetFrameTimer();
    }

    TransformInterface& camera() { return *core.GetGraphics()->GetEditorCamera().GetTransform(); }
    CameraInterface& view() { return *core.GetGraphics()->GetEditorCamera().GetCamera(); }
    // Keys held from this frame on, or let go.
    void Hold(std::initializer_list<std::uint16_t> keys, bool down = true)
    {
        for (std::uint16_t key : keys)
            input.SetKey(key, down);
    }

    Core core{EngineSystemsWithoutWindow()};
    InputSystem& input = *core.GetInput();
    Editor& editor = *core.GetEditor();
};
}

TEST(ScenePixel, ImageRowsFromTheTopBecomeTargetRowsFromTheBottom)
{
    const struct
    {
        Vector2 point;
        float height;
        std::pair<int, int> pixel;
    } cases[] = {{{10.7f, 20.2f}, 100.0f, {10, 79}}, {{0.5f, 0.5f}, 100.0f, {0, 99}}, {{99.9f, 99.9f}, 100.0f, {99, 0}}};
    for (const auto& c : cases)
        EXPECT_EQ(ScenePixel(c.point, c.height), c.pixel) << c.point.x << ", " << c.point.y;
}

TEST_F(EditorCameraTest, StartsAboveAndBehindTheOriginWithItsSpeedAsSensitivity)
{
    editor.SetUpEditorCamera();
    ExpectNear(camera().GetPosition(), Vector3(0.0f, 2.0f, -10.0f), "position");
    ExpectNear(camera().GetForward(), Vector3(0.0f, 0.0f, 1.0f), "forward");
    EXPECT_FLOAT_EQ(view().GetFOV(), 60.0f);
    EXPECT_FLOAT_EQ(view().GetNear(), 0.1f);
    EXPECT_FLOAT_EQ(view().GetFar(), 1000.0f);
    EXPECT_FLOAT_EQ(view().GetMouseSensitivity(), 5.0f);
}

TEST_F(EditorCameraTest, AWheelTurnOfAnySizeMovesHalfTheSpeedAlongTheView)
{
    for (float wheel : {1.0f, 120.0f, 0.001f, -1.0f, -360.0f, 0.0f})
    {
        const Vector3 before = camera().GetPosition();
        view().SetViewDirty(false);
        input.SetWheel(wheel);
        editor.ZoomEditorCamera();
        const float step = wheel > 0.0f ? 2.5f : wheel < 0.0f ? -2.5f : 0.0f;
        ExpectNear(camera().GetPosition(), before + camera().GetForward() * step, "position");
        EXPECT_EQ(view().IsViewDirty(), wheel != 0.0f) << wheel;
    }
}

TEST_F(EditorCameraTest, FliesOnlyWhileTheRightButtonIsHeldAndTurnsWithTheMouse)
{
    const float dt = core.GetFrameTime();
    const Vector3 start = camera().GetPosition();
    Hold({87});
    editor.MoveEditorCamera();
    ExpectNear(camera().GetPosition(), start, "W alone");

    const Vector3 forward = camera().GetForward();
    const Vector3 right = camera().GetRight();
    Hold({2, 68});
    input.AddRawMotion(10.0f, -4.0f);
    input.EndFrame();
    const Vector2 delta = input.GetMouseDelta();
    editor.MoveEditorCamera();
    // W forward, D against the right axis, each at the speed for the frame time.
    ExpectNear(camera().GetPosition(), start + (forward - right) * (5.0f * dt), "W and D", 1e-4f);
    ExpectNear(camera().GetRotation(), Vector3(-delta.y * 5.0f * dt, 90.0f + delta.x * 5.0f * dt, 0.0f), "turn");
}

TEST_F(EditorCameraTest, LSwitchesAlphaDiscardUnlessATextFieldHasTheKeyboard)
{
    Graphics& graphics = *core.GetGraphics();
    const bool start = graphics.settings.discardAlpha;
    Hold({76});
    editor.MoveEditorCamera();
    EXPECT_NE(graphics.settings.discardAlpha, start);

    input.EndFrame();
    Hold({76}, false);
    input.EndFrame();
    Hold({76});
    ImGui::GetIO().WantTextInput = true;
    editor.MoveEditorCamera();
    EXPECT_NE(graphics.settings.discardAlpha, start);
}

namespace
{
// The scene view's picture as the editor last drew it: the editor view while editing or paused, else the game
// view. Shows the level when most of it is neither black nor one colour.
struct ViewPicture
{
    std::size_t pixels = 0;
    std::size_t black = 0;
    std::set<std::uint32_t> colours;

    bool ShowsTheLevel() const { return pixels > 0 && black * 2 < pixels && colours.size() > 16; }
};

ViewPicture ReadView(Editor& editor, Graphics& graphics)
{
    const RenderTarget target = editor.EditingView() ? graphics.EditorViewTarget() : graphics.GameViewTarget();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(target.width) * target.height * 3);
    glFinish();
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, target.width, target.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ViewPicture picture;
    for (std::size_t at = 0; at + 2 < rgb.size(); at += 3)
    {
        ++picture.pixels;
        picture.black += rgb[at] < 8 && rgb[at + 1] < 8 && rgb[at + 2] < 8;
        picture.colours.insert(rgb[at] << 16 | rgb[at + 1] << 8 | rgb[at + 2]);
    }
    return picture;
}

std::string Describe(const ViewPicture& picture)
{
    return std::to_string(picture.black) + " of " + std::to_string(picture.pixels) + " pixels black, " +
           std::to_string(picture.colours.size()) + " colours";
}
}

// The levels are saved under their opaque fade, which the game lifts once its scripts run: the editor still
// shows the level itself, before, during and after Play.
TEST(EditorLevelView, TheSceneViewShowsTheShippedLevelsAroundPlay)
{
    SKIP_UNLESS_LEVELS_CAN_RUN();
    // The fade takes a second; the frames after it leave time for the splash's logo to come up.
    constexpr int kPastTheFade = 75;
    for (const char* level : {"SplashCalvorn", "TombLevel1"})
    {
        LevelRunner runner("", level, {}, RunnerMode::Editor);
        Editor& editor = *runner.GetCore().GetEditor();
        Graphics& graphics = *runner.GetCore().GetGraphics();
        runner.Frames(3);
        ViewPicture picture = ReadView(editor, graphics);
        EXPECT_TRUE(picture.ShowsTheLevel()) << level << " before Play: " << Describe(picture);

        testing::internal::CaptureStdout();
        ASSERT_TRUE(editor.PlayScene()) << level;
        runner.Frames(kPastTheFade);
        testing::internal::GetCapturedStdout();
        picture = ReadView(editor, graphics);
        EXPECT_TRUE(picture.ShowsTheLevel()) << level << " in Play: " << Describe(picture);

        testing::internal::CaptureStdout();
        ASSERT_TRUE(editor.StopScene()) << level;
        runner.Frames(3);
        testing::internal::GetCapturedStdout();
        picture = ReadView(editor, graphics);
        EXPECT_TRUE(picture.ShowsTheLevel()) << level << " after Stop: " << Describe(picture);
    }
}
