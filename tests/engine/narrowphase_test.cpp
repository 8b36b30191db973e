#include "narrowphase.h"
#include "vectornear.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace
{
const Vector3 kZero;
const Vector3 kRight{1, 0, 0};
const Vector3 kUp{0, 1, 0};
const Vector3 kForward{0, 0, 1};

ObbShape Unrotated(const Vector3& centre, const Vector3& halfExtents)
{
    return {centre, halfExtents, {kRight, kUp, kForward}};
}

// Turned about the world up axis.
ObbShape TurnedAboutUp(const Vector3& centre, const Vector3& halfExtents, float degrees)
{
    const float c = std::cos(DegreesToRadians(degrees));
    const float s = std::sin(DegreesToRadians(degrees));
    return {centre, halfExtents, {{c, 0, -s}, kUp, {s, 0, c}}};
}

AabbShape UnitBox(const Vector3& centre)
{
    return {centre, {0.5f, 0.5f, 0.5f}};
}

struct ContactCase
{
    std::string name;
    std::function<bool(CollisionData&)> test;
    bool hit;
    Vector3 normal;
    float penetration;
    float timeOfImpact;
};

void ExpectContacts(const std::vector<ContactCase>& cases)
{
    for (const ContactCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CollisionData contact;
        const bool hit = c.test(contact);
        EXPECT_EQ(hit, c.hit);
        if (!hit || !c.hit)
            continue;
        ExpectNear(contact.normal, c.normal, "normal", 1e-4f);
        EXPECT_NEAR(contact.penetration, c.penetration, 1e-4f);
        EXPECT_NEAR(contact.timeOfImpact, c.timeOfImpact, 1e-4f);
    }
}

struct RayCase
{
    std::string name;
    std::function<HitInfo(float&)> ray;
    float distance; // -1 for a miss
    Vector3 point;
    float t;
};

void ExpectRays(const std::vector<RayCase>& cases)
{
    for (const RayCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        float t = 0.0f;
        const HitInfo hit = c.ray(t);
        EXPECT_EQ(hit.object, nullptr);
        EXPECT_NEAR(hit.distance, c.distance, 1e-4f);
        ExpectNear(hit.point, c.point, "point", 1e-4f);
        if (c.distance >= 0.0f)
        {
            EXPECT_NEAR(t, c.t, 1e-4f);
        }
    }
}
} // namespace

TEST(ClosestPoints, BoxSegmentAndSegmentPairs)
{
    ExpectNear(ClosestPointOnBox({5, 0, 0}, TurnedAboutUp(kZero, {1, 1, 1}, 45)), {std::sqrt(2.0f), 0, 0}, "box");
    ExpectNear(ClosestPointOnBox({0.2f, -0.3f, 0.1f}, Unrotated(kZero, {1, 1, 1})), {0.2f, -0.3f, 0.1f}, "inside");

    struct SegmentCase
    {
        Vector3 point, a, b, expected;
        float t;
    };
    for (const SegmentCase& c : std::vector<SegmentCase>{
             {{-1, 1, 0}, kZero, {2, 0, 0}, kZero, 0},
             {{3, 1, 0}, kZero, {2, 0, 0}, {2, 0, 0}, 1},
             {{0.5f, 1, 0}, kZero, {2, 0, 0}, {0.5f, 0, 0}, 0.25f},
             {kZero, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, 0},
         })
    {
        const SegmentPoint closest = ClosestPointOnSegment(c.point, c.a, c.b);
        ExpectNear(closest.point, c.expected, "segment point");
        EXPECT_FLOAT_EQ(closest.t, c.t);
    }

    struct PairCase
    {
        const char* name;
        Vector3 p1, q1, p2, q2, c1, c2;
        float distance;
    };
    for (const PairCase& c : std::vector<PairCase>{
             {"crossing", {-1, 0, 0}, {1, 0, 0}, {0, -1, 1}, {0, 1, 1}, kZero, {0, 0, 1}, 1},
             {"parallel", kZero, {2, 0, 0}, {1, 1, 0}, {3, 1, 0}, {1, 0, 0}, {1, 1, 0}, 1},
             {"first a point", {1, 1, 0}, {1, 1, 0}, kZero, {2, 0, 0}, {1, 1, 0}, {1, 0, 0}, 1},
             {"second a point", kZero, {2, 0, 0}, {1, 1, 0}, {1, 1, 0}, {1, 0, 0}, {1, 1, 0}, 1},
             {"two points", kZero, kZero, {3, 4, 0}, {3, 4, 0}, kZero, {3, 4, 0}, 5},
         })
    {
        SCOPED_TRACE(c.name);
        const SegmentsClosest closest = ClosestPointsOfSegments(c.p1, c.q1, c.p2, c.q2);
        ExpectNear(closest.c1, c.c1, "c1");
        ExpectNear(closest.c2, c.c2, "c2");
        EXPECT_NEAR(closest.distance, c.distance, 1e-5f);
    }
}

