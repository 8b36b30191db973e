// The transform gizmo in the running editor, driven through the X server.
#include "editorharness.h"
#include "gameobject.h"
#include "transforminterface.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <array>
#include <cmath>

namespace
{
class GizmoHarness : public EditorHarness
{
protected:
    void SetUp() override
    {
        EditorHarness::SetUp();
        if (IsSkipped())
            return;
        ClickAt(ScreenOf(Vector3(-2.0f, 2.0f, 0.0f)));
        ASSERT_EQ(editor().InspectedObject(), &Object("Cube"));
    }
    TransformInterface& cube() { return *Object("Cube").GetTransform(); }
    // Where the gizmo shows a world point.
    std::pair<int, int> OnScreen(const Vector3& world)
    {
        const Vector2 point = gizmo::WorldToScreen(editor().GizmoState(), world, editor().GizmoState().viewProjection);
        return {static_cast<int>(point.x), static_cast<int>(point.y)};
    }
    // Along the cube's X handle, at that share of its length.
    std::pair<int, int> OnXHandle(float share)
    {
        const gizmo::Context& state = editor().GizmoState();
        return OnScreen(cube().GetPosition() + Vector3(state.sizeFactor * share, 0.0f, 0.0f));
    }
    // The window's last shown picture at a screen point.
    static std::array<float, 3> ShownColour(const std::pair<int, int>& point)
    {
        const int height = static_cast<int>(ImGui::GetIO().DisplaySize.y);
        std::array<float, 3> rgb{};
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glReadBuffer(GL_FRONT);
        glReadPixels(point.first, height - 1 - point.second, 1, 1, GL_RGB, GL_FLOAT, rgb.data());
        glReadBuffer(GL_BACK);
        return rgb;
    }
};
}

TEST_F(GizmoHarness, TheMoveHandlesShowOverTheSelectedCubeInTheirColours)
{
    const gizmo::Context& state = editor().GizmoState();
    EXPECT_NEAR(state.screenCentre.x, ScreenOf(Vector3(-2.0f, 2.0f, 0.0f)).first, 1.5f);
    EXPECT_NEAR(state.screenCentre.y, ScreenOf(Vector3(-2.0f, 2.0f, 0.0f)).second, 1.5f);
    const std::array<float, 3> handle = ShownColour(OnXHandle(0.7f));
    EXPECT_NEAR(handle[0], 0xAA / 255.0f, 0.1f);
    EXPECT_LT(handle[1], 0.1f);
    EXPECT_LT(handle[2], 0.1f);
}

TEST_F(GizmoHarness, DraggingTheXHandleMovesTheCubeAlongXAndWithShiftInWholeSteps)
{
    const Vector3 start = cube().GetPosition();
    DragFromTo(OnXHandle(0.8f), OnScreen(Vector3(-0.7f, 2.0f, 0.0f)));
    EXPECT_GT(cube().GetPosition().x, start.x + 0.5f);
    EXPECT_FLOAT_EQ(cube().GetPosition().y, start.y);
    EXPECT_FLOAT_EQ(cube().GetPosition().z, start.z);
    // The press was the gizmo's: the selection stayed.
    EXPECT_EQ(editor().InspectedObject(), &Object("Cube"));

    cube().SetPosition(start);
    Frames(2);
    HoldKey("Shift_L", true);
    DragFromTo(OnXHandle(0.8f), OnScreen(Vector3(-0.3f, 2.0f, 0.0f)));
    HoldKey("Shift_L", false);
    const float moved = cube().GetPosition().x - start.x;
    EXPECT_GT(moved, 0.5f);
    EXPECT_NEAR(moved, std::round(moved), 1e-4f);
}

TEST_F(GizmoHarness, ADragOnTheScreenRingTurnsTheCubeAboutTheView)
{
    editor().GizmoSettings().operation = gizmo::kRotate;
    Frames(2);
    const gizmo::Context& state = editor().GizmoState();
    // The top of the screen ring.
    const std::pair<int, int> ring = {static_cast<int>(state.screenCentre.x),
                                      static_cast<int>(state.screenCentre.y - state.ringRadius)};
    DragFromTo(ring, {ring.first + 60, ring.second + 40});
    EXPECT_GT(std::fabs(cube().GetRotation().z), 5.0f);
}

TEST_F(GizmoHarness, ABoundsCornerDragScalesTheCubeWithTheOppositeCornerFixed)
{
    editor().GizmoSettings().boundSizing = true;
    editor().GizmoSettings().operation = gizmo::kScale;
    Frames(2);
    // The cube is 2 × 2 × 2 at (-2, 2, 0): its box's face across z runs from (-3, 1) to (-1, 3).
    DragFromTo(OnScreen(Vector3(-1.0f, 3.0f, 0.0f)), OnScreen(Vector3(-0.5f, 3.5f, 0.0f)));
    const Vector3 scale = cube().GetScale();
    const Vector3 position = cube().GetPosition();
    EXPECT_NEAR(scale.x, 2.5f, 0.05f);
    EXPECT_NEAR(scale.y, 2.5f, 0.05f);
    EXPECT_FLOAT_EQ(scale.z, 2.0f);
    EXPECT_NEAR(position.x - scale.x / 2.0f, -3.0f, 0.05f);
    EXPECT_NEAR(position.y - scale.y / 2.0f, 1.0f, 0.05f);
}
