// The player fixture level played on the engine and the built game library: the player lands on the floor,
// walks where the picture says, jumps, and still walks after the library is installed again.
#include "graphics.h"
#include "levelrunner.h"
#include "transforminterface.h"
#include "vectornear.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
// Frames for the player, dropped from half a unit above the floor, to land and settle.
constexpr int kSettleFrames = 40;

// A point in the game camera's clip space as the renderer last drew it: x / w runs to the picture's right,
// w grows with the distance ahead of the camera.
struct ClipPoint
{
    float right;
    float depth;
};

class PlayerLevel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SKIP_UNLESS_LEVELS_CAN_RUN();
        runner = std::make_unique<LevelRunner>("player", "Player");
    }

    // The record of the contact between the two objects, with the first as the pair's first object; null
    // when they do not touch.
    const CollisionData* Touching(const std::string& first, const std::string& second) const
    {
        for (const CollisionData& record : runner->Physics().TouchingContacts().Records())
            if (record.objectA && record.objectB && record.objectA->GetName() == first &&
                record.objectB->GetName() == second)
                return &record;
        return nullptr;
    }

    Matrix4 ViewProjection() const
    {
        const Graphics& graphics = *runner->GetCore().GetGraphics();
        return graphics.GetGameProjection() * graphics.GetGameView();
    }
    static ClipPoint Clip(const Matrix4& viewProjection, const Vector3& point)
    {
        const Vector4 clip = viewProjection * Vector4(point, 1.0f);
        return {clip.x / clip.w, clip.w};
    }

    // Holds the key for the frames, then lets it go and lets the player come to rest.
    void Press(SDL_Keycode key, int frames)
    {
        runner->Hold(key);
        runner->Frames(frames);
        runner->Let(key);
        runner->Frames(20);
    }

    std::unique_ptr<LevelRunner> runner;
};

TEST_F(PlayerLevel, ThePlayerLandsWalksWhereThePictureSaysAndJumpsWithTheCameraBehindIt)
{
    // Loaded at yaw 90: the camera starts behind the player, looking the way the player is drawn facing.
    runner->Frames(1);
    const Vector3 facing = runner->Object("Player").GetTransform()->GetForward();
    const TransformInterface& view = *runner->Object("Camera").GetTransform();
    const Vector3 behind = runner->Position("Player") - runner->Position("Camera");
    EXPECT_NEAR(std::fabs(facing.x), 1.0f, 1e-5f) << "turned a quarter";
    EXPECT_GT(Vector3(behind.x, 0.0f, behind.z).Normalized().Dot(facing), 0.999f);
    EXPECT_GT(view.GetForward().Dot(facing), 0.999f);

    runner->Frames(kSettleFrames);
    const CollisionData* contact = Touching("Floor", "Player");
    ASSERT_NE(contact, nullptr);
    ExpectNear(contact->normal, {0.0f, 1.0f, 0.0f}, "the floor's normal towards the player", 1e-6f);
    EXPECT_EQ(runner->AnimationState("Player"), "Idle");
    const float standing = runner->Position("Player").y;
    // The capsule, two high, stands on the floor's top at 0.
    EXPECT_NEAR(standing, 1.0f, 0.05f);

    // W: away from the camera, straight ahead in the picture.
    Matrix4 seen = ViewProjection();
    Vector3 before = runner->Position("Player");
    Press(SDLK_w, 30);
    ClipPoint from = Clip(seen, before), to = Clip(seen, runner->Position("Player"));
    EXPECT_GT(to.depth - from.depth, 3.0f);
    EXPECT_NEAR(to.right, from.right, 0.05f);
    EXPECT_EQ(runner->AnimationState("Player"), "Idle");

    // D: to the picture's right.
    seen = ViewProjection();
    before = runner->Position("Player");
    Press(SDLK_d, 30);
    from = Clip(seen, before);
    to = Clip(seen, runner->Position("Player"));
    EXPECT_GT(to.right - from.right, 0.2f);
    EXPECT_NEAR(to.depth, from.depth, 0.5f);

    // Space: up, and back down onto the floor.
    runner->Hold(SDLK_SPACE);
    runner->Frames(10);
    runner->Let(SDLK_SPACE);
    EXPECT_GT(runner->Position("Player").y, standing + 1.0f);
    runner->Frames(60);
    EXPECT_NEAR(runner->Position("Player").y, standing, 0.1f);
    EXPECT_NE(Touching("Floor", "Player"), nullptr);
}

TEST_F(PlayerLevel, AfterTheLibraryIsInstalledAgainInPlayWStillMovesThePlayer)
{
    runner->Frames(kSettleFrames);
    runner->ReinstallLibrary();
    // The scripts come back one by one; none may miss a partner that is only a moment away.
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    runner->Frames(kSettleFrames);
    testing::internal::GetCapturedStdout();
    const std::string reports = testing::internal::GetCapturedStderr();
    EXPECT_EQ(reports.find("ASSERT"), std::string::npos) << reports;

    const Vector3 before = runner->Position("Player");
    const Vector3 cameraBefore = runner->Position("Camera");
    Press(SDLK_w, 30);
    const Vector3 moved = runner->Position("Player") - before;
    EXPECT_GT(Vector3(moved.x, 0.0f, moved.z).Length(), 3.0f);
    EXPECT_EQ(runner->AnimationState("Player"), "Idle");
    // The camera followed.
    EXPECT_GT((runner->Position("Camera") - cameraBefore).Dot(moved), 0.0f);
}
} // namespace
