#include "bosschargedprojectile.h"

#include "bossswitch.h"
#include "canvasinterface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "playercontroller.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

void BossChargedProjectile::Reload()
{
    // Optional: levels without the green screen only lose the flash.
    greenScreen = FindObjectNamed("GreenScreen");
    // A beam reloaded in flight keeps the size it has and thins out from there; Start sets its own.
    fullScale = owner->GetTransform()->GetScale();
}

void BossChargedProjectile::Start()
{
    Reload();
    lifetimeLength = 2.0f;
    speed = 120.0f;
    lifetime = 2.0f;
    owner->GetTransform()->SetScale({fullScale.x, fullScale.y, 1.0f});
}

void BossChargedProjectile::Update()
{
    const float dt = gServices.dt;
    lifetime -= dt;
    if (lifetime <= 0.0f)
    {
        gServices.factory->Destroy(owner);
        return;
    }
    TransformInterface& transform = *owner->GetTransform();
    const float thinning = lifetime / lifetimeLength;
    Vector3 scale(fullScale.x * thinning, fullScale.y * thinning, transform.GetScale().z);
    if (scale.z < fullScale.z)
    {
        scale.z += speed * dt;
        transform.SetPosition(transform.GetPosition() + direction * (speed / 1.5f) * dt);
    }
    transform.SetScale(scale);
}

void BossChargedProjectile::OnDestroy()
{
    if (playerInside)
        ShowGreenScreen(false);
}

void BossChargedProjectile::OnCollisionEnter(GameObjectInterface* other)
{
    const std::string& tag = other->GetTag();
    if (Contains(tag, "Player"))
    {
        if (auto* player = ScriptOf<PlayerController>(other))
            player->TakeDamage();
        else
            reportOnce("BossChargedProjectile: the player has no PlayerController");
        ShowGreenScreen(true);
    }
    else if (Contains(tag, "Switch"))
    {
        if (auto* bossSwitch = ScriptOf<BossSwitch>(other))
            bossSwitch->BreakShield();
        else
            reportOnce("BossChargedProjectile: a switch without a BossSwitch script");
    }
}

void BossChargedProjectile::OnTriggerEnter(GameObjectInterface* other)
{
    OnCollisionEnter(other);
}

void BossChargedProjectile::OnCollisionExit(GameObjectInterface* other)
{
    if (Contains(other->GetTag(), "Player"))
        ShowGreenScreen(false);
}

void BossChargedProjectile::OnTriggerExit(GameObjectInterface* other)
{
    OnCollisionExit(other);
}

void BossChargedProjectile::ShowGreenScreen(bool shown)
{
    playerInside = shown;
    if (CanvasInterface* canvas = greenScreen ? greenScreen->GetCanvas() : nullptr)
        canvas->SetEnabled(shown);
}
