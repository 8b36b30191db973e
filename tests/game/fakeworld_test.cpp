// The fake world the script tests stand on: if it drifts from the engine's order of calls, every script test
// built on it checks the wrong thing.
#include "fakeworld.h"

#include "gameservices.h"
#include "playerpref.h"
#include "scripthelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace
{
// Logs its calls, and runs what the test gives it in its update.
class Probe : public Script<Probe>
{
public:
    explicit Probe(std::vector<std::string>& log) : log_(&log) {}

    void Awake() override { Log("Awake"); }
    void Start() override { Log("Start"); }
    void Update() override
    {
        Log("Update");
        if (onUpdate)
            onUpdate();
    }
    void OnDestroy() override { Log("OnDestroy"); }
    void Reload() override { Log("Reload"); }
    void OnCollisionStay(GameObjectInterface* other) override { Log("Stay " + other->GetName()); }
    void OnCollisionStay(GameObjectInterface* other, ContactData contact) override
    {
        Log("Stay " + other->GetName() + " " + std::to_string(static_cast<int>(contact.normal.y)));
    }

    std::function<void()> onUpdate;

private:
    void Log(const std::string& call) { log_->push_back(owner->GetName() + " " + call); }

    std::vector<std::string>* log_;
};

class FakeWorldTest : public ::testing::Test
{
protected:
    Probe& AddProbe(FakeObject& object)
    {
        return dynamic_cast<Probe&>(object.SetScript("Probe", std::make_unique<Probe>(log)));
    }
    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

    std::vector<std::string> log;
    FakeWorld world;
};

TEST_F(FakeWorldTest, ScriptsStartAtTheNextStepInstancesOnceRegisteredAndDestroyedObjectsLeaveAtItsEnd)
{
    FakeObject& spark = world.Prefab("Spark");
    spark.Add<FakeAnimator>().state = "Glow";
    AddProbe(spark);
    Probe& first = AddProbe(world.Object("First"));
    AddProbe(world.Object("Second"));
    first.onUpdate = [&] {
        ObjectFactoryInterface& factory = *gServices.factory;
        factory.Register(factory.Instantiate("Spark", factory.FindPrefab("Spark")->GetID()));
        first.onUpdate = nullptr;
    };
    EXPECT_TRUE(TakeLog().empty());

    world.Step();
    EXPECT_THAT(TakeLog(), ElementsAre("First Awake", "First Start", "Second Awake", "Second Start", "First Update",
                                       "Second Update"));
    FakeObject* made = world.factory.FindObject("Spark");
    ASSERT_NE(made, nullptr);
    EXPECT_NE(made->id, spark.id);
    EXPECT_EQ(made->prefabId, spark.id);
    EXPECT_EQ(made->Get<FakeAnimator>().state, "Glow");
    EXPECT_EQ(made->Get<FakeAnimator>().owner, made);
    EXPECT_EQ(made->FindScript("Probe")->owner, made);
    EXPECT_THAT(world.factory.instantiated, ElementsAre("Spark"));
    EXPECT_THAT(world.factory.registered, ElementsAre("Spark"));

    first.onUpdate = [&] { gServices.factory->Destroy(first.owner); };
    world.Step();
    EXPECT_THAT(TakeLog(), ElementsAre("Spark Awake", "Spark Start", "First Update", "Second Update", "Spark Update",
                                       "First OnDestroy"));
    EXPECT_EQ(world.factory.FindObject("First"), nullptr);
    EXPECT_TRUE(world.factory.WasDestroyed("First"));
    EXPECT_EQ(world.factory.GetAllObjects().size(), 2u);

    // An instance nobody registered never runs.
    world.factory.Instantiate("Spark", spark.id);
    world.Step();
    EXPECT_THAT(TakeLog(), ElementsAre("Second Update", "Spark Update"));
}

TEST_F(FakeWorldTest, InputComesInFramesAndEventsInBothFormsToRunningScriptsOnly)
{
    FakeObject& floor = world.Object("Floor", "Ground");
    FakeObject& player = world.Object("Player");
    Probe& probe = AddProbe(player);
    world.CollisionStay(player, floor, {{0, 1, 0}, 0.0f});
    EXPECT_TRUE(TakeLog().empty());

    // What the scripts see of Space, the left mouse button and gamepad B in each frame.
    std::vector<std::string> seen;
    probe.onUpdate = [&] {
        InputInterface& input = *gServices.input;
        seen.push_back(std::string(input.IsKeyTriggered(' ') ? "T" : "") + (input.IsKeyPressed(' ') ? "P" : "") +
                       (input.IsKeyReleased(' ') ? "R" : "") + (input.IsMouseTriggered(0) ? "M" : "") +
                       (input.IsButtonTriggered(0x2000) ? "B" : ""));
    };
    world.input.Hold(' ');
    world.input.Hold(1);
    world.input.HoldButton(0x2000);
    world.input.HoldButton(0x1000);
    world.Step();
    world.input.gamepadConnected = true;
    world.input.ReleaseButton(0x2000);
    world.Step();
    world.input.HoldButton(0x2000);
    world.input.Release(' ');
    world.Step();
    world.Step();
    // Gamepad buttons read as up while no pad is connected.
    EXPECT_THAT(seen, ElementsAre("TPM", "P", "RB", ""));
    TakeLog();

    world.CollisionStay(player, floor, {{0, 1, 0}, 0.0f});
    EXPECT_THAT(TakeLog(), ElementsAre("Player Stay Floor", "Player Stay Floor 1"));
}

TEST_F(FakeWorldTest, RaysAreAnsweredPerKindAndRecorded)
{
    FakeObject& wall = world.Object("Wall");
    world.physics.AnswerAlways(RayKind::AABB, {2.5f, &wall, {}});
    PhysicsInterface& physics = *gServices.physics;
    EXPECT_EQ(physics.RaycastAABB({0, 1, 0}, {0, 0, -8}, true).object, &wall);
    EXPECT_EQ(physics.RaycastBoxes({0, 1, 0}, {0, 0, -8}, true).distance, -1.0f);
    ASSERT_EQ(world.physics.QueriesOf(RayKind::Boxes).size(), 1u);
    EXPECT_EQ(world.physics.queries.front().direction, Vector3(0, 0, -8));
    EXPECT_TRUE(world.physics.queries.front().skipTriggers);
}

TEST(FakeWorldSetUp, EachWorldStartsFromAnEmptyStoreAndTheSameRandomNumbers)
{
    std::vector<int> first;
    {
        FakeWorld world;
        PlayerPref::SetInt("maxHealth", 7);
        for (int draw = 0; draw < 3; ++draw)
            first.push_back(Random());
    }
    EXPECT_EQ(gServices.factory, nullptr);
    FakeWorld world;
    EXPECT_EQ(PlayerPref::GetInt("maxHealth"), 0);
    for (int draw = 0; draw < 3; ++draw)
        EXPECT_EQ(Random(), first[draw]);
    EXPECT_EQ(gServices.dt, FakeWorld::kFrameTime);
}

TEST_F(FakeWorldTest, AHotReloadKeepsSavedPropertiesAndStateAndCallsReloadNeverStart)
{
    FakeObject& object = world.Object("Holder");
    auto& mono = world.Attach<TestMono>(object);
    mono.x = 42;
    mono.b = {1, 2, 3};
    AddProbe(object);
    world.Step();
    TakeLog();

    world.HotReload();
    EXPECT_THAT(TakeLog(), ElementsAre("Holder Reload"));
    const auto* reloaded = dynamic_cast<const TestMono*>(object.FindScript("TestMono"));
    ASSERT_NE(reloaded, nullptr);
    EXPECT_NE(reloaded, &mono);
    EXPECT_EQ(reloaded->x, 42);
    EXPECT_EQ(reloaded->b, Vector3(1, 2, 3));
    EXPECT_EQ(reloaded->state, ScriptState::Running);
    EXPECT_EQ(reloaded->owner, &object);
}

TEST_F(FakeWorldTest, WhilePausedOnlyTheRunWhenPausedObjectsUpdateAndOnlyThen)
{
    Probe& game = AddProbe(world.Object("Game"));
    AddProbe(world.Object("Menu", kRunWhenPausedTag));
    game.onUpdate = [&] { world.core.SetPaused(true); };
    world.Step();
    EXPECT_THAT(TakeLog(), ElementsAre("Game Awake", "Game Start", "Menu Awake", "Menu Start", "Game Update"));
    world.Step();
    EXPECT_THAT(TakeLog(), ElementsAre("Menu Update"));
}
} // namespace
