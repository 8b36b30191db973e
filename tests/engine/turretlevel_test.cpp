// Turrets of the player fixture's turret level, played on the engine and the built game library.
#include "levelrunner.h"
#include "transforminterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

namespace
{
constexpr const char* kHighTurrets[] = {"Turret 90", "Turret -45", "Turret 180"};

// The axis the renderer draws as the object's forward: the model matrix applied to +z.
Vector3 DrawnForward(const GameObject& object)
{
    const Vector4 axis = object.GetTransform()->GetModelMatrix() * Vector4(0.0f, 0.0f, 1.0f, 0.0f);
    return Vector3(axis.x, axis.y, axis.z).Normalized();
}

float DegreesBetween(const Vector3& a, const Vector3& b)
{
    const float cosine = a.Normalized().Dot(b.Normalized());
    return std::acos(std::fmin(1.0f, std::fmax(-1.0f, cosine))) * 180.0f / 3.1415927f;
}

// A live ice projectile within 0.1 of the point, or null.
GameObjectInterface* ShotAt(const LevelRunner& runner, const Vector3& point)
{
    for (GameObjectInterface* object : runner.Factory().GetAllObjects())
        if (object->GetName() == "IceProjectile" && (object->GetTransform()->GetPosition() - point).Length() < 0.1f)
            return object;
    return nullptr;
}

TEST(TurretLevel, EachShotLeavesAlongItsTurretsDrawnFacingAndOneIntoThePlayerKillsIt)
{
    SKIP_UNLESS_LEVELS_CAN_RUN();
    LevelRunner runner("player", "Turrets");

    // Each turret fires after half a second; its shot appears 1.5 along the drawn facing.
    std::map<std::string, GameObjectInterface*> shots;
    std::map<std::string, Vector3> starts;
    for (int frame = 0; frame < 45 && shots.size() < std::size(kHighTurrets); ++frame)
    {
        runner.Frames(1);
        for (const char* name : kHighTurrets)
        {
            const GameObject& turret = runner.Object(name);
            const Vector3 muzzle = turret.GetTransform()->GetPosition() + DrawnForward(turret) * 1.5f;
            if (!shots.contains(name))
                if (GameObjectInterface* shot = ShotAt(runner, muzzle))
                {
                    shots[name] = shot;
                    starts[name] = shot->GetTransform()->GetPosition();
                }
        }
    }
    ASSERT_EQ(shots.size(), std::size(kHighTurrets)) << "a shot missing at its turret's drawn facing";

    runner.Frames(10);
    for (const auto& [name, shot] : shots)
    {
        const Vector3 travel = shot->GetTransform()->GetPosition() - starts[name];
        ASSERT_GT(travel.Length(), 0.5f) << name;
        EXPECT_LT(DegreesBetween(travel, DrawnForward(runner.Object(name))), 2.0f) << name;
    }

    // The turret at the player's height shoots it down.
    bool impact = false;
    for (int frame = 0; frame < 60 && runner.AnimationState("Player") != "Death"; ++frame)
    {
        runner.Frames(1);
        impact = impact || runner.Factory().FindObject("Impact Effect");
    }
    EXPECT_TRUE(impact);
    EXPECT_EQ(runner.AnimationState("Player"), "Death");
}
} // namespace
