// A scene of falling bodies, half spheres and half boxes, dropped onto a static floor over a 20 x 20 area and
// stepped for ten seconds at 60 updates a second: our physics against Bullet's default dynamics world. Then
// scenes that once cost far more than their size: a resting scene with one body gone non-finite, and bodies
// spawned at one point.
#include "c_collider.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "gameobject.h"
#include "messagingsystem.h"
#include "physicssystem.h"

#include <benchmark/benchmark.h>
#include <btBulletDynamicsCommon.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr float kStep = 1.0f / 60.0f;
constexpr int kUpdates = 600;
constexpr float kArea = 20.0f;
constexpr float kRadius = 0.4f;

// Where body i of n starts: a grid over the floor, at one of four heights so they land at different times.
struct Drop
{
    Vector3 position;
    bool sphere;
};

std::vector<Drop> Drops(int count)
{
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<float>(count))));
    const float spacing = kArea / static_cast<float>(side);
    std::vector<Drop> drops;
    for (int i = 0; i < count; ++i)
    {
        const float x = -kArea * 0.5f + spacing * (static_cast<float>(i % side) + 0.5f);
        const float z = -kArea * 0.5f + spacing * (static_cast<float>(i / side) + 0.5f);
        drops.push_back({{x, 2.0f + 0.5f * static_cast<float>(i % 4), z}, i % 2 == 0});
    }
    return drops;
}

// Our physics at 60 updates a second over objects it owns.
class OurWorld
{
public:
    OurWorld() : physics_(PhysicsClock{[] { return kStep; }, [] { return false; }}) {}

    GameObject& Add(const Vector3& position, const std::string& colliderName, bool isStatic)
    {
        auto& object = *objects_.emplace_back(std::make_unique<GameObject>("Body", objects_.size() + 1));
        object.EnsureTransform();
        object.GetComponent<Transform>()->SetPosition(position);
        static_cast<RigidBody*>(object.AddComponent("RigidBody"))->SetStatic(isStatic);
        object.AddComponent(colliderName);
        physics_.RegisterObject(&object);
        return object;
    }
    Collider& Shape(const Vector3& position, const std::string& colliderName, bool isStatic)
    {
        return *Add(position, colliderName, isStatic).GetComponent<Collider>();
    }
    void Floor(float side) { Shape({0.0f, -0.5f, 0.0f}, "AABBCollider", true).SetSize({side, 1.0f, side}); }
    PhysicsSystem& Physics() { return physics_; }

private:
    PhysicsSystem physics_;
    std::vector<std::unique_ptr<GameObject>> objects_;
};

class OurScene : public OurWorld
{
public:
    explicit OurScene(int count)
    {
        Floor(kArea);
        for (const Drop& drop : Drops(count))
        {
            Collider& collider = Shape(drop.position, drop.sphere ? "SphereCollider" : "AABBCollider", false);
            if (drop.sphere)
                collider.SetRadius(kRadius);
            else
                collider.SetSize({2.0f * kRadius, 2.0f * kRadius, 2.0f * kRadius});
        }
    }
    void Step() { Physics().Update(); }
};

class BulletScene
{
public:
    explicit BulletScene(int count)
        : dispatcher_(&configuration_), world_(&dispatcher_, &broadphase_, &solver_, &configuration_)
    {
        world_.setGravity({0.0f, -9.81f, 0.0f});
        Add({0.0f, -0.5f, 0.0f}, std::make_unique<btBoxShape>(btVector3(kArea * 0.5f, 0.5f, kArea * 0.5f)), 0.0f);
        for (const Drop& drop : Drops(count))
        {
            std::unique_ptr<btCollisionShape> shape;
            if (drop.sphere)
                shape = std::make_unique<btSphereShape>(kRadius);
            else
                shape = std::make_unique<btBoxShape>(btVector3(kRadius, kRadius, kRadius));
            Add(drop.position, std::move(shape), 1.0f);
        }
    }
    ~BulletScene()
    {
        for (auto& body : bodies_)
            world_.removeRigidBody(body.get());
    }
    void Step() { world_.stepSimulation(kStep); }

private:
    void Add(const Vector3& position, std::unique_ptr<btCollisionShape> shape, float mass)
    {
        btVector3 inertia(0.0f, 0.0f, 0.0f);
        if (mass > 0.0f)
            shape->calculateLocalInertia(mass, inertia);
        auto& state = states_.emplace_back(std::make_unique<btDefaultMotionState>(
            btTransform(btQuaternion::getIdentity(), btVector3(position.x, position.y, position.z))));
        auto& body = bodies_.emplace_back(std::make_unique<btRigidBody>(
            btRigidBody::btRigidBodyConstructionInfo(mass, state.get(), shape.get(), inertia)));
        world_.addRigidBody(body.get());
        shapes_.push_back(std::move(shape));
    }

