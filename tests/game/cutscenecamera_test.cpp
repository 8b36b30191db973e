// Cutscene shots: the player is locked while a shot runs, a chain hands over shot by shot, and the last shot
// gives camera, player, HUD and music back.
#include "fakeworld.h"

#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
constexpr std::uint16_t kEnter = 13;

class CutsceneCameraTest : public ::testing::Test
{
protected:
    CutsceneCameraTest()
    {
        // The partners' own scripts stay still: only the fields a shot writes are looked at.
        player.active = false;
        camera.active = false;
        music.active = false;
        player.Place({4.0f, 0.0f, 2.0f});
    }

    CutsceneCamera& Shot(const std::string& name, float seconds, const std::string& next = "")
    {
        FakeObject& object = world.Object(name);
        object.Add<FakeCamera>();
        auto& shot = world.Attach<CutsceneCamera>(object);
        shot.cutsceneTime = seconds;
        shot.nextCamera = next;
        return shot;
    }
    // The level's opening fade-in is over.
    void Settle()
    {
        world.Step();
        fade.fadingIn = false;
    }

    FakeWorld world;
    FakeObject& player = world.Object("Player");
    PlayerController& controller = world.Attach<PlayerController>(player);
    PlayerStats& stats = world.Attach<PlayerStats>(player);
    FakeObject& camera = world.Object("Camera");
    CameraScript& cameraScript = world.Attach<CameraScript>(camera);
    FadeInFadeOut& fade = world.Attach<FadeInFadeOut>(world.Object("FadeLogic"));
    FakeImage& frame1 = world.Object("Frame 1").Add<FakeImage>();
    FakeImage& frame2 = world.Object("Frame 2").Add<FakeImage>();
    FakeImage& subtitle = world.Object("Subtitle").Add<FakeImage>();
    FakeObject& hud = world.Object("InGameHUD");
    FakeAudioSource& cutsceneMusic = world.Object("Cutscene BGM").Add<FakeAudioSource>();
    FakeObject& music = world.Object("LevelMusic");
    FakeAudioSource& levelMusic = music.Add<FakeAudioSource>();
    GameLogic& gameLogic = world.Attach<GameLogic>(music);
};

TEST_F(CutsceneCameraTest, AChainLocksThePlayerHandsOverAfterTheFadeAndGivesEverythingBack)
{
    CutsceneCamera& first = Shot("Shot1", 5.0f, "Shot2");
    first.subtitleName = "SubtitleShot1";
    first.audioName = "vo_Intro";
    CutsceneCamera& second = Shot("Shot2", 0.5f);
    second.panning = true;
    second.panSpeed = 6.0f;
    second.panDirection = {1.0f, 0.0f, 0.0f};
    world.factory.FindObject("Shot2")->Place({0.0f, 3.0f, 0.0f});
    Settle();
    EXPECT_EQ(frame1.GetAlpha(), 0.0f);

    controller.playerState = PlayerController::kMoving;
    controller.hasInput = true;
    controller.currentSpeed = 9.0f;
    stats.invulnerable = true;
    cameraScript.suspended = true;
    first.Activate();
    EXPECT_EQ(subtitle.material, "SubtitleShot1");
    EXPECT_EQ(controller.playerState, PlayerController::kIdle);
    EXPECT_FALSE(controller.hasInput);
    EXPECT_EQ(controller.currentSpeed, 0.0f);
    EXPECT_TRUE(controller.busy);
    EXPECT_TRUE(fade.holdPlayer);
    EXPECT_TRUE(fade.fadingIn);
    EXPECT_FALSE(hud.active);
    ASSERT_EQ(world.audio.played.size(), 1u);
    EXPECT_EQ(world.audio.played[0].name, "vo_Intro");
    EXPECT_EQ(world.audio.played[0].volume, 0.05f);
    EXPECT_EQ(world.audio.played[0].position, Vector3(4.0f, 0.0f, 2.0f));

    // Bars and subtitle take a second to appear.
    world.Steps(30);
    EXPECT_NEAR(frame1.GetAlpha(), 0.5f, 1e-4f);
    EXPECT_NEAR(subtitle.GetAlpha(), 0.5f, 1e-4f);
    world.Steps(30);
    EXPECT_NEAR(frame2.GetAlpha(), 1.0f, 1e-5f);
    EXPECT_TRUE(world.factory.FindObject("Shot1")->Get<FakeCamera>().viewDirty);

    // Confirm ends the shot; the next one takes over once the fade-out has had its second.
    world.Press(kEnter);
    EXPECT_TRUE(first.ending);
    EXPECT_TRUE(fade.fadingOut);
    EXPECT_FALSE(fade.holdPlayer);
    world.Steps(55);
    EXPECT_TRUE(first.active);
    EXPECT_FALSE(second.active);
    world.Steps(5);
    EXPECT_FALSE(first.active);
    EXPECT_TRUE(second.active);
    EXPECT_EQ(world.core.mainCamera, world.factory.FindObject("Shot2")->id);
    EXPECT_TRUE(fade.holdPlayer);
    EXPECT_LT(frame1.GetAlpha(), 1.0f);

    // The pan step was taken with the start frame's time: 6 × 1/60 a frame.
    const float x = world.factory.FindObject("Shot2")->transform.GetPosition().x;
    world.Step();
    EXPECT_NEAR(world.factory.FindObject("Shot2")->transform.GetPosition().x - x, 0.1f, 1e-5f);

    world.Steps(40);
    EXPECT_TRUE(second.ending);
    EXPECT_TRUE(controller.busy);
    world.Steps(60);
    EXPECT_FALSE(second.active);
    EXPECT_EQ(world.core.mainCamera, camera.id);
    EXPECT_FALSE(cameraScript.suspended);
    EXPECT_FALSE(controller.busy);
    EXPECT_FALSE(stats.invulnerable);
    EXPECT_TRUE(hud.active);
    EXPECT_TRUE(fade.fadingIn);
    EXPECT_THAT(cutsceneMusic.fades, ElementsAre(false));
    EXPECT_THAT(levelMusic.fades, ElementsAre(true));
    EXPECT_NEAR(frame1.GetAlpha(), 0.0f, 1e-4f);
}