TEST(NarrowPhase, StaticBoxTests)
{
    const AabbShape origin = UnitBox(kZero);
    const Vector3 one{1, 1, 1};
    ExpectContacts({
        {"1.5 apart on x", [&](auto& c) { return TestAabbAabb({kZero, one}, {{1.5f, 0, 0}, one}, c); }, true, kRight,
         0.5f, 0},
        {"B on the negative side", [&](auto& c) { return TestAabbAabb({kZero, one}, {{-1.5f, 0, 0}, one}, c); }, true,
         -kRight, 0.5f, 0},
        {"least overlap on y", [&](auto& c) { return TestAabbAabb(origin, UnitBox({0.2f, -0.9f, 0}), c); }, true, -kUp,
         0.1f, 0},
        {"equal overlaps on x and y choose x",
         [&](auto& c) { return TestAabbAabb(origin, UnitBox({0.9f, 0.9f, 0}), c); },
         true, kRight, 0.1f, 0},
        {"exact touch", [&](auto& c) { return TestAabbAabb(origin, UnitBox({0, 0, 1}), c); }, true, kForward, 0, 0},
        {"apart", [&](auto& c) { return TestAabbAabb(origin, UnitBox({0, 0, 1.01f}), c); }, false, {}, 0, 0},
        {"sphere outside a face", [&](auto& c) { return TestAabbSphere(origin, {{0, 1.2f, 0}, 0.8f}, c); }, true, kUp,
         0.1f, 0},
        {"sphere outside at an edge", [&](auto& c) { return TestAabbSphere(origin, {{0.8f, 0.8f, 0}, 0.5f}, c); }, true,
         Vector3(1, 1, 0).Normalized(), 0.5f - 0.3f * std::sqrt(2.0f), 0},
        {"sphere out of reach", [&](auto& c) { return TestAabbSphere(origin, {{0, 1.4f, 0}, 0.8f}, c); }, false, {}, 0,
         0},
        // Resting with the centre inside: out through the nearest face, by the projected half extent and the radius.
        {"centre inside, nearest face -x",
         [&](auto& c) { return TestAabbSphere({kZero, {1, 2, 3}}, {{-0.8f, 0, 0}, 0.5f}, c); }, true, -kRight,
         1.0f + 0.5f, 0},
        {"centre at the box centre", [&](auto& c) { return TestAabbSphere(origin, {kZero, 0.25f}, c); }, true, kRight,
         0.75f, 0},
        {"centre inside while moving",
         [&](auto& c) {
             c.relativeMotion = {0, -2, 0};
             return TestAabbSphere(origin, {{0, 0.3f, 0}, 0.25f}, c);
         },
         true, kUp, 0.25f, 0},
        {"capsule standing on a box",
         [&](auto& c) { return TestAabbCapsule({kZero, {5, 0.5f, 5}}, {{0, 1.4f, 0}, 0.5f, 2}, c); }, true, kUp, 0.1f,
         0},
    });
}

