#include "physicssystem.h"

#include "c_collider.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "objectworld.h"
#include "recordingsystem.h"
#include "startup.h"
#include "tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
constexpr float kFrame = 1.0f / 60.0f;

// A physics system over live objects, with Logic's place taken by a recorder of the events it is sent.
class PhysicsTest : public ::testing::Test
{
protected:
    PhysicsTest()
    {
        logic.onMessage = [this](const BaseMessage& message) {
            if (message.receiver != SystemId::Logic)
                return;
            EXPECT_EQ(message.sender, SystemId::Physics);
            std::string event(message.name.View());
            if (const auto* record = PayloadOf<CollisionData>(message))
            {
                event += ' ' + record->objectA->GetName() + " " + record->objectB->GetName();
                records.push_back(*record);
            }
            else if (const auto* pair = PayloadOf<std::pair<GameObject*, GameObject*>>(message))
                event += ' ' + pair->first->GetName() + " " + pair->second->GetName();
            events.push_back(event);
        };
    }

    // An object with a transform, a body and a collider of the given element name, registered.
    GameObject& Body(const std::string& name, const Vector3& position, const std::string& colliderName,
                     bool isStatic = false)
    {
        GameObject& object = world.Live(name, ++lastId);
        object.EnsureTransform();
        TransformOf(object).SetPosition(position);
        object.AddComponent("RigidBody");
        object.AddComponent(colliderName);
        BodyOf(object).SetStatic(isStatic);
        physics.RegisterObject(&object);
        return object;
    }
    GameObject& Sphere(const std::string& name, const Vector3& position, float radius = 0.5f, bool isStatic = false)
    {
        GameObject& object = Body(name, position, "SphereCollider", isStatic);
        ColliderOf(object).SetRadius(radius);
        return object;
    }
    GameObject& Box(const std::string& name, const Vector3& position, const Vector3& size, bool isStatic = false)
    {
        GameObject& object = Body(name, position, "AABBCollider", isStatic);
        ColliderOf(object).SetSize(size);
        return object;
    }
    GameObject& Floor() { return Box("Floor", {0.0f, -0.5f, 0.0f}, {20.0f, 1.0f, 20.0f}, true); }

    static Transform& TransformOf(GameObject& object) { return *object.GetComponent<Transform>(); }
    static RigidBody& BodyOf(GameObject& object) { return *object.GetComponent<RigidBody>(); }
    static Collider& ColliderOf(GameObject& object) { return *object.GetComponent<Collider>(); }
    static const Vector3& PositionOf(GameObject& object) { return TransformOf(object).GetPosition(); }

    // Delivery of what waits, one physics update, then delivery of what it queued.
    void Step(int updates = 1)
    {
        for (int i = 0; i < updates; ++i)
        {
            messaging.Update();
            physics.Update();
            messaging.Update();
        }
    }
    std::vector<std::string> TakeEvents() { return std::exchange(events, {}); }
    static std::size_t Occurrences(const std::string& text, const std::string& part)
    {
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
            ++count;
        return count;
    }

    float frameTime = kFrame;
    bool paused = false;
    ObjectWorld world;
    ObjectId lastId = 0;
    std::vector<std::string> log;
    RecordingSystem logic{SystemId::Logic, log};
    PhysicsSystem physics{PhysicsClock{[this] { return frameTime; }, [this] { return paused; }}};
    MessagingSystem messaging{{&logic, &physics}};
    std::vector<std::string> events;
    std::vector<CollisionData> records;
};
} // namespace

TEST_F(PhysicsTest, ALoneBodyFallsByTheVelocityItGains)
{
    GameObject& ball = Sphere("Ball", {0.0f, 10.0f, 0.0f});
    Step();
    EXPECT_NEAR(BodyOf(ball).GetVelocity().y, -9.81f / 60.0f, 1e-6f);
    EXPECT_NEAR(PositionOf(ball).y, 10.0f - 9.81f / 60.0f / 60.0f, 1e-6f);
    Step();
    EXPECT_NEAR(BodyOf(ball).GetVelocity().y, -2.0f * 9.81f / 60.0f, 1e-6f);
    EXPECT_NEAR(PositionOf(ball).y, 10.0f - 3.0f * 9.81f / 60.0f / 60.0f, 1e-5f);
    EXPECT_EQ(BodyOf(ball).GetForce(), Vector3());
}

TEST_F(PhysicsTest, OnlyObjectsWithABodyAndAColliderAreSimulated)
{
    GameObject& bodyOnly = world.Live("BodyOnly", ++lastId);
    bodyOnly.EnsureTransform();
    bodyOnly.AddComponent("RigidBody");
    GameObject& colliderOnly = world.Live("ColliderOnly", ++lastId);
    colliderOnly.EnsureTransform();
    colliderOnly.AddComponent("SphereCollider");
    physics.RegisterObject(&bodyOnly);
    physics.RegisterObject(&colliderOnly);
    GameObject& weightless = Sphere("Weightless", {0.0f, 0.0f, 0.0f});
    BodyOf(weightless).SetGravityScale(0.0f);
    BodyOf(weightless).GetVelocity() = {1.0f, 0.0f, 0.0f};
    physics.RegisterObject(&weightless);

    Step(3);

    EXPECT_THAT(physics.SimulatedObjects(), ElementsAre(&weightless));
    EXPECT_EQ(PositionOf(bodyOnly), Vector3());
    EXPECT_NEAR(PositionOf(weightless).x, 3.0f / 60.0f, 1e-6f);
    EXPECT_NEAR(PositionOf(weightless).y, 0.0f, 1e-6f);
}

