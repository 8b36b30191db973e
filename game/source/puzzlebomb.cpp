#include "puzzlebomb.h"

#include "audiointerface.h"
#include "destroyafterseconds.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "gameservices.h"
#include "meshrendererinterface.h"
#include "playercontroller.h"
#include "transforminterface.h"

namespace
{
constexpr float kExplosionVolume = 0.4f;
// A tick sounds at a fifth of the bomb's tick volume.
constexpr float kTickVolumeShare = 5.0f;
} // namespace

void PuzzleBombFields::FindPartners()
{
    player = FindObjectFor("PuzzleBomb", "Player");
    playerController = ScriptOf<PlayerController>(player);
    explosionPrefab = FindPrefabFor("PuzzleBomb", "Fire Explosion");
}

void PuzzleBombFields::Burn(GameObjectInterface& bomb)
{
    const float dt = gServices.dt;
    fuseTimer += dt;
    if (flashTimer > 0.0f)
    {
        flashTimer -= dt;
        ShowMaterial(bomb, flashTimer > 0.0f ? flashMaterial : normalMaterial);
    }
    if (fuseTimer > nextTick)
    {
        flashTimer = flashTime;
        nextTick += (fuseTime - nextTick) / tickDivisor;
        gServices.audio->PlayOneShot(tickSound, tickVolume / kTickVolumeShare, bomb.GetTransform()->GetPosition());
    }
    if (fuseTimer > fuseTime)
        Explode(bomb);
}

void PuzzleBombFields::Explode(GameObjectInterface& bomb)
{
    const Vector3 position = bomb.GetTransform()->GetPosition();
    DestroyAfterSeconds::Spawn(explosionPrefab ? explosionPrefab->GetID() : 0, "FireExplosion", position, explosionLife);
    gServices.audio->PlayOneShot(explosionSound, kExplosionVolume, position);
    if (playerController &&
        DistanceSquared(player->GetTransform()->GetPosition(), position) < explosionRadius * explosionRadius)
        playerController->TakeDamage();
    bomb.Destroy();
    ShowMaterial(bomb, normalMaterial);
    nextTick = firstTick;
    flashTimer = 0.0f;
    fuseTimer = 0.0f;
}

void PuzzleBombFields::ShowMaterial(const GameObjectInterface& bomb, const std::string& name) const
{
    if (MeshRendererInterface* renderer = bomb.GetMeshRenderer())
        renderer->SetMaterialName(name, 0);
}

void PuzzleBomb::Reload()
{
    FindPartners();
}

void PuzzleBomb::Start()
{
    Reload();
}

void PuzzleBomb::Update()
{
    if (!armed)
    {
        if (!player || DistanceSquared(player->GetTransform()->GetPosition(), owner->GetTransform()->GetPosition()) >=
                           triggerRadius * triggerRadius)
            return;
        armed = true;
    }
    Burn(*owner);
}