TEST(NarrowPhase, OrientedBoxTests)
{
    const ObbShape floor = Unrotated(kZero, {5, 0.5f, 5});
    const ObbShape turned = TurnedAboutUp({0, 0.9f, 0}, {0.5f, 0.5f, 0.5f}, 45);
    ExpectContacts({
        // The edge axes of a turned box are measured along their unit direction, so the face gives the depth.
        {"turned box resting on a floor", [&](auto& c) { return TestObbObb(floor, turned, c); }, true, kUp, 0.1f, 0},
        {"normal points from A to B", [&](auto& c) { return TestObbObb(turned, floor, c); }, true, -kUp, 0.1f, 0},
        {"turned box beside an unrotated one",
         [&](auto& c) {
             return TestObbObb(Unrotated(kZero, {0.5f, 0.5f, 0.5f}),
                               TurnedAboutUp({1.1f, 0, 0}, {0.5f, 0.5f, 0.5f}, 45), c);
         },
         true, kRight, 0.5f + 0.5f * std::sqrt(2.0f) - 1.1f, 0},
        {"turned box above a floor",
         [&](auto& c) { return TestObbObb(floor, TurnedAboutUp({0, 1.1f, 0}, {0.5f, 0.5f, 0.5f}, 45), c); }, false, {},
         0, 0},
        {"sphere centre inside a turned box gives its up axis",
         [&](auto& c) {
             const float s = std::sin(DegreesToRadians(30)), co = std::cos(DegreesToRadians(30));
             return TestObbSphere({kZero, {1, 1, 1}, {{co, s, 0}, {-s, co, 0}, kForward}}, {{0.1f, 0.1f, 0}, 0.3f}, c);
         },
         true, Vector3(-std::sin(DegreesToRadians(30)), std::cos(DegreesToRadians(30)), 0), 0.3f, 0},
        {"sphere above a box", [&](auto& c) { return TestObbSphere(floor, {{0, 1.2f, 0}, 0.8f}, c); }, true, kUp, 0.1f,
         0},
        {"sphere out of reach of a turned box", [&](auto& c) { return TestObbSphere(turned, {{2, 0.9f, 0}, 0.5f}, c); },
         false, {}, 0, 0},
        {"capsule standing on a turned floor",
         [&](auto& c) { return TestObbCapsule(TurnedAboutUp(kZero, {5, 0.5f, 5}, 30), {{0, 1.4f, 0}, 0.5f, 2}, c); },
         true, kUp, 0.1f, 0},
        {"capsule above a floor", [&](auto& c) { return TestObbCapsule(floor, {{0, 1.6f, 0}, 0.5f, 2}, c); }, false, {},
         0, 0},
    });
}

