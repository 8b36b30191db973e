#include "fakeenemies.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <cmath>

namespace
{
template <class Kind>
struct BombWorld
{
    BombWorld()
    {
        world.Attach<DestroyAfterSeconds>(world.Prefab("Fire Explosion"));
        player.transform.SetPosition({20, 0, 0});
        body.Place({1, 0, 0});
        world.Step();
    }

    std::vector<FakeAudio::Played> Sounds(const std::string& name) const
    {
        std::vector<FakeAudio::Played> found;
        for (const FakeAudio::Played& sound : world.audio.played)
            if (sound.name == name)
                found.push_back(sound);
        return found;
    }
    const std::string& Material() const { return renderer.materials[0].name; }

    FakeWorld world;
    FakePlayerLevel level{world};
    FakeObject& player = level.player;
    FakeObject& body = world.Object("Bomb");
    FakeMeshRenderer& renderer = body.Add<FakeMeshRenderer>(std::vector<std::string>{"RaMaterial"});
    Kind& bomb = world.Attach<Kind>(body);
};

TEST(PuzzleBomb, ArmsForGoodWhenThePlayerComesNearTicksFasterAndExplodesThreeSecondsLater)
{
    BombWorld<PuzzleBomb> scene;
    scene.player.transform.SetPosition({17.1f, 0, 0});
    scene.world.Steps(120);
    EXPECT_FALSE(scene.bomb.armed);
    EXPECT_TRUE(scene.world.audio.played.empty());

    scene.player.transform.SetPosition({16.9f, 0, 0});
    std::vector<float> ticks;
    int frame = 0;
    while (!scene.world.factory.WasDestroyed("Bomb") && frame < 400)
    {
        scene.world.Step();
        ++frame;
        scene.player.transform.SetPosition({100, 0, 0});
        if (scene.world.audio.played.size() > ticks.size())
            ticks.push_back(frame * FakeWorld::kFrameTime);
    }
    EXPECT_NEAR(frame * FakeWorld::kFrameTime, 3.0f, 1.5f * FakeWorld::kFrameTime);
    ASSERT_GE(ticks.size(), 5u);
    const float expected[] = {1.0f, 1.667f, 2.111f, 2.407f};
    for (int tick = 0; tick < 4; ++tick)
        EXPECT_NEAR(ticks[tick], expected[tick], 1.5f * FakeWorld::kFrameTime) << tick;

    const auto tickSounds = scene.Sounds("sfx_BombTicking");
    EXPECT_FLOAT_EQ(tickSounds[0].volume, 0.06f);
    const auto blasts = scene.Sounds("sfx_fire");
    ASSERT_EQ(blasts.size(), 1u);
    EXPECT_EQ(blasts[0].volume, 0.4f);
    EXPECT_TRUE(blasts[0].position == Vector3(1, 0, 0));
    const FakeObject* fire = scene.world.factory.FindObject("FireExplosion");
    ASSERT_NE(fire, nullptr);
    EXPECT_TRUE(fire->transform.GetPosition() == Vector3(1, 0, 0));
    EXPECT_EQ(dynamic_cast<const DestroyAfterSeconds&>(*fire->FindScript("DestroyAfterSeconds")).timer, 0.5f);
}

TEST(PuzzleBomb, EachTickFlashesTheFirstMaterialRedForAFrameTimeOf0075Seconds)
{
    BombWorld<PuzzleBomb> scene;
    scene.bomb.armed = true;
    while (scene.world.audio.played.empty())
        scene.world.Step();
    EXPECT_EQ(scene.Material(), "RaMaterial");
    int red = 0;
    for (int frame = 0; frame < 10; ++frame)
    {
        scene.world.Step();
        red += scene.Material() == "RaMaterialRed";
    }
    // 0.075 s at 60 frames a second: the material is red for four frames, back in the fifth.
    EXPECT_EQ(red, 4);
    EXPECT_EQ(scene.Material(), "RaMaterial");
}

TEST(PuzzleBomb, HurtsThePlayerOnlyWithin15)
{
    for (const float distance : {14.9f, 15.1f})
    {
        BombWorld<PuzzleBomb> scene;
        scene.bomb.armed = true;
        scene.player.transform.SetPosition({1 + distance, 0, 0});
        scene.world.Steps(182);
        ASSERT_TRUE(scene.world.factory.WasDestroyed("Bomb"));
        EXPECT_EQ(scene.level.controller.playerState == PlayerController::kDead, distance < 15.0f) << distance;
    }
}

TEST(PuzzleBombTutorial, WaitsForItsTriggerToArmIt)
{
    BombWorld<PuzzleBombTutorial> scene;
    scene.player.transform.SetPosition({1, 0, 0});
    scene.world.Steps(300);
    EXPECT_TRUE(scene.world.audio.played.empty());

    scene.bomb.armed = true;
    scene.world.Steps(182);
    EXPECT_TRUE(scene.world.factory.WasDestroyed("Bomb"));
    EXPECT_EQ(scene.Sounds("sfx_fire").size(), 1u);
}

TEST(PuzzleBomb, WithoutItsExplosionPrefabSaysSoAndStillGoesOff)
{
    FakeWorld world;
    FakePlayerLevel level{world};
    FakeObject& body = world.Object("Bomb");
    world.Attach<PuzzleBomb>(body);
    EXPECT_EQ(CountOf(ReportsOf([&] { world.Steps(200); }), "Fire Explosion"), 1);
    EXPECT_TRUE(world.factory.WasDestroyed("Bomb"));
    EXPECT_EQ(std::ranges::count(world.factory.instantiated, "FireExplosion"), 0);
}

struct FireWorld
{
    FireWorld()
    {
        body.Place({0, 0, 0}, {}, {2, 2, 2});
        world.Step();
    }

