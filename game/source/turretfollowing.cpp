#include "turretfollowing.h"

#include <cmath>
#include <iostream>

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "transforminterface.h"

#define TURRETFOLLOWING_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, range, "range", "Range") \
    PROPERTY(Class, timeBetweenShots, "timeBetweenShots", "TimeBetweenShots")

DEFINE_SCRIPT_PROPERTIES(TurretFollowing, TURRETFOLLOWING_PROPERTIES)

namespace
{
// Below this the player stands at the turret: no direction to face.
constexpr float kNoDirection = 1e-6f;
} // namespace

void TurretFollowing::Reload()
{
    FindParts(*owner);
    homePosition = transform->GetPosition();
    rangeSquared = range * range;
    if (timeBetweenShots == 0.0f)
        timeBetweenShots = 1.0f;
}

void TurretFollowing::Start()
{
    Reload();
    if (range == 0.0f)
        std::cout << owner->GetName() << "'s range is set to 0, are you sure?" << std::endl;
    shotTimer = timeBetweenShots;
}

void TurretFollowing::Update()
{
    shotTimer -= gServices.dt;
    if (!PlayerInRange())
        return;
    Aim();
    if (shotTimer <= 0.0f)
    {
        Fire(1.0f, transform->GetRotation());
        shotTimer = timeBetweenShots;
    }
}

void TurretFollowing::Aim()
{
    const Vector3 offset = playerTransform->GetPosition() - homePosition;
    if (offset.Length() < kNoDirection)
        return;
    const Vector3 direction = offset.Normalized();
    float angle = std::atan2(direction.z, direction.x) * 180.0f / kPi;
    if (angle < 0.0f)
        angle += 360.0f;
    const Vector3 rotation = transform->GetRotation();
    transform->SetRotation({rotation.x, angle - 90.0f, rotation.z});
}