TEST(NarrowPhase, SphereAndCapsuleTests)
{
    const SphereShape ball{kZero, 0.5f};
    const CapsuleShape pillar{kZero, 0.5f, 2};
    ExpectContacts({
        {"spheres overlapping at rest",
         [&](auto& c) { return TestSphereSphere(ball, kZero, {{0.8f, 0, 0}, 0.5f}, kZero, c); }, true, kRight, 0.2f, 0},
        {"overlapping spheres take the normal against the motion",
         [&](auto& c) { return TestSphereSphere(ball, kZero, {{0.8f, 0, 0}, 0.5f}, {0, -1, 0}, c); }, true, kUp, 0.2f,
         0},
        {"spheres barely overlapping",
         [&](auto& c) { return TestSphereSphere(ball, kZero, {{0.99f, 0, 0}, 0.5f}, kZero, c); }, true, kRight, 0.01f,
         0},
        // No direction parts them; the first world axis, as for boxes, lays bodies made at one point out side by
        // side instead of stacking them.
        {"concentric spheres at rest",
         [&](auto& c) { return TestSphereSphere(ball, kZero, ball, kZero, c); }, true, kRight,
         1, 0},
        {"sphere meets sphere halfway",
         [&](auto& c) { return TestSphereSphere(ball, kZero, {{3, 0, 0}, 0.5f}, {-4, 0, 0}, c); }, true, kRight,
         std::sqrt(8.0f), 0.5f},
        {"both moving", [&](auto& c) { return TestSphereSphere(ball, {2, 0, 0}, {{3, 0, 0}, 0.5f}, {-2, 0, 0}, c); },
         true, kRight, std::sqrt(8.0f), 0.5f},
        {"spheres receding", [&](auto& c) { return TestSphereSphere(ball, kZero, {{3, 0, 0}, 0.5f}, {4, 0, 0}, c); },
         false, {}, 0, 0},
        {"sphere contact after the step",
         [&](auto& c) { return TestSphereSphere(ball, kZero, {{3, 0, 0}, 0.5f}, {-1, 0, 0}, c); }, false, {}, 0, 0},
        // Normals point from the sphere to the capsule.
        {"sphere inside a capsule's reach",
         [&](auto& c) { return TestSphereCapsule({{0.8f, 0, 0}, 0.5f}, kZero, pillar, kZero, c); }, true, -kRight,
         0.2f, 0},
        {"sphere falling onto a capsule's top",
         [&](auto& c) { return TestSphereCapsule({{0, 3, 0}, 0.5f}, {0, -2, 0}, pillar, kZero, c); }, true, -kUp, 1.5f,
         0.75f},
        {"sphere rising away from a capsule",
         [&](auto& c) { return TestSphereCapsule({{0, 3, 0}, 0.5f}, {0, 2, 0}, pillar, kZero, c); }, false, {}, 0, 0},
        // Square to the capsule's axis the penetration stays as it came: 0 here.
        {"sphere meeting a capsule's side along z",
         [&](auto& c) { return TestSphereCapsule({{0, 0, 3}, 0.5f}, {0, 0, -4}, pillar, kZero, c); }, true, -kForward,
         0, 0.5f},
        {"capsule moving onto a resting sphere",
         [&](auto& c) { return TestSphereCapsule({{0, 0, 3}, 0.5f}, kZero, pillar, {0, 0, 4}, c); }, true, -kForward, 0,
         0.5f},
        {"capsule moving away from a sphere",
         [&](auto& c) { return TestSphereCapsule({{0, 0, 3}, 0.5f}, kZero, pillar, {0, 0, -4}, c); }, false, {}, 0, 0},
        {"stacked capsules",
         [&](auto& c) { return TestCapsuleCapsule(pillar, kZero, {{0, 1.5f, 0}, 0.5f, 2}, kZero, c); },
         true, kUp, 0.5f, 0},
        {"stacked capsules, upper first",
         [&](auto& c) { return TestCapsuleCapsule({{0, 1.5f, 0}, 0.5f, 2}, kZero, pillar, kZero, c); },
         true, -kUp, 0.5f,
         0},
        {"capsules on one line",
         [&](auto& c) { return TestCapsuleCapsule(pillar, kZero, pillar, kZero, c); }, true, kUp,
         1, 0},
        {"capsules apart",
         [&](auto& c) { return TestCapsuleCapsule(pillar, kZero, {{0, 2.1f, 0}, 0.5f, 2}, kZero, c); },
         false, {}, 0, 0},
    });

    CollisionData contact;
    ASSERT_TRUE(TestCapsuleCapsule(pillar, {1, 0, 0}, {{0.5f, 0, 0}, 0.5f, 2}, {0, 2, 0}, contact));
    ExpectNear(contact.relativeMotion, {-1, 2, 0}, "capsule relative motion");
    ASSERT_TRUE(TestSphereCapsule({{0, 3, 0}, 0.5f}, {0, -2, 0}, pillar, kZero, contact));
    ExpectNear(contact.relativeMotion, {0, 2, 0}, "sphere-capsule relative motion");
    contact.penetration = 0.25f;
    ASSERT_TRUE(TestSphereCapsule({{3, 0.5f, 0}, 0.5f}, {-4, 0, 0}, pillar, kZero, contact));
    EXPECT_EQ(contact.penetration, 0.25f) << "a sweep square to the axis writes no penetration";
}