TEST_F(PhysicsTest, AStaticBodyNeitherMovesNorChangesVelocity)
{
    GameObject& rock = Sphere("Rock", {1.0f, 2.0f, 3.0f}, 0.5f, true);
    Sphere("Ball", {10.0f, 2.0f, 3.0f});
    BodyOf(rock).SetForce({0.0f, 100.0f, 0.0f});
    // Two static bodies that overlap are never tested against each other.
    Sphere("Boulder", {1.5f, 2.0f, 3.0f}, 0.5f, true);
    Step(2);
    EXPECT_EQ(PositionOf(rock), Vector3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(BodyOf(rock).GetVelocity(), Vector3());
    EXPECT_THAT(TakeEvents(), IsEmpty());
}

TEST_F(PhysicsTest, PauseStopsMotionLosesRegisterAndKeepsDestroy)
{
    GameObject& ball = Sphere("Ball", {0.0f, 10.0f, 0.0f});
    GameObject& late = world.Live("Late", ++lastId);
    late.EnsureTransform();
    late.AddComponent("RigidBody");
    late.AddComponent("SphereCollider");
    paused = true;
    PostMessage(SystemId::None, SystemId::All, MessageNames::Register, &late);
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, &ball);
    Step(3);

    EXPECT_EQ(PositionOf(ball), Vector3(0.0f, 10.0f, 0.0f));
    EXPECT_EQ(PositionOf(late), Vector3());
    EXPECT_THAT(physics.SimulatedObjects(), IsEmpty());

    paused = false;
    Step();
    EXPECT_THAT(physics.SimulatedObjects(), IsEmpty()) << "the lost Register is not kept for later";
}

TEST_F(PhysicsTest, ABodyHittingAStaticFloorIsStoppedAndReportedWithTheNormalFromFloorToBody)
{
    GameObject& floor = Floor();
    GameObject& ball = Sphere("Ball", {0.0f, 0.55f, 0.0f});
    BodyOf(ball).GetVelocity() = {0.0f, -5.0f, 0.0f};
    Step();

    EXPECT_NEAR(BodyOf(ball).GetVelocity().y, 0.0045f, 0.001f) << "nearly inelastic";
    EXPECT_NEAR(PositionOf(ball).y, 0.5f, 0.01f);
    ASSERT_THAT(TakeEvents(), ElementsAre("OnCollisionEnter Floor Ball"));
    EXPECT_EQ(records[0].normal, Vector3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(records[0].objectA, &floor);

    Step(30);
    EXPECT_NEAR(PositionOf(ball).y, 0.5f, 0.01f) << "comes to rest on the floor";
}

TEST_F(PhysicsTest, AnImpactInOneGroupLeavesTheFrameOfAnotherWhole)
{
    Floor();
    GameObject& ball = Sphere("Ball", {0.0f, 0.52f, 0.0f});
    BodyOf(ball).GetVelocity() = {0.0f, -60.0f, 0.0f};
    GameObject& far = Sphere("Far", {0.0f, 100.0f, 0.0f});
    Step();
    EXPECT_NEAR(PositionOf(ball).y, 0.5f, 1e-3f);
    EXPECT_NEAR(PositionOf(far).y, 100.0f - 9.81f / 60.0f / 60.0f, 1e-5f);
}

TEST_F(PhysicsTest, BodiesLandingOnStaticOnesStayWhereTheyMeetThem)
{
    // Only shapes that overlap are pushed apart: a contact found ahead of its impact lifts nothing, so a
    // box does not hover back up and a ball on a ball does not hop.
    Floor();
    GameObject& crate = Box("Crate", {0.0f, 1.5f, 0.0f}, {1.0f, 1.0f, 1.0f});
    Sphere("Rock", {6.0f, 0.5f, 0.0f}, 0.5f, true);
    GameObject& top = Sphere("Top", {6.0f, 2.0f, 0.0f});
    const std::pair<GameObject*, float> landings[] = {{&crate, 0.5f}, {&top, 1.5f}};
    std::map<GameObject*, bool> landed;
    for (int frame = 0; frame < 60; ++frame)
    {
        Step();
        for (const auto& [body, rest] : landings)
        {
            landed[body] = landed[body] || PositionOf(*body).y < rest + 0.01f;
            EXPECT_FALSE(landed[body] && PositionOf(*body).y > rest + 0.01f) << body->GetName() << " frame " << frame;
        }
    }
    EXPECT_NEAR(PositionOf(crate).y, 0.5f, 1e-3f);
    EXPECT_NEAR(PositionOf(top).y, 1.5f, 1e-3f);
}

TEST_F(PhysicsTest, ABodyEndingInsideAStaticOneIsPushedOutByItsDepth)
{
    Floor();
    GameObject& crate = Box("Crate", {0.0f, 0.3f, 0.0f}, {1.0f, 1.0f, 1.0f});
    // A ball sunk 0.01 into a static ball comes out to touch it, not the length of the chord between them.
    Sphere("Rock", {6.0f, 0.5f, 0.0f}, 0.5f, true);
    GameObject& ball = Sphere("Ball", {6.0f, 1.49f, 0.0f});
    BodyOf(ball).SetGravityScale(0.0f);
    Step();
    EXPECT_NEAR(PositionOf(crate).y, 0.5f, 1e-3f);
    EXPECT_NEAR(PositionOf(ball).y, 1.5f, 1e-4f);
}

TEST_F(PhysicsTest, ACapsuleRestingOnABoxFloorIsToldItStandsOnIt)
{
    Floor();
    GameObject& player = Body("Player", {0.0f, 1.0f, 0.0f}, "CapsuleCollider");
    Step(20);
    ASSERT_FALSE(records.empty());
    for (const CollisionData& record : records)
        EXPECT_EQ(record.normal, Vector3(0.0f, 1.0f, 0.0f));
    EXPECT_NEAR(PositionOf(player).y, 1.0f, 0.01f);
}

TEST_F(PhysicsTest, AOneUpdateTouchGivesEnterAndTheExitTwoUpdatesLater)
{
    Sphere("Rock", {0.0f, 0.0f, 0.0f}, 0.5f, true);
    GameObject& ball = Sphere("Ball", {0.9f, 0.0f, 0.0f});
    BodyOf(ball).SetGravityScale(0.0f);
    Step();
    EXPECT_THAT(TakeEvents(), ElementsAre("OnCollisionEnter Rock Ball"));

    TransformOf(ball).SetPosition({5.0f, 0.0f, 0.0f});
    Step();
    EXPECT_THAT(TakeEvents(), IsEmpty());
    Step();
    EXPECT_THAT(TakeEvents(), ElementsAre("OnCollisionExit Rock Ball"));
    Step();
    EXPECT_THAT(TakeEvents(), IsEmpty());
}

TEST_F(PhysicsTest, TouchingAgainRightAfterLettingGoStaysAStay)
{
    Sphere("Rock", {0.0f, 0.0f, 0.0f}, 0.5f, true);
    GameObject& ball = Sphere("Ball", {0.9f, 0.0f, 0.0f});
    BodyOf(ball).SetGravityScale(0.0f);
    Step();
    TransformOf(ball).SetPosition({5.0f, 0.0f, 0.0f});
    Step();
    TransformOf(ball).SetPosition({0.9f, 0.0f, 0.0f});
    Step();
    EXPECT_THAT(TakeEvents(), ElementsAre("OnCollisionEnter Rock Ball", "OnCollisionStay Rock Ball"));
}

TEST_F(PhysicsTest, ATriggerGivesEnterStayAndExitAndNeverPushes)
{
    GameObject& zone = Box("Zone", {0.0f, 0.0f, 0.0f}, {2.0f, 2.0f, 2.0f}, true);
    ColliderOf(zone).SetTrigger(true);
    GameObject& ball = Sphere("Ball", {-1.6f, 0.0f, 0.0f}, 0.5f);
    BodyOf(ball).SetGravityScale(0.0f);
    BodyOf(ball).GetVelocity() = {6.0f, 0.0f, 0.0f};

    Step(40);

    EXPECT_EQ(BodyOf(ball).GetVelocity(), Vector3(6.0f, 0.0f, 0.0f));
    EXPECT_NEAR(PositionOf(ball).x, -1.6f + 4.0f, 1e-4f);
    const auto seen = TakeEvents();
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front(), "OnTriggerEnter Zone Ball");
    EXPECT_EQ(seen.back(), "OnTriggerExit Zone Ball");
    for (std::size_t i = 1; i + 1 < seen.size(); ++i)
        EXPECT_EQ(seen[i], "OnTriggerStay Zone Ball");
}

