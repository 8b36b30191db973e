#include "bossdoorscript.h"

#include "bossswitch.h"
#include "transforminterface.h"

void BossDoorScript::Reload()
{
    FindPlayerAndBoss(playerObject, bossObject);
}

void BossDoorScript::Start()
{
    Reload();
    homePosition = owner->GetTransform()->GetPosition();
    sinkDepth = -25.0f;
    open = false;
}

void BossDoorScript::Update()
{
    TransformInterface& transform = *owner->GetTransform();
    transform.SetPosition(open ? homePosition + Vector3(0.0f, sinkDepth, 0.0f) : homePosition);
    if (!playerObject)
        return;
    const Vector3 beyond = playerObject->GetTransform()->GetPosition() - transform.GetPosition();
    open = beyond.Dot(transform.GetRight()) > 1.0f;
}