TEST(NarrowPhase, MovingBoxTests)
{
    const AabbShape origin = UnitBox(kZero);
    const AabbShape floor{kZero, {5, 0.5f, 5}};
    const float edgeTime = (1.5f - 0.5f / std::sqrt(2.0f)) / 2.0f;
    ExpectContacts({
        // Touching boxes are reported at rest: a box resting on another stays in contact with it.
        {"overlapping boxes at rest",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({0.5f, 0, 0}), kZero, c); },
         true, kRight, 0.5f, 0},
        {"overlapping boxes moving together",
         [&](auto& c) { return TestMovingAabbAabb(origin, kRight, UnitBox({0.5f, 0, 0}), kRight, c); }, true, kRight,
         0.5f, 0},
        {"box resting on a box",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({0, 1, 0}), {0, -1e-4f, 0}, c); }, true, kUp,
         0, 0},
        {"boxes apart at rest",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({0, 1.01f, 0}), kZero, c); }, false, {}, 0,
         0},
        {"overlapping boxes moving",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({0.5f, 0, 0}), kUp, c); },
         true, kRight, 0.5f, 0},
        {"box falling onto a box",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({0, 2, 0}), {0, -2, 0}, c); },
         true, kUp, 1, 0.5f},
        {"box rising to a box",
         [&](auto& c) { return TestMovingAabbAabb(origin, {0, 2, 0}, UnitBox({0, 2, 0}), kZero, c); },
         true, kUp, 1, 0.5f},
        // y's exit time comes after x's entry and must not change the normal.
        {"the entry axis is the normal",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({2, 0.5f, 0}), {-2, 0.5f, 0}, c); }, true,
         kRight, 1, 0.5f},
        {"box falling short",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({0, 2, 0}), {0, -0.5f, 0}, c); },
         false, {}, 0, 0},
        {"box moving away",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({0, 2, 0}), {0, 2, 0}, c); },
         false, {}, 0, 0},
        {"box passing beside",
         [&](auto& c) { return TestMovingAabbAabb(origin, kZero, UnitBox({2, 2, 0}), {0, -4, 0}, c); },
         false, {}, 0, 0},
        {"sphere falling onto a face",
         [&](auto& c) { return TestMovingAabbSphere(origin, kZero, {{0, 2, 0}, 0.5f}, {0, -2, 0}, c); }, true, kUp, 0,
         0.5f},
        {"sphere overlapping a box",
         [&](auto& c) { return TestMovingAabbSphere(origin, kZero, {{0, 0.8f, 0}, 0.5f}, {0, -2, 0}, c); }, true, kUp,
         0.2f, 0},
        {"sphere at rest above a box",
         [&](auto& c) { return TestMovingAabbSphere(origin, kZero, {{0, 2, 0}, 0.5f}, kZero, c); }, false, {}, 0, 0},
        {"sphere falling short",
         [&](auto& c) { return TestMovingAabbSphere(origin, kZero, {{0, 2, 0}, 0.5f}, {0, -0.5f, 0}, c); }, false, {},
         0, 0},
        // An edge: the normal points from the box back along the motion, towards the sphere.
        {"sphere meeting an edge",
         [&](auto& c) { return TestMovingAabbSphere(origin, kZero, {{2, 2, 0}, 0.5f}, {-2, -2, 0}, c); }, true,
         Vector3(1, 1, 0).Normalized(), edgeTime * 2 * std::sqrt(2.0f), edgeTime},
        {"box moving onto a sphere's edge",
         [&](auto& c) { return TestMovingAabbSphere(origin, {2, 2, 0}, {{2, 2, 0}, 0.5f}, kZero, c); }, true,
         Vector3(1, 1, 0).Normalized(), edgeTime * 2 * std::sqrt(2.0f), edgeTime},
        // Towards a corner, the first edge is met when the centre reaches the corner.
        {"sphere meeting a corner",
         [&](auto& c) { return TestMovingAabbSphere(origin, kZero, {{2, 2, 2}, 0.5f}, {-2, -2, -2}, c); }, true,
         Vector3(1, 1, 1).Normalized(), 0, 0.75f},
        {"sphere reaching a corner after the step",
         [&](auto& c) { return TestMovingAabbSphere(origin, kZero, {{2, 2, 2}, 0.5f}, {-1.2f, -1.2f, -1.2f}, c); },
         false, {}, 0, 0},
        {"capsule falling onto a floor",
         [&](auto& c) { return TestMovingAabbCapsule(floor, kZero, {{0, 3, 0}, 0.5f, 2}, {0, -2, 0}, c); }, true, kUp,
         1.5f, 0.75f},
        {"capsule resting on a floor",
         [&](auto& c) { return TestMovingAabbCapsule(floor, kZero, {{0, 1.4f, 0}, 0.5f, 2}, kZero, c); }, true, kUp,
         0.1f, 0},
        {"capsule beside a box",
         [&](auto& c) { return TestMovingAabbCapsule(origin, kZero, {{3, 0, 0}, 0.5f, 2}, {0, -1, 0}, c); }, false, {},
         0, 0},
        {"capsule meeting an edge",
         [&](auto& c) { return TestMovingAabbCapsule(origin, kZero, {{2, 0, 2}, 0.5f, 2}, {-2, 0, -2}, c); }, true,
         Vector3(1, 0, 1).Normalized(), edgeTime * 2 * std::sqrt(2.0f), edgeTime},
    });

    CollisionData contact;
    ASSERT_TRUE(TestMovingAabbAabb(origin, {0, 1, 0}, UnitBox({0, 2, 0}), {0, -1, 0}, contact));
    ExpectNear(contact.relativeMotion, {0, -2, 0}, "box relative motion");
    contact = {};
    ASSERT_TRUE(TestMovingAabbCapsule(floor, kZero, {{0, 1.4f, 0}, 0.5f, 2}, {0, -1, 0}, contact));
    ExpectNear(contact.relativeMotion, {0, -1, 0}, "capsule relative motion");
}