    btDefaultCollisionConfiguration configuration_;
    btCollisionDispatcher dispatcher_;
    btDbvtBroadphase broadphase_;
    btSequentialImpulseConstraintSolver solver_;
    btDiscreteDynamicsWorld world_;
    std::vector<std::unique_ptr<btCollisionShape>> shapes_;
    std::vector<std::unique_ptr<btDefaultMotionState>> states_;
    std::vector<std::unique_ptr<btRigidBody>> bodies_;
};

// Seconds to run every update of a freshly built scene.
template <class Scene>
double SecondsToRun(int count)
{
    Scene scene(count);
    const auto start = std::chrono::steady_clock::now();
    for (int update = 0; update < kUpdates; ++update)
        scene.Step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_FallingBodies_vs_Bullet(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    double ours = 0.0;
    double bullet = 0.0;
    for (auto _ : state)
    {
        const double oursNow = SecondsToRun<OurScene>(count);
        bullet += SecondsToRun<BulletScene>(count);
        ours += oursNow;
        state.SetIterationTime(oursNow);
    }
    const double updates = static_cast<double>(state.iterations()) * kUpdates;
    state.counters["ours_us_per_update"] = ours / updates * 1e6;
    state.counters["bullet_us_per_update"] = bullet / updates * 1e6;
    state.counters["ratio"] = ours / bullet;
}
BENCHMARK(BM_FallingBodies_vs_Bullet)->Arg(100)->Arg(400)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// A row of 4,000 boxes two apart landing on a floor as long as the row: laid along z, against the same row
// laid along x. Neither way may cost more than the other.
constexpr int kRowBoxes = 4000;
constexpr float kRowSpacing = 2.0f;
constexpr int kRowUpdates = 30;

class BoxRow : public OurWorld
{
public:
    explicit BoxRow(bool alongZ)
    {
        const float length = kRowSpacing * kRowBoxes;
        Shape({0.0f, -0.5f, 0.0f}, "AABBCollider", true).SetSize(alongZ ? Vector3{2.0f, 1.0f, length}
                                                                          : Vector3{length, 1.0f, 2.0f});
        for (int i = 0; i < kRowBoxes; ++i)
        {
            const float along = -0.5f * length + kRowSpacing * (static_cast<float>(i) + 0.5f);
            const Vector3 position = alongZ ? Vector3{0.0f, 1.0f, along} : Vector3{along, 1.0f, 0.0f};
            Shape(position, "AABBCollider", false).SetSize({1.0f, 1.0f, 1.0f});
        }
    }
    void Step() { Physics().Update(); }
};

double SecondsToRunRow(bool alongZ)
{
    BoxRow row(alongZ);
    const auto start = std::chrono::steady_clock::now();
    for (int update = 0; update < kRowUpdates; ++update)
        row.Step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_BoxRowAlongZ_vs_AlongX(benchmark::State& state)
{
    double alongZ = 0.0;
    double alongX = 0.0;
    for (auto _ : state)
    {
        const double now = SecondsToRunRow(true);
        alongX += SecondsToRunRow(false);
        alongZ += now;
        state.SetIterationTime(now);
    }
    const double updates = static_cast<double>(state.iterations()) * kRowUpdates;
    state.counters["along_z_us_per_update"] = alongZ / updates * 1e6;
    state.counters["along_x_us_per_update"] = alongX / updates * 1e6;
    state.counters["ratio"] = alongZ / alongX;
}
BENCHMARK(BM_BoxRowAlongZ_vs_AlongX)->UseManualTime()->Unit(benchmark::kMillisecond);

// Counts the events the physics sends Logic.
class EventCounter : public System
{
public:
    EventCounter() : System(SystemId::Logic) {}
    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Logic"; }
    void HandleMessage(const BaseMessage& message) override { count += message.receiver == SystemId::Logic; }

    long count = 0;
};

// Our physics with its events delivered every update.
class EventWorld : public OurWorld
{
public:
    void Step()
    {
        Physics().Update();
        messaging_.Update();
    }
    EventCounter events;

private:
    MessagingSystem messaging_{{&events, &Physics()}};
};

// 1,000 balls resting apart on a floor, one of which a script has moved to a NaN position: the update of the
// 999 others, and how many of them stay finite.
void BM_RestingBallsWithOneNaN(benchmark::State& state)
{
    EventWorld world;
    world.Floor(80.0f);
    std::vector<GameObject*> balls;
    for (int i = 0; i < 1000; ++i)
        balls.push_back(&world.Add({-35.0f + 2.0f * float(i % 36), 0.5f, -35.0f + 2.0f * float(i / 36)},
                                   "SphereCollider", false));
    for (int update = 0; update < 10; ++update)
        world.Step();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    balls[0]->GetComponent<Transform>()->SetPosition({nan, 0.5f, 0.0f});
    world.events.count = 0;
    for (auto _ : state)
        world.Step();
    int finite = 0;
    for (GameObject* ball : balls)
        finite += ball->GetComponent<Transform>()->GetPosition().IsFinite();
    state.counters["finite_balls"] = finite;
    state.counters["events_per_update"] = double(world.events.count) / double(state.iterations());
}
BENCHMARK(BM_RestingBallsWithOneNaN)->Unit(benchmark::kMillisecond);

// Spheres spawned at one point above a floor wide enough to hold them all side by side, two seconds on: the
// cost of an update, and how many pairs still touch.
void BM_SpheresSpawnedAtOnePoint(benchmark::State& state)
{
    EventWorld world;
    world.Floor(2000.0f);
    for (int i = 0; i < state.range(0); ++i)
        world.Shape({0.0f, 5.0f, 0.0f}, "SphereCollider", false).SetRadius(0.5f);
    for (int update = 0; update < 120; ++update)
        world.Step();
    for (auto _ : state)
        world.Step();
    state.counters["touching_pairs"] = double(world.Physics().TouchingContacts().Size());
}
BENCHMARK(BM_SpheresSpawnedAtOnePoint)->Arg(100)->Arg(800)->Unit(benchmark::kMillisecond);
} // namespace

namespace
{
// A box query that skips triggers, among 10,000 bodies of which 10 solid boxes are what it looks for: the rest
// are spheres and trigger boxes. What one query costs.
void BM_BoxRayAmongSpheresAndTriggers(benchmark::State& state)
{
    OurWorld world;
    constexpr int kSide = 100;
    for (int i = 0; i < kSide * kSide; ++i)
    {
        const Vector3 at{2.0f * float(i % kSide), 0.5f, 2.0f * float(i / kSide)};
        if (i % 1000 == 0)
            world.Shape(at, "AABBCollider", false);
        else if (i % 2 == 0)
            world.Shape(at, "AABBCollider", false).SetTrigger(true);
        else
            world.Shape(at, "SphereCollider", false);
    }
    HitInfo hit;
    for (auto _ : state)
    {
        hit = world.Physics().RaycastBoxes({0.0f, 0.5f, -10.0f}, {0.0f, 0.0f, 500.0f}, true);
        benchmark::DoNotOptimize(hit);
    }
    state.counters["hit_distance"] = hit.distance;
}
BENCHMARK(BM_BoxRayAmongSpheresAndTriggers)->Unit(benchmark::kMicrosecond);
} // namespace

namespace
{
// N bodies registered with the physics and then unregistered one at a time, as a level's objects come and go:
// what one costs, which must not grow with N.
void BM_RegisterAndUnregisterBodies(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<std::unique_ptr<GameObject>> objects;
    for (std::size_t n = 0; n < count; ++n)
    {
        auto& object = *objects.emplace_back(std::make_unique<GameObject>("Body", n + 1));
        object.EnsureTransform();
        object.AddComponent("RigidBody");
        object.AddComponent("SphereCollider");
    }
    PhysicsSystem physics(PhysicsClock{[] { return kStep; }, [] { return false; }});
    double seconds = 0.0;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        for (const auto& object : objects)
            physics.RegisterObject(object.get());
        for (const auto& object : objects)
            physics.UnregisterObject(object.get());
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds += elapsed;
        state.SetIterationTime(elapsed);
    }
    state.counters["us_per_body"] = seconds / double(count * state.iterations()) * 1e6;
}
BENCHMARK(BM_RegisterAndUnregisterBodies)
    ->Arg(5000)
    ->Arg(50000)
    ->Iterations(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
} // namespace