TEST_F(PhysicsTest, StartingInsideATriggerAndATriggerMovedOntoARestingBodyBothEnter)
{
    Floor();
    GameObject& zone = Box("Zone", {0.0f, 3.0f, 0.0f}, {2.0f, 2.0f, 2.0f}, true);
    ColliderOf(zone).SetTrigger(true);
    GameObject& inside = Sphere("Inside", {0.0f, 3.0f, 0.0f});
    BodyOf(inside).SetGravityScale(0.0f);
    Step();
    EXPECT_THAT(TakeEvents(), ElementsAre("OnTriggerEnter Zone Inside"));

    GameObject& resting = Box("Resting", {6.0f, 0.5f, 0.0f}, {1.0f, 1.0f, 1.0f});
    Step(10);
    TakeEvents();
    TransformOf(zone).SetPosition({6.0f, 0.5f, 0.0f});
    Step();
    EXPECT_THAT(TakeEvents(), ElementsAre("OnCollisionStay Floor Resting", "OnTriggerEnter Zone Resting"));
    EXPECT_NEAR(PositionOf(resting).y, 0.5f, 0.01f);
    Step();
    EXPECT_THAT(TakeEvents(), testing::Contains("OnTriggerExit Zone Inside"));
}

TEST_F(PhysicsTest, DestroyingAnObjectSendsTheExitOfEachOfItsPairsAtOnce)
{
    GameObject& rock = Sphere("Rock", {0.0f, 0.0f, 0.0f}, 0.5f, true);
    for (const char* name : {"Left", "Right"})
    {
        GameObject& ball = Sphere(name, {name[0] == 'L' ? -0.9f : 0.9f, 0.0f, 0.0f});
        BodyOf(ball).SetGravityScale(0.0f);
    }
    Step();
    TakeEvents();
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, &rock);
    messaging.Update();
    EXPECT_THAT(TakeEvents(), ElementsAre("OnCollisionExit Rock Left", "OnCollisionExit Rock Right"));
    Step(3);
    EXPECT_THAT(TakeEvents(), IsEmpty());
    EXPECT_TRUE(physics.TouchingContacts().Empty());
}