TEST_F(CutsceneCameraTest, AShotWithoutFadesShowsItsBarsAtOnceBlanksThemAtItsEndAndGivesControlBackNextFrame)
{
    CutsceneCamera& shot = Shot("Shot", 0.09f);
    shot.transitionIn = false;
    shot.transitionOut = false;
    Settle();
    shot.Activate();
    EXPECT_FALSE(fade.fadingIn);
    EXPECT_EQ(frame1.GetAlpha(), 1.0f);
    EXPECT_EQ(subtitle.GetAlpha(), 1.0f);
    EXPECT_EQ(subtitle.material, "BlackMaterial");
    world.Steps(5);
    EXPECT_TRUE(shot.active);
    world.Step();
    EXPECT_TRUE(shot.ending);
    EXPECT_EQ(frame2.GetAlpha(), 0.0f);
    EXPECT_TRUE(controller.busy);
    world.Step();
    EXPECT_FALSE(shot.active);
    EXPECT_FALSE(controller.busy);
    EXPECT_EQ(world.core.mainCamera, camera.id);
    EXPECT_FALSE(fade.fadingIn);
}

TEST_F(CutsceneCameraTest, AShakeStaysOnTheSphereOfItsRadiusAroundTheStillBase)
{
    CutsceneCamera& shot = Shot("Shot", 100.0f);
    shot.shake = true;
    shot.shakeAmount = 2.5f;
    const Vector3 base{1.0f, 2.0f, 3.0f};
    world.factory.FindObject("Shot")->Place(base);
    world.Step();
    shot.Activate();
    const Transform& transform = world.factory.FindObject("Shot")->transform;
    for (int frame = 0; frame < 2000; ++frame)
    {
        world.Step();
        const Vector3 offset = transform.GetPosition() - base;
        ASSERT_FALSE(std::isnan(offset.x) || std::isnan(offset.y) || std::isnan(offset.z)) << frame;
        ASSERT_NEAR(offset.Length(), 2.5f, 1e-3f) << frame;
    }
    EXPECT_EQ(shot.basePosition, base);
}

TEST_F(CutsceneCameraTest, ANextCameraThatIsMissingIsReportedAndThePlayerStaysLocked)
{
    CutsceneCamera& shot = Shot("Shot", 0.05f, "Nowhere");
    shot.transitionOut = false;
    world.Step();
    shot.Activate();
    const std::string reports = ReportsOf([&] { world.Steps(10); });
    EXPECT_EQ(CountOf(reports, "CutsceneCamera. Missing NextCamera Nowhere"), 1);
    EXPECT_FALSE(shot.active);
    EXPECT_TRUE(controller.busy);
    EXPECT_FALSE(hud.active);
}

TEST_F(CutsceneCameraTest, ALevelWithoutPlayerBarsOrMusicRunsItsShotAndReportsOnce)
{
    FakeWorld bare;
    bare.Object("Camera");
    FakeObject& object = bare.Object("Shot");
    auto& shot = bare.Attach<CutsceneCamera>(object);
    shot.cutsceneTime = 0.05f;
    const std::string reports = ReportsOf([&] {
        bare.Step();
        shot.Activate();
        bare.Steps(70);
    });
    EXPECT_EQ(CountOf(reports, "CutsceneCamera. Missing Player"), 1);
    EXPECT_EQ(CountOf(reports, "CutsceneCamera. Missing Frame 1, Frame 2 or Subtitle"), 1);
    EXPECT_FALSE(shot.active);
    EXPECT_EQ(bare.core.mainCamera, bare.factory.FindObject("Camera")->id);
}
} // namespace
