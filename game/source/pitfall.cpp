#include "pitfall.h"

#include "aicharacter.h"
#include "playercontroller.h"
#include "playerstats.h"
#include "rigidbodyinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
bool BlinkingOrDead(const PlayerController& controller)
{
    return controller.playerState == PlayerController::kBlinking ||
           controller.playerState == PlayerController::kDead;
}

// Hurt, and held where it fell until the respawn. A hit the controller ignored is followed by no respawn, which
// alone would free the body.
void Hurt(PlayerController& controller, const GameObjectInterface& player)
{
    controller.TakeDamage();
    if (controller.playerState != PlayerController::kDead)
        return;
    if (RigidBodyInterface* body = player.GetRigidBody())
        body->SetStatic(true);
}

void PutBack(const PlayerController& controller, const GameObjectInterface& player)
{
    player.GetTransform()->SetPosition(controller.respawnPoint);
}
} // namespace

void Pitfall::OnTriggerEnter(GameObjectInterface* other)
{
    if (Contains(other->GetName(), "Elem"))
        if (AICharacter* character = ElemOf(other))
            character->health = 0;
    if (other->GetName() != "Player")
        return;
    auto* controller = ScriptOf<PlayerController>(other);
    const auto* stats = ScriptOf<PlayerStats>(other);
    if (!controller || !stats)
        return;
    playerController = controller;
    if (stats->invulnerable)
        PutBack(*controller, *other);
    else if (!BlinkingOrDead(*controller))
        Hurt(*controller, *other);
}

void Pitfall::OnTriggerStay(GameObjectInterface* other)
{
    if (other->GetName() != "Player")
        return;
    auto* controller = ScriptOf<PlayerController>(other);
    if (!controller || BlinkingOrDead(*controller))
        return;
    // A blink may end over the pit.
    const auto* stats = ScriptOf<PlayerStats>(other);
    if (stats && stats->invulnerable)
        PutBack(*controller, *other);
    else
        Hurt(*controller, *other);
}