TEST_F(PhysicsTest, DisablingDropsContactsSilentlyAndReEnablingWhileTouchingEntersAgain)
{
    Sphere("Rock", {0.0f, 0.0f, 0.0f}, 0.5f, true);
    GameObject& ball = Sphere("Ball", {0.9f, 0.0f, 0.0f});
    BodyOf(ball).SetGravityScale(0.0f);
    Step();
    TakeEvents();

    // Any kind of component takes the object out, a mesh renderer's as much as its body's.
    PostMessage(SystemId::None, SystemId::All, MessageNames::DisableComponent,
                std::pair<CompEnum, GameObject*>(CompEnum::MeshRenderer, &ball));
    Step(3);
    EXPECT_THAT(TakeEvents(), IsEmpty());
    EXPECT_THAT(physics.DisabledObjects(), ElementsAre(&ball));

    // The first update pushed the ball out of the static rock; put it back in.
    TransformOf(ball).SetPosition({0.9f, 0.0f, 0.0f});
    PostMessage(SystemId::None, SystemId::All, MessageNames::EnableComponent,
                std::pair<CompEnum, GameObject*>(CompEnum::MeshRenderer, &ball));
    Step();
    EXPECT_THAT(TakeEvents(), ElementsAre("OnCollisionEnter Rock Ball"));
}

TEST_F(PhysicsTest, ReEnablingAColliderNeedsAnActiveObjectWithAnEnabledBody)
{
    GameObject& ball = Sphere("Ball", {0.0f, 0.0f, 0.0f});
    const auto send = [&](MessageName name, CompEnum kind) {
        PostMessage(SystemId::None, SystemId::All, name, std::pair<CompEnum, GameObject*>(kind, &ball));
        messaging.Update();
    };
    send(MessageNames::DisableComponent, CompEnum::Collider);
    BodyOf(ball).SetEnabled(false);
    messaging.Update();
    send(MessageNames::EnableComponent, CompEnum::Collider);
    EXPECT_THAT(physics.SimulatedObjects(), IsEmpty());

    BodyOf(ball).SetEnabled(true); // the body's own EnableComponent brings it back
    messaging.Update();
    EXPECT_THAT(physics.SimulatedObjects(), ElementsAre(&ball));

    ball.SetActive(false);
    messaging.Update();
    send(MessageNames::EnableComponent, CompEnum::Collider);
    EXPECT_THAT(physics.SimulatedObjects(), IsEmpty());
    ball.SetActive(true);
    messaging.Update();
    EXPECT_THAT(physics.SimulatedObjects(), ElementsAre(&ball));
}

TEST_F(PhysicsTest, AnObjectRegisteredSwitchedOffWaitsUntilSwitchedOn)
{
    // Loading switches an object or its components off before the object is registered.
    const auto loaded = [&](const std::string& name, float x, auto switchOff) -> GameObject& {
        GameObject& object = world.Live(name, ++lastId);
        object.EnsureTransform();
        TransformOf(object).SetPosition({x, 10.0f, 0.0f});
        object.AddComponent("RigidBody");
        object.AddComponent("SphereCollider");
        switchOff(object);
        messaging.Update();
        physics.RegisterObject(&object);
        return object;
    };
    GameObject& asleep = loaded("Asleep", 0.0f, [](GameObject& o) { o.SetActive(false); });
    GameObject& bodiless = loaded("Bodiless", 2.0f, [](GameObject& o) { BodyOf(o).SetEnabled(false); });
    GameObject& ghost = loaded("Ghost", 4.0f, [](GameObject& o) { ColliderOf(o).SetEnabled(false); });
    Step();
    EXPECT_THAT(physics.SimulatedObjects(), IsEmpty());
    EXPECT_THAT(physics.DisabledObjects(), ElementsAre(&asleep, &bodiless, &ghost));
    EXPECT_EQ(PositionOf(asleep).y, 10.0f);
    EXPECT_EQ(physics.RaycastAll({4.0f, 20.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, false).object, nullptr);

    asleep.SetActive(true);
    BodyOf(bodiless).SetEnabled(true);
    ColliderOf(ghost).SetEnabled(true);
    Step();
    EXPECT_THAT(physics.SimulatedObjects(), ElementsAre(&asleep, &bodiless, &ghost));
    EXPECT_LT(PositionOf(asleep).y, 10.0f);
}

TEST_F(PhysicsTest, AGroupStillNotDoneAfterElevenCallsEndsWhereTheBroadPhasePredicted)
{
    // Fast balls a hair above the floor, each a little higher than the one before: every call of the
    // stepping stops the earliest (and the last one found), so thirty balls need more calls than there are.
    const auto drop = [&](int count, float x0) {
        std::vector<GameObject*> balls;
        for (int i = 0; i < count; ++i)
        {
            GameObject& ball = Sphere("Ball", {x0 + 1.1f * i, 0.5f + 0.002f * (i + 1), 0.0f});
            BodyOf(ball).GetVelocity() = {0.0f, -60.0f, 0.0f};
            balls.push_back(&ball);
        }
        return balls;
    };
    const float fallen = (-60.0f - 9.81f * kFrame) * kFrame;
    Box("Floor", {0.0f, -0.5f, 0.0f}, {80.0f, 1.0f, 80.0f}, true);
    const auto many = drop(30, -16.0f);
    Step();
    for (int i = 0; i < 30; ++i)
        EXPECT_NEAR(PositionOf(*many[i]).y, 0.5f + 0.002f * (i + 1) + fallen, 1e-4f) << i;
}

TEST_F(PhysicsTest, ABodyStepsToItsTimeOfImpactAndStopsThere)
{
    Floor();
    GameObject& ball = Sphere("Ball", {0.0f, 0.52f, 0.0f});
    BodyOf(ball).GetVelocity() = {0.0f, -60.0f, 0.0f};
    Step();
    EXPECT_NEAR(PositionOf(ball).y, 0.5f, 1e-3f);
}

TEST_F(PhysicsTest, ABoxComingToRestOnAnotherEntersOnceAndNeverLeaves)
{
    // At a high frame rate the resting box moves less per update than any motion threshold.
    frameTime = 1.0f / 144.0f;
    Box("Base", {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, true);
    GameObject& crate = Box("Crate", {0.0f, 1.5f, 0.0f}, {0.5f, 0.5f, 0.5f});
    Step(3 * 144);
    const auto seen = TakeEvents();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "OnCollisionEnter Base Crate"), 1);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "OnCollisionExit Base Crate"), 0);
    EXPECT_NEAR(PositionOf(crate).y, 0.75f, 1e-3f);
}

