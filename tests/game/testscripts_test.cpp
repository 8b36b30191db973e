// The development test scripts: their lines on standard output and what they do to the world.
#include "fakeworld.h"

#include "playerpref.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
class TestScriptsTest : public ::testing::Test
{
protected:
    // What the code wrote on standard output.
    static std::string Output(const std::function<void()>& code)
    {
        ::testing::internal::CaptureStdout();
        code();
        return ::testing::internal::GetCapturedStdout();
    }

    FakeWorld world;
};

TEST_F(TestScriptsTest, TestPrintNamesEachCallAndTheKeysReleasedInItsUpdateAndStays)
{
    FakeObject& printer = world.Object("Printer");
    world.Attach<TestPrint>(printer);
    FakeObject& other = world.Object("Other");
    EXPECT_EQ(Output([&] { world.Step(); }), "TestPrint Awake!\nTestPrint Start!\n");
    world.input.Hold('D');
    world.input.Hold('E');
    world.input.Hold('Z');
    world.Step();
    world.input.ReleaseAll();
    // Events come between frames, where the keys let go read as released until the next frame ends.
    const std::string lines = Output([&] {
        world.CollisionEnter(printer, other, {});
        world.CollisionStay(printer, other, {});
        world.TriggerStay(printer, other, {});
        world.TriggerExit(printer, other);
        world.Step();
        world.HotReload();
    });
    EXPECT_EQ(lines, "TestPrint OnCollisionEnter!\nTestPrint OnCollisionStay E!\nTestPrint OnTriggerStay Z!\n"
                     "TestPrint OnTriggerExit!\nTestPrint D!\nTestPrint Reloading!\n");
}

TEST_F(TestScriptsTest, TestPlayerPrefStoresTestOneAndPrintsBothKeysOnTheKeypad)
{
    world.Attach<TestPlayerPref>(world.Object("Prefs"));
    world.Step();
    PlayerPref::SetInt("Test2", 7);
    const std::string lines = Output([&] {
        world.Press(97);
        world.Press(98);
    });
    EXPECT_THAT(lines, HasSubstr("TestPlayerPref Test1 : 456, 123, 789\n"));
    EXPECT_THAT(lines, HasSubstr("TestPlayerPref Test2 : 7, 0, \n"));
}

TEST_F(TestScriptsTest, TestFastMonoOnFdsaMakesFdsa2AndWritesItsFirstField)
{
    FakeObject& dummy = world.Prefab("TestDummy");
    world.Attach<TestFastMono>(dummy);
    world.Attach<TestFastMono>(world.Object("fdsa"));
    world.Attach<TestFastMono>(world.Object("asdf"));
    EXPECT_EQ(Output([&] { world.Step(); }), "TestFastMono is Awake!\nTestFastMono is Started!\n"
                                             "TestFastMono is Awake!\nTestFastMono is Started!\n");
    EXPECT_EQ(Output([&] { world.Press(97); }), "fdsa2 : 01\n");
    FakeObject* made = world.factory.FindObject("fdsa2");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->prefabId, dummy.id);
    EXPECT_EQ(dynamic_cast<TestFastMono*>(made->FindScript("TestFastMono"))->first, 123);
    EXPECT_EQ(Output([&] {
                  world.factory.Destroy(world.factory.FindObject("asdf"));
                  world.Step();
              }),
              "TestFastMono is Destroyed!\n");
}

TEST_F(TestScriptsTest, TestAddRemoveScriptTakesTestPrintOffScript2AndEveryOnePrintsOnR)
{
    world.Attach<TestAddRemoveScript>(world.Object("Script1"));
    FakeObject& second = world.Object("Script2");
    world.Attach<TestAddRemoveScript>(second);
    world.Attach<TestPrint>(second);
    Output([&] { world.Step(); });
    EXPECT_EQ(Output([&] { world.Press('Z'); }), "TestPrint OnDestroy!\n");
    EXPECT_THAT(second.holder.removed, ElementsAre("TestPrint"));
    EXPECT_EQ(Output([&] { world.Press('R'); }), "Script1 printing\nScript2 printing\n");
}

TEST_F(TestScriptsTest, TestCameraSwitchSwapsTheMainCameraBetweenItsTwoCameras)
{
    FakeObject& first = world.Object("Camera1");
    FakeObject& second = world.Object("Camera2");
    world.Attach<TestCameraSwitch>(first);
    world.Attach<TestCameraSwitch>(second);
    world.Step();
    world.Press('W');
    EXPECT_EQ(world.core.mainCamera, first.id);
    world.Press('Q');
    EXPECT_EQ(world.core.mainCamera, second.id);
    world.Press('W');
    EXPECT_EQ(world.core.mainCamera, first.id);
}

TEST_F(TestScriptsTest, TestColliderPrintMovesByArrowsAndCastsItsRayWhileEnterIsHeld)
{
    FakeObject& box = world.Object("Box");
    box.Place({1.0f, 1.0f, 0.0f});
    world.Attach<TestColliderPrint>(box);
    EXPECT_EQ(Output([&] { world.Step(); }), "Box has this script\n");
    world.Press(39);
    world.Press(38);
    EXPECT_EQ(box.transform.GetPosition(), Vector3(1.2f, 1.2f, 0.0f));
    FakeObject& wall = world.Object("Wall");
    world.physics.AnswerAlways(RayKind::OBB, {0.15f, &wall, {}});
    world.input.Hold(13);
    EXPECT_EQ(Output([&] { world.Steps(2); }),
              "Pressed Space\nName : Wall , Dist is : 0.15\nPressed Space\nName : Wall , Dist is : 0.15\n");
    const RayQuery ray = world.physics.queries.back();
    EXPECT_EQ(ray.direction, Vector3(0.0f, 0.0f, -0.2f));
    EXPECT_FALSE(ray.skipTriggers);
}

TEST_F(TestScriptsTest, TestPlayerAnimationWalksWhileAMoveKeyIsHeldAndPlaysEachStateOnce)
{
    FakeObject& figure = world.Object("Figure");
    auto& animator = figure.Add<FakeAnimator>();
    world.Attach<TestPlayerAnimation>(figure);
    world.Step();
    world.input.Hold('A');
    world.Steps(3);
    world.input.ReleaseAll();
    world.Steps(2);
    EXPECT_THAT(animator.played, ElementsAre("Idle", "Walk", "Idle"));
}

TEST_F(TestScriptsTest, TestParentTurnsADegreeAFrameAndTestSetDiffuseColorAlternatesBySecond)
{
    FakeObject& object = world.Object("Spinner");
    auto& renderer = object.Add<FakeMeshRenderer>(std::vector<std::string>{"mat"});
    world.Attach<TestParent>(object);
    world.Attach<TestSetDiffuseColor>(object);
    world.frameTime = 0.5f;
    world.Step();
    EXPECT_EQ(object.transform.GetRotation(), Vector3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(renderer.GetDiffuseColor(), Vector4(0.0f, 1.0f, 0.0f, 0.0f));
    world.Steps(2);
    EXPECT_EQ(renderer.GetDiffuseColor(), Vector4(1.0f, 0.0f, 0.0f, 0.0f));
    world.Steps(2);
    EXPECT_EQ(renderer.GetDiffuseColor(), Vector4(0.0f, 1.0f, 0.0f, 0.0f));
    EXPECT_EQ(object.transform.GetRotation(), Vector3(0.0f, 5.0f, 0.0f));
}
} // namespace
