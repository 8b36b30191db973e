#include "colliderpairs.h"

#include "c_collider.h"
#include "c_transform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace
{
// A random scene of boxes (some turned), spheres and capsules, some static, moving every which way, placed
// as the stepping places a group: boxes first, then spheres, then capsules.
struct Scene
{
    std::vector<ShapePlacement> placed;
    std::vector<bool> isStatic;
};

Scene RandomScene(std::mt19937& random, int count, float spread)
{
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const auto between = [&](float low, float high) { return low + (high - low) * unit(random); };
    Scene scene;
    for (int i = 0; i < count; ++i)
    {
        Transform transform;
        transform.SetPosition({between(-spread, spread), between(-spread, spread), between(-spread, spread)});
        transform.SetScale({between(0.5f, 2.0f), between(0.5f, 2.0f), between(0.5f, 2.0f)});
        std::unique_ptr<Collider> collider;
        switch (random() % 3)
        {
        case 0:
            collider = std::make_unique<BoxCollider>();
            collider->SetSize({between(0.1f, 2.0f), between(0.1f, 2.0f), between(0.1f, 2.0f)});
            if (random() % 3 == 0)
                transform.SetRotation({between(-90.0f, 90.0f), between(-90.0f, 90.0f), 0.0f});
            break;
        case 1:
            collider = std::make_unique<SphereCollider>();
            collider->SetRadius(between(0.1f, 1.0f));
            break;
        default:
            collider = std::make_unique<CapsuleCollider>();
            collider->SetRadius(between(0.1f, 0.6f));
            collider->SetHeight(between(0.1f, 3.0f));
        }
        collider->SetOffset({between(-0.5f, 0.5f), between(-0.5f, 0.5f), 0.0f});
        const Vector3 displacement =
            random() % 4 == 0 ? Vector3() : Vector3(between(-1, 1), between(-1.5f, 1), between(-1, 1));
        scene.placed.push_back(PlaceShape(transform, *collider, displacement));
    }
    std::stable_sort(scene.placed.begin(), scene.placed.end(),
                     [](const ShapePlacement& a, const ShapePlacement& b) { return a.shape < b.shape; });
    for (int i = 0; i < count; ++i)
        scene.isStatic.push_back(random() % 4 == 0);
    return scene;
}
} // namespace

TEST(ColliderPairsTest, EveryPairTheTestsReportIsAmongThePairsThatMayTouch)
{
    std::mt19937 random(16);
    std::size_t contacts = 0;
    std::size_t skipped = 0;
    for (int sceneNumber = 0; sceneNumber < 400; ++sceneNumber)
    {
        const Scene scene = RandomScene(random, 12, sceneNumber % 2 == 0 ? 2.0f : 6.0f);
        const auto candidates = PairsThatMayTouch(scene.placed, scene.isStatic);
        ASSERT_TRUE(std::is_sorted(candidates.begin(), candidates.end()));
        for (std::size_t i = 0; i < scene.placed.size(); ++i)
            for (std::size_t j = i + 1; j < scene.placed.size(); ++j)
            {
                const bool listed = std::binary_search(candidates.begin(), candidates.end(), std::pair{i, j});
                if (scene.isStatic[i] && scene.isStatic[j])
                {
                    EXPECT_FALSE(listed);
                    continue;
                }
                CollisionData record;
                record.resolve = 1;
                const bool touches = TestPair(scene.placed[i], scene.placed[j], record);
                contacts += touches;
                skipped += !listed;
                EXPECT_TRUE(listed || !touches) << "scene " << sceneNumber << " pair " << i << ", " << j;
            }
    }
    // The scenes are crowded enough to touch often and sparse enough to leave pairs out.
    EXPECT_GT(contacts, 2000u);
    EXPECT_GT(skipped, 5000u);
}

TEST(ColliderPairsTest, TheBroadPhaseSphereHoldsTheShapeAndItsMotion)
{
    Transform transform;
    transform.SetScale({2.0f, 3.0f, 1.0f});
    BoxCollider box;
    box.SetSize({1.0f, 2.0f, 2.0f});
    SphereCollider sphere;
    sphere.SetRadius(0.5f);
    CapsuleCollider capsule;
    capsule.SetRadius(0.5f);
    capsule.SetHeight(2.0f);
    const Vector3 motion(0.0f, -3.0f, 4.0f);
    // A box's sphere is twice as wide as its half extents; a capsule's is radius plus height.
    EXPECT_FLOAT_EQ(BoundingRadius(transform, box, motion), 2.0f * Vector3(1.0f, 3.0f, 1.0f).Length() + 5.0f);
    EXPECT_FLOAT_EQ(BoundingRadius(transform, sphere, motion), 1.0f + 5.0f);
    EXPECT_FLOAT_EQ(BoundingRadius(transform, capsule, motion), 1.0f + 6.0f + 5.0f);
}