TEST_F(PhysicsTest, TwoOverlappingMovingBodiesArePushedApartByTheirShares)
{
    // Masses 1 and 3 overlapping by 0.2 at rest: the lighter goes three quarters of it, back along the normal.
    GameObject& light = Sphere("Light", {0.0f, 0.0f, 0.0f});
    GameObject& heavy = Sphere("Heavy", {0.8f, 0.0f, 0.0f});
    BodyOf(heavy).SetMass(3.0f);
    for (GameObject* ball : {&light, &heavy})
        BodyOf(*ball).SetGravityScale(0.0f);
    Step();
    EXPECT_NEAR(PositionOf(light).x, -0.15f, 1e-5f);
    EXPECT_NEAR(PositionOf(heavy).x, 0.85f, 1e-5f);
    EXPECT_EQ(BodyOf(light).GetVelocity(), Vector3()) << "the impulses are as they were";
}

TEST_F(PhysicsTest, StackedCratesAndBodiesMadeAtOnePointDoNotSinkIntoEachOther)
{
    Box("Floor", {0.0f, -0.5f, 0.0f}, {80.0f, 1.0f, 80.0f}, true);
    GameObject& lower = Box("Lower", {20.0f, 0.5f, 0.0f}, {1.0f, 1.0f, 1.0f});
    GameObject& upper = Box("Upper", {20.0f, 1.5f, 0.0f}, {1.0f, 1.0f, 1.0f});
    std::vector<GameObject*> spawned;
    for (int i = 0; i < 30; ++i)
        spawned.push_back(&Sphere("Spawned", {-10.0f, 3.0f, 10.0f}));

    Step(180);
    float deepest = 0.0f;
    for (std::size_t i = 0; i < spawned.size(); ++i)
        for (std::size_t j = i + 1; j < spawned.size(); ++j)
            deepest = std::max(deepest, 1.0f - (PositionOf(*spawned[i]) - PositionOf(*spawned[j])).Length());
    EXPECT_LE(deepest, 0.05f);

    Step(120);
    EXPECT_GE(PositionOf(upper).y - PositionOf(lower).y, 0.98f);
}

TEST_F(PhysicsTest, AColumnOfFiveCratesKeepsItsShapeForAMinute)
{
    // Set down just touching; every crate rests on the one below, the lowest on the floor.
    Floor();
    std::vector<GameObject*> column;
    for (int i = 0; i < 5; ++i)
        column.push_back(&Box("Crate", {0.0f, 0.5f + float(i), 0.0f}, {1.0f, 1.0f, 1.0f}));
    const auto deepestOverlap = [&] {
        float deepest = -PositionOf(*column[0]).y + 0.5f;
        for (std::size_t i = 1; i < column.size(); ++i)
            deepest = std::max(deepest, 1.0f - (PositionOf(*column[i]).y - PositionOf(*column[i - 1]).y));
        return deepest;
    };

    for (const int seconds : {10, 50})
    {
        Step(60 * seconds);
        EXPECT_LT(deepestOverlap(), 0.05f) << "after " << seconds << " s more";
        EXPECT_NEAR(PositionOf(*column[4]).x, 0.0f, 1e-4f);
    }
}

TEST_F(PhysicsTest, OneBallGoneNaNAmongAThousandLeavesTheOthersAlone)
{
    Box("Floor", {0.0f, -0.5f, 0.0f}, {80.0f, 1.0f, 80.0f}, true);
    std::vector<GameObject*> balls;
    for (int i = 0; i < 1000; ++i)
        balls.push_back(
            &Sphere("Ball" + std::to_string(i), {-35.0f + 2.0f * float(i % 36), 0.5f, -35.0f + 2.0f * float(i / 36)}));
    Step(2);
    TakeEvents();

    // As a script that normalises a zero vector leaves it.
    TransformOf(*balls[0]).SetPosition({std::nanf(""), 0.5f, 0.0f});
    testing::internal::CaptureStderr();
    Step(3);
    const std::string reports = testing::internal::GetCapturedStderr();

    int finite = 0;
    for (GameObject* ball : balls)
        finite += PositionOf(*ball).IsFinite() && BodyOf(*ball).GetVelocity().IsFinite();
    EXPECT_EQ(finite, 999);
    EXPECT_EQ(Occurrences(reports, "Ball0 is left out of the physics"), 1u);
    // A stay for each resting ball; the lost one only leaves the floor.
    const auto seen = TakeEvents();
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(), [](const auto& e) { return e.starts_with("OnCollisionStay"); }),
              3 * 999);
    EXPECT_THAT(seen, testing::Contains("OnCollisionExit Floor Ball0"));
    EXPECT_EQ(seen.size(), 3u * 999u + 1u);
}