TEST(NarrowPhase, RayTests)
{
    const AabbShape box = UnitBox(kZero);
    const Vector3 p{0, 1, 0};
    const Vector3 q{0, -1, 0};
    ExpectRays({
        {"box segment ending beyond it", [&](float& t) { return RayAabb({0, 0, -3}, {0, 0, 5}, box, t = 0); }, 2.5f,
         {0, 0, -0.5f}, 0.5f},
        {"box segment ending short of it", [&](float& t) { return RayAabb({0, 0, -3}, {0, 0, 1}, box, t = 0); }, -1, {},
         0},
        {"box segment from inside", [&](float& t) { return RayAabb(kZero, {0, 0, 1}, box, t = 0); }, 0, kZero, 0},
        {"box segment parallel beside it", [&](float& t) { return RayAabb({2, 0, -3}, {0, 0, 5}, box, t = 0); }, -1, {},
         0},
        {"box segment starting before its start",
         [&](float& t) { return RayAabb(kZero, {0, 0, 1}, box, t = -1); }, 0.5f,
         {0, 0, -0.5f}, -0.5f},
        {"sphere ahead", [&](float& t) { return RaySphere({0, 0, -3}, kForward, {kZero, 1}, t); }, 2, {0, 0, -1}, 2},
        {"sphere from inside", [&](float& t) { return RaySphere(kZero, kForward, {kZero, 1}, t); }, -1, {}, 0},
        {"sphere behind", [&](float& t) { return RaySphere({0, 0, 3}, kForward, {kZero, 1}, t); }, -1, {}, 0},
        {"oriented box from inside hits the far face",
         [&](float& t) { return RayObb(kZero, kRight, Unrotated(kZero, {0.5f, 0.5f, 0.5f}), t); }, 0.5f, {0.5f, 0, 0},
         0.5f},
        {"oriented box turned 45 degrees",
         [&](float& t) { return RayObb({-3, 0, 0}, kRight, TurnedAboutUp(kZero, {0.5f, 0.5f, 0.5f}, 45), t); },
         3 - 0.5f * std::sqrt(2.0f), {-0.5f * std::sqrt(2.0f), 0, 0}, 3 - 0.5f * std::sqrt(2.0f)},
        {"oriented box passed above",
         [&](float& t) { return RayObb({-3, 2, 0}, kRight, Unrotated(kZero, {0.5f, 0.5f, 0.5f}), t); }, -1, {}, 0},
        {"oriented box without a direction",
         [&](float& t) { return RayObb({-3, 0, 0}, kZero, Unrotated(kZero, {0.5f, 0.5f, 0.5f}), t); }, -1, {}, 0},
        {"capsule side", [&](float& t) { return RayCapsule({-3, 0, 0}, kRight, 10, p, q, 0.5f, t); }, 2.5f,
         {-0.5f, 0, 0}, 0.25f},
        {"capsule missed", [&](float& t) { return RayCapsule({-3, 2, 0}, kRight, 1, p, q, 0.5f, t); }, -1, {}, 0},
        {"along the axis within the radius",
         [&](float& t) { return RayCapsule({0.2f, 3, 0}, {0, -1, 0}, 10, p, q, 0.5f, t); }, 0, {0.2f, 3, 0}, 0.2f},
        {"along the axis outside the radius",
         [&](float& t) { return RayCapsule({0.7f, 3, 0}, {0, -1, 0}, 10, p, q, 0.5f, t); }, -1, {}, 0},
        // Entering the cylinder's reach above p and crossing p's end plane inside the radius.
        {"through the p end", [&](float& t) { return RayCapsule({1.5f, 3, 0}, {-1.3f, -2, 0}, 2, p, q, 0.5f, t); },
         std::sqrt(1.69f + 4), {0.2f, 1, 0}, 0.5f},
        {"through the q end", [&](float& t) { return RayCapsule({1.5f, -3, 0}, {-1.3f, 2, 0}, 2, p, q, 0.5f, t); },
         std::sqrt(1.69f + 4), {0.2f, -1, 0}, 0.5f},
        {"crossing the p end plane outside the radius",
         [&](float& t) { return RayCapsule({2.5f, 3, 0}, {-1.3f, -2, 0}, 1.2f, p, q, 0.5f, t); }, -1, {}, 0},
    });
}