    FakeWorld world;
    FakeObject& body = world.Object("FireExplosion");
    FireBombBehaviour& fire = world.Attach<FireBombBehaviour>(body);
};

TEST(FireBombBehaviour, GrowsByHalfEveryFrameAndIsGoneAfterHalfASecond)
{
    FireWorld scene;
    EXPECT_FLOAT_EQ(scene.body.transform.GetScale().x, 3.0f);
    scene.world.Step();
    EXPECT_FLOAT_EQ(scene.body.transform.GetScale().z, 4.5f);
    scene.world.Steps(28);
    EXPECT_FALSE(scene.world.factory.WasDestroyed("FireExplosion"));
    scene.world.Steps(3);
    EXPECT_TRUE(scene.world.factory.WasDestroyed("FireExplosion"));
}

TEST(FireBombBehaviour, ThrowsAndBurnsAICharactersUnlessTheirTagBeginsWithElem)
{
    struct Case
    {
        const char* tag;
        Vector3 at;
        int health;
        int maxHealth;
        int healthAfter;
        Vector3 direction;
    };
    const Case cases[] = {
        {"", {3, 4, 0}, 5, 5, 3, {0.6f, 0.8f, 0}},
        {"FireElem", {0, 0, -2}, 1, 5, -1, {0, 0, -1}},
        {"Enemy", {0, 0, 0}, 10, 5, 5, {0, 1, 0}},
        {"ElemFire", {3, 4, 0}, 5, 5, 5, {}},
    };
    for (const Case& c : cases)
    {
        FireWorld scene;
        FakeObject& enemy = scene.world.Prefab("Enemy");
        enemy.tag = c.tag;
        enemy.Place(c.at);
        FakeEnemy& elem = AddFakeEnemy(enemy, c.health, c.maxHealth);
        scene.world.TriggerEnter(scene.body, enemy, {});

        EXPECT_EQ(elem.health, c.healthAfter) << c.tag;
        if (std::string(c.tag).starts_with("Elem"))
        {
            EXPECT_TRUE(elem.knockbacks.empty());
            continue;
        }
        ASSERT_EQ(elem.knockbacks.size(), 1u) << c.tag;
        EXPECT_TRUE(elem.knockbacks[0].direction == c.direction) << c.tag;
        EXPECT_EQ(elem.knockbacks[0].magnitude, 300.0f);
        EXPECT_EQ(elem.knockbacks[0].duration, 1.0f);
        EXPECT_EQ(elem.knockbacks[0].damping, 1.02f);
    }

    // An "Elem" script that is no AI character is left alone.
    FireWorld scene;
    FakeObject& stranger = scene.world.Prefab("Stranger");
    stranger.SetScript("Elem", std::make_unique<TestMono>());
    scene.world.TriggerEnter(scene.body, stranger, {});
}
} // namespace