TEST_F(PhysicsTest, ABodyWithAValueThatIsNotFiniteIsLeftOutUntilItIsFiniteAgain)
{
    const float nan = std::nanf("");
    const float huge = std::numeric_limits<float>::max();
    struct Fault
    {
        std::string value;
        std::function<void(GameObject&)> spoil;
        std::function<void(GameObject&)> mend;
    };
    const std::vector<Fault> faults = {
        {"position", [&](GameObject& o) { TransformOf(o).SetPosition({nan, 0.5f, 0.0f}); }, {}},
        {"velocity", [&](GameObject& o) { BodyOf(o).GetVelocity() = {0.0f, nan, 0.0f}; },
         [](GameObject& o) { BodyOf(o).GetVelocity() = {}; }},
        {"scale", [](GameObject& o) { TransformOf(o).SetScale({std::numeric_limits<float>::infinity(), 1, 1}); },
         [](GameObject& o) { TransformOf(o).SetScale({1, 1, 1}); }},
        {"gravity scale", [&](GameObject& o) { BodyOf(o).SetGravityScale(nan); },
         [](GameObject& o) { BodyOf(o).SetGravityScale(1.0f); }},
        {"collider offset", [&](GameObject& o) { ColliderOf(o).SetOffset({nan, 0, 0}); },
         [](GameObject& o) { ColliderOf(o).SetOffset({}); }},
        {"overflowing motion", [&](GameObject& o) { BodyOf(o).GetVelocity() = {huge, 0.0f, 0.0f}; },
         [](GameObject& o) { BodyOf(o).GetVelocity() = {}; }},
    };
    Box("Floor", {0.0f, -0.5f, 0.0f}, {80.0f, 1.0f, 80.0f}, true);
    std::vector<std::pair<GameObject*, GameObject*>> pairs;
    for (std::size_t k = 0; k < faults.size(); ++k)
    {
        const float x = -30.0f + 10.0f * float(k);
        // Overlapping a little, so that the pair is pushed apart and its impulses are worked out.
        pairs.emplace_back(&Sphere("Sick" + std::to_string(k), {x, 0.5f, 0.0f}),
                           &Sphere("Partner" + std::to_string(k), {x + 0.9f, 0.5f, 0.0f}));
    }
    Step();
    TakeEvents();
    for (std::size_t k = 0; k < faults.size(); ++k)
        faults[k].spoil(*pairs[k].first);
    testing::internal::CaptureStderr();
    Step(3);
    const std::string reports = testing::internal::GetCapturedStderr();
    for (std::size_t k = 0; k < faults.size(); ++k)
    {
        SCOPED_TRACE(faults[k].value);
        auto [sick, partner] = pairs[k];
        EXPECT_EQ(Occurrences(reports, sick->GetName() + " is left out of the physics"), 1u);
        EXPECT_TRUE(PositionOf(*partner).IsFinite());
        EXPECT_TRUE(BodyOf(*partner).GetVelocity().IsFinite());
        EXPECT_NEAR(PositionOf(*partner).y, 0.5f, 0.01f);
    }
    // Its pairs end; nothing else is heard of it.
    for (const std::string& event : TakeEvents())
        EXPECT_TRUE(event.find("Sick") == std::string::npos || event.starts_with("OnCollisionExit")) << event;

    for (std::size_t k = 0; k < faults.size(); ++k)
    {
        GameObject& sick = *pairs[k].first;
        TransformOf(sick).SetPosition({-30.0f + 10.0f * float(k), 0.5f, 0.0f});
        if (faults[k].mend)
            faults[k].mend(sick);
    }
    Step();
    for (const auto& [sick, partner] : pairs)
        EXPECT_TRUE(std::ranges::any_of(physics.BroadPhaseEntries(), [&](const auto& e) { return e.object == sick; }))
            << sick->GetName() << " takes part again";
    testing::internal::CaptureStderr();
    faults[0].spoil(*pairs[0].first);
    Step();
    EXPECT_EQ(Occurrences(testing::internal::GetCapturedStderr(), "Sick0 is left out of the physics"), 1u)
        << "a relapse is reported again";
}

TEST(NegativeMassLevelTest, AMassBelowZeroIsReportedAndTheBodyKeepsAUsableOne)
{
    TempFolder scratch;
    ObjectFactory factory(scratch.Folder());
    PhysicsSystem physics(PhysicsClock{[] { return kFrame; }, [] { return false; }});
    MessagingSystem messaging({&physics});
    testing::internal::CaptureStderr();
    factory.LoadLevelFile(std::string(NEKTARU_TEST_DATA) + "/physics/NegativeMass.xml", true);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Attempt to set negative mass."), std::string::npos);
    messaging.Update();
    GameObject* above = factory.FindObject("Above");
    ASSERT_NE(above, nullptr);
    EXPECT_EQ(above->GetComponent<RigidBody>()->GetMass(), 1.0f);

    // It falls onto the ball below; with masses 1 and -1 the impulse would divide by 0.
    for (int frame = 0; frame < 120; ++frame)
    {
        physics.Update();
        messaging.Update();
    }
    ASSERT_EQ(physics.SimulatedObjects().size(), 3u);
    for (GameObject* object : physics.SimulatedObjects())
    {
        EXPECT_TRUE(object->GetComponent<Transform>()->GetPosition().IsFinite()) << object->GetName();
        EXPECT_TRUE(object->GetComponent<RigidBody>()->GetVelocity().IsFinite()) << object->GetName();
    }
    EXPECT_NEAR(above->GetComponent<Transform>()->GetPosition().y, 1.5f, 0.02f);
}