TEST(NarrowPhase, CapsuleRayBeyondAnEndPlaneMeetsTheEndSphereWithinTheSegment)
{
    const Vector3 p{0, 1, 0};
    const Vector3 q{0, -1, 0};
    ExpectRays({
        {"end sphere ahead", [&](float& t) { return RayCapsule({-3, 1.2f, 0}, kRight, 10, p, q, 0.5f, t); },
         3 - std::sqrt(0.21f), {-std::sqrt(0.21f), 1.2f, 0}, (3 - std::sqrt(0.21f)) / 10},
        {"end sphere past the segment's end",
         [&](float& t) { return RayCapsule({-3, 1.2f, 0}, kRight, 2, p, q, 0.5f, t); },
         -1, {}, 0},
    });
}

TEST(NarrowPhase, AContactThatIsNotFiniteIsNoContact)
{
    // A body a script sent to NaN, or measures that overflow: whatever the test makes of them, no contact
    // may carry them on to the other body.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    const Vector3 lost{nan, 0, 0};
    const SphereShape ball{kZero, 0.5f};
    const CapsuleShape pillar{kZero, 0.5f, 2};
    const AabbShape box = UnitBox(kZero);
    const ObbShape turned = TurnedAboutUp(kZero, {0.5f, 0.5f, 0.5f}, 30);
    const std::vector<std::pair<std::string, std::function<bool(CollisionData&)>>> cases = {
        {"sphere moving by NaN", [&](auto& c) { return TestSphereSphere(ball, kZero, {{3, 0, 0}, 0.5f}, lost, c); }},
        {"sphere at NaN", [&](auto& c) { return TestSphereSphere(ball, kZero, {lost, 0.5f}, kZero, c); }},
        {"sphere moving by an overflowing distance",
         [&](auto& c) { return TestSphereSphere(ball, kZero, {{3, 0, 0}, 0.5f}, {-huge, huge, 0}, c); }},
        {"capsule at NaN", [&](auto& c) { return TestCapsuleCapsule(pillar, kZero, {lost, 0.5f, 2}, kZero, c); }},
        {"sphere by a capsule at NaN",
         [&](auto& c) { return TestSphereCapsule(ball, kZero, {lost, 0.5f, 2}, kZero, c); }},
        {"sphere moving by NaN to a capsule",
         [&](auto& c) { return TestSphereCapsule({{0, 3, 0}, 0.5f}, lost, pillar, kZero, c); }},
        {"box at NaN", [&](auto& c) { return TestMovingAabbAabb(box, kZero, UnitBox(lost), kRight, c); }},
        {"box moving by NaN", [&](auto& c) { return TestMovingAabbAabb(box, kZero, UnitBox({0, 2, 0}), lost, c); }},
        {"sphere moving by NaN to a box",
         [&](auto& c) { return TestMovingAabbSphere(box, kZero, {{0, 2, 0}, 0.5f}, lost, c); }},
        {"capsule moving by NaN to a box",
         [&](auto& c) { return TestMovingAabbCapsule(box, kZero, {{0, 3, 0}, 0.5f, 2}, lost, c); }},
        {"turned box at NaN", [&](auto& c) { return TestObbObb(turned, Unrotated(lost, {0.5f, 0.5f, 0.5f}), c); }},
        {"sphere at NaN in a turned box", [&](auto& c) { return TestObbSphere(turned, {lost, 0.5f}, c); }},
        {"capsule at NaN by a turned box", [&](auto& c) { return TestObbCapsule(turned, {lost, 0.5f, 2}, c); }},
    };
    for (const auto& [name, test] : cases)
    {
        CollisionData contact;
        EXPECT_FALSE(test(contact)) << name;
    }
}
