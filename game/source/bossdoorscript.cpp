#include "bossdoorscript.h"

#include "bossswitch.h"
#include "transforminterface.h"

void BossDoorScript::Reload()
{
    FindPlayerAndBoss("BossDoorScript", playerObject, bossObject);
    sinkDepth = -25.0f;
    // The door may be down when the library is reloaded; whether it is depends only on the player's side.
    const TransformInterface& door = *owner->GetTransform();
    open = playerObject && PlayerBeyond(door);
    homePosition = door.GetPosition() - Vector3(0.0f, open ? sinkDepth : 0.0f, 0.0f);
}

void BossDoorScript::Start()
{
    Reload();
    homePosition = owner->GetTransform()->GetPosition();
    open = false;
}

void BossDoorScript::Update()
{
    TransformInterface& transform = *owner->GetTransform();
    transform.SetPosition(open ? homePosition + Vector3(0.0f, sinkDepth, 0.0f) : homePosition);
    if (!playerObject)
        return;
    open = PlayerBeyond(transform);
}

bool BossDoorScript::PlayerBeyond(const TransformInterface& door) const
{
    const Vector3 beyond = playerObject->GetTransform()->GetPosition() - door.GetPosition();
    return beyond.Dot(door.GetRight()) > 1.0f;
}
