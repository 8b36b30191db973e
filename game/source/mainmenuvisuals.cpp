#include "mainmenuvisuals.h"

#include <algorithm>

#include "animatorinterface.h"
#include "gameservices.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define MAINMENUVISUALS_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, speed, "speed", "ScrollSpeed")

DEFINE_SCRIPT_PROPERTIES(MainMenuVisuals, MAINMENUVISUALS_PROPERTIES)

namespace
{
constexpr float kWrapAtX = 40.0f;
} // namespace

void MainMenuVisuals::Start()
{
    const GameObjectInterface* player = FindObjectNamed("Player");
    if (AnimatorInterface* animator = player ? player->GetAnimator() : nullptr)
        animator->Play("Run");
    Reload();
}

void MainMenuVisuals::Reload()
{
    scenery = NumberedObjects("Object ");
    // The level lays the scenery from right to left, so at the start the hindmost is the last one; after some
    // scrolling it is whichever came back in last, still the hindmost.
    const auto x = [](const GameObjectInterface* object) { return object->GetTransform()->GetPosition().x; };
    if (!scenery.empty())
        wrapX = x(*std::ranges::min_element(scenery, {}, x));
}

void MainMenuVisuals::Update()
{
    for (GameObjectInterface* object : scenery)
    {
        TransformInterface& transform = *object->GetTransform();
        const Vector3 position = transform.GetPosition();
        const Vector3 moved = position + Vector3(1.0f, 0.0f, 0.0f) * speed * gServices.dt;
        transform.SetPosition(moved.x >= kWrapAtX ? Vector3(wrapX, position.y, position.z) : moved);
    }
}