TEST(ApplyImpulseTest, ContactsStopTheApproachAlongTheNormal)
{
    struct Case
    {
        const char* name;
        bool firstStatic;
        Vector3 firstVelocity, secondVelocity, normal;
        Vector3 firstAfter, secondAfter;
    };
    const float bounce = 5.005f / 1.0001f - 5.0f;
    const Case cases[] = {
        {"falling onto a static box", true, {}, {0, -5, 0}, {0, 1, 0}, {}, {0, bounce, 0}},
        {"head-on, equal masses", false, {1, 0, 0}, {-1, 0, 0}, {1, 0, 0}, {-0.001f, 0, 0}, {0.001f, 0, 0}},
        {"moving apart", false, {-1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {-1, 0, 0}, {1, 0, 0}},
    };
    for (const Case& c : cases)
    {
        RigidBody first;
        RigidBody second;
        first.SetStatic(c.firstStatic);
        first.GetVelocity() = c.firstVelocity;
        second.GetVelocity() = c.secondVelocity;
        CollisionData record;
        record.normal = c.normal;
        record.relativeMotion = c.secondVelocity - c.firstVelocity;
        ApplyImpulse(first, second, record);
        EXPECT_EQ(first.GetVelocity(), c.firstAfter) << c.name;
        EXPECT_NEAR(second.GetVelocity().x, c.secondAfter.x, 1e-5f) << c.name;
        EXPECT_NEAR(second.GetVelocity().y, c.secondAfter.y, 1e-5f) << c.name;
    }
}

TEST(ApplyImpulseTest, AnImpulseThatIsNotFiniteChangesNothing)
{
    const float nan = std::nanf("");
    struct Case
    {
        const char* name;
        Vector3 firstVelocity, normal;
    };
    const Case cases[] = {
        {"a partner moving at NaN", {0, nan, 0}, {0, 1, 0}},
        {"a normal that is not finite", {0, 1, 0}, {0, nan, 0}},
        {"an overflowing approach", {0, std::numeric_limits<float>::max(), 0}, {0, 1, 0}},
    };
    for (const Case& c : cases)
    {
        RigidBody first;
        RigidBody second;
        first.GetVelocity() = c.firstVelocity;
        second.GetVelocity() = {0, -std::numeric_limits<float>::max(), 0};
        CollisionData record;
        record.normal = c.normal;
        ApplyImpulse(first, second, record);
        EXPECT_EQ(second.GetVelocity(), Vector3(0, -std::numeric_limits<float>::max(), 0)) << c.name;
    }
}

namespace
{
using Query = HitInfo (PhysicsSystem::*)(const Vector3&, const Vector3&, bool);
struct NamedQuery
{
    const char* name;
    Query query;
};
constexpr NamedQuery kQueries[] = {
    {"RaycastOBB", &PhysicsSystem::RaycastOBB},         {"RaycastAABB", &PhysicsSystem::RaycastAABB},
    {"RaycastBoxes", &PhysicsSystem::RaycastBoxes},     {"RaycastSpheres", &PhysicsSystem::RaycastSpheres},
    {"RaycastAll", &PhysicsSystem::RaycastAll},
};

class RaycastTest : public PhysicsTest
{
protected:
    // The distance every query answers for the ray, -1 for a miss, in the order of kQueries.
    std::vector<float> Distances(const Vector3& origin, const Vector3& direction, bool skipTriggers = true)
    {
        std::vector<float> distances;
        for (const NamedQuery& query : kQueries)
            distances.push_back((physics.*query.query)(origin, direction, skipTriggers).distance);
        return distances;
    }
};

MATCHER_P(DistancesNear, expected, "")
{
    if (arg.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < arg.size(); ++i)
        if (std::abs(arg[i] - expected[i]) > 1e-4f)
        {
            *result_listener << kQueries[i].name << " answers " << arg[i];
            return false;
        }
    return true;
}
} // namespace

TEST_F(RaycastTest, EachQueryFindsItsOwnShapes)
{
    GameObject& box = Box("Box", {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, true);
    Sphere("Ball", {0.0f, 0.0f, 5.0f}, 0.5f, true);
    Body("Pillar", {0.0f, 0.0f, -5.0f}, "CapsuleCollider", true);

    EXPECT_THAT(Distances({-5, 0, 0}, {10, 0, 0}), DistancesNear(std::vector{4.5f, 4.5f, 4.5f, -1.0f, 4.5f}));
    EXPECT_THAT(Distances({0, 0, 2}, {0, 0, 10}), DistancesNear(std::vector{-1.0f, -1.0f, -1.0f, 2.5f, 2.5f}));
    EXPECT_THAT(Distances({0, 0, -2}, {0, 0, -10}), DistancesNear(std::vector{-1.0f, -1.0f, -1.0f, -1.0f, 2.5f}));

    const HitInfo hit = physics.RaycastAABB({-5, 0, 0}, {10, 0, 0}, true);
    EXPECT_EQ(hit.object, &box);
    EXPECT_EQ(hit.point, Vector3(-0.5f, 0.0f, 0.0f));
    const HitInfo miss = physics.RaycastAll({-5, 3, 0}, {10, 0, 0}, true);
    EXPECT_EQ(miss.object, nullptr);
    EXPECT_EQ(miss.distance, -1.0f);
    EXPECT_EQ(miss.point, Vector3());
}

TEST_F(RaycastTest, ARayFromInsideABoxAndATurnedBox)
{
    GameObject& box = Box("Box", {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, true);
    // From inside: the segment test does not count the box, the box query does, the oriented one hits
    // the far face.
    EXPECT_THAT(Distances({0, 0, 0}, {5, 0, 0}), DistancesNear(std::vector{0.5f, -1.0f, 0.0f, -1.0f, -1.0f}));

    TransformOf(box).SetRotation({0.0f, 45.0f, 0.0f});
    const float corner = 5.0f - std::sqrt(0.5f);
    EXPECT_THAT(Distances({-5, 0, 0}, {10, 0, 0}), DistancesNear(std::vector{corner, 4.5f, corner, -1.0f, 4.5f}));
}

TEST_F(RaycastTest, TriggersAreHitUnlessSkipped)
{
    GameObject& zone = Box("Zone", {2.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, true);
    ColliderOf(zone).SetTrigger(true);
    GameObject& wall = Box("Wall", {4.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, true);
    for (const NamedQuery& query : {kQueries[0], kQueries[1], kQueries[2], kQueries[4]})
    {
        EXPECT_EQ((physics.*query.query)({0, 0, 0}, {10, 0, 0}, false).object, &zone) << query.name;
        EXPECT_EQ((physics.*query.query)({0, 0, 0}, {10, 0, 0}, true).object, &wall) << query.name;
    }
}

TEST_F(RaycastTest, ObjectsOutsideTheSimulationAreNeverHit)
{
    GameObject& box = Box("Box", {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, true);
    GameObject& bare = world.Live("Bare", ++lastId);
    bare.EnsureTransform();
    bare.AddComponent("AABBCollider");
    physics.RegisterObject(&bare);
    BodyOf(box).SetEnabled(false);
    messaging.Update();
    EXPECT_THAT(Distances({-5, 0, 0}, {10, 0, 0}), DistancesNear(std::vector{-1.0f, -1.0f, -1.0f, -1.0f, -1.0f}));
}

TEST_F(RaycastTest, AColliderOffsetMovesWhereTheRayMeetsIt)
{
    for (GameObject* object : {&Box("Box", {0, 0, 0}, {1, 1, 1}, true), &Sphere("Ball", {0, 0, 20}, 0.5f, true)})
        ColliderOf(*object).SetOffset({0.0f, 1.0f, 0.0f});
    EXPECT_THAT(Distances({-5, 1, 0}, {10, 0, 0}), DistancesNear(std::vector{4.5f, 4.5f, 4.5f, -1.0f, 4.5f}));
    EXPECT_THAT(Distances({-5, 0, 0}, {10, 0, 0}), DistancesNear(std::vector{-1.0f, -1.0f, -1.0f, -1.0f, -1.0f}));
    EXPECT_THAT(Distances({0, 1, 15}, {0, 0, 10}), DistancesNear(std::vector{-1.0f, -1.0f, -1.0f, 4.5f, 4.5f}));
    EXPECT_EQ(physics.RaycastSpheres({0, 1, 15}, {0, 0, 10}, true).point, Vector3(0.0f, 1.0f, 19.5f));
}

TEST(SplashLevelPhysicsTest, TheSplashBodiesFallOntoTheFloorAndComeToRest)
{
    TempFolder scratch;
    ObjectFactory factory(scratch.Folder());
    PhysicsSystem physics(PhysicsClock{[] { return kFrame; }, [] { return false; }});
    MessagingSystem messaging({&physics});
    const std::string assets = std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/";
    for (const std::string& prefab : ListFolderFiles(assets + "Prefabs"))
        factory.LoadPrefabFile(prefab);
    factory.LoadLevelFile(assets + "XML/SplashCalvorn.xml", true);
    messaging.Update();

    const GameObject* floor = factory.FindObject("SplashFloor");
    ASSERT_NE(floor, nullptr);
    // Colliders measure in the object's scaled space: a box's size by the scale, a sphere's radius by scale x.
    const auto halfHeight = [](const GameObject& object) {
        const auto& collider = *object.GetComponent<Collider>();
        const Vector3& scale = object.GetComponent<Transform>()->GetScale();
        return collider.GetType() == ColliderType::Box ? collider.GetSize().y * scale.y * 0.5f
                                                       : collider.GetRadius() * scale.x;
    };
    const float floorTop = floor->GetComponent<Transform>()->GetPosition().y + halfHeight(*floor);
    std::map<const GameObject*, float> startHeights;
    for (const GameObject* object : physics.SimulatedObjects())
        startHeights[object] = object->GetComponent<Transform>()->GetPosition().y;
    ASSERT_EQ(startHeights.size(), 5u);

    for (int frame = 0; frame < 300; ++frame)
    {
        physics.Update();
        messaging.Update();
    }
    for (const GameObject* object : physics.SimulatedObjects())
    {
        if (object == floor)
            continue;
        RigidBody& body = *object->GetComponent<RigidBody>();
        const float bottom = object->GetComponent<Transform>()->GetPosition().y - halfHeight(*object);
        EXPECT_NEAR(bottom, floorTop, 0.02f) << object->GetName();
        EXPECT_LT(body.GetVelocity().Length(), 0.2f) << object->GetName();
        EXPECT_GT(startHeights[object], bottom + 1.0f) << object->GetName();
    }
}
