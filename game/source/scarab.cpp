#include "scarab.h"

#include "audiointerface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "playerstats.h"
#include "scriptlookup.h"
#include "transforminterface.h"

void Scarab::OnTriggerStay(GameObjectInterface* other)
{
    if (other->GetName() != "Player" || !ScriptOf<PlayerStats>(other))
        return;
    PlayerStats::SetUnlockedBlink(true);
    PlayerStats::SetUnlockedMelee(true);
    gServices.factory->Destroy(owner);
    gServices.audio->PlayOneShot("sfx_ItemPickUp", 0.3f, owner->GetTransform()->GetPosition());
}
