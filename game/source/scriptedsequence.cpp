#include "scriptedsequence.h"

#include <cmath>
#include <string>

#include "animatorinterface.h"
#include "assertion.h"
#include "destroyafterseconds.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "lightinterface.h"
#include "objectfactoryinterface.h"
#include "playerstats.h"
#include "scenesteps.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kBurstLife = 3.0f;
} // namespace

void ScriptedSequenceFields::BeginOnPlayer(GameObjectInterface* other)
{
    if (other->GetName() != "Player")
        return;
    started = true;
    if (auto* stats = ScriptOf<PlayerStats>(other, "PlayerStats"))
        stats->invulnerable = true;
}

void ScriptedSequenceFields::FindSet(const std::string& name, const char* script)
{
    set = FindSequenceObject(name, script);
    setTransform = set ? set->GetTransform() : nullptr;
    setAnimator = set ? set->GetAnimator() : nullptr;
}

void ScriptedSequenceFields::FindFlash(const std::string& name, const char* script)
{
    flash = FindSequenceObject(name, script);
    flashLight = flash ? flash->GetLight() : nullptr;
}

void ScriptedSequenceFields::Bob() const
{
    MoveSet(Vector3(0.0f, 1.0f, 0.0f) * (std::cos(time) * gServices.dt));
}

void ScriptedSequenceFields::Travel(const Vector3& velocity)
{
    MoveSet(velocity * gServices.dt);
    distance += speed * gServices.dt;
}

void ScriptedSequenceFields::GrowFlash(float intensityStep, float rangeStep) const
{
    if (!flashLight)
        return;
    flashLight->SetIntensity(flashLight->GetIntensity() + intensityStep);
    flashLight->SetRange(flashLight->GetRange() + rangeStep);
}

void ScriptedSequenceFields::DimFlash(float step) const
{
    if (!flashLight)
        return;
    flashLight->SetIntensity(MoveTowards(flashLight->GetIntensity(), 0.0f, step));
    flashLight->SetRange(MoveTowards(flashLight->GetRange(), 0.0f, step));
}

float ScriptedSequenceFields::FlashRange() const
{
    return flashLight ? flashLight->GetRange() : 0.0f;
}

void ScriptedSequenceFields::PlayOnSet(const std::string& state) const
{
    if (setAnimator)
        setAnimator->Play(state);
}

void ScriptedSequenceFields::KeepPlaying(const std::string& state) const
{
    if (setAnimator && setAnimator->GetCurrentState() != state)
        setAnimator->Play(state);
}

void ScriptedSequenceFields::MoveSet(const Vector3& offset) const
{
    if (setTransform)
        setTransform->SetPosition(setTransform->GetPosition() + offset);
}

void ScriptedSequenceFields::EndInvulnerability() const
{
    if (PlayerStats* stats = FindPlayerStats())
        stats->invulnerable = false;
}

void GreenBurstAt(const GameObjectInterface* object)
{
    if (!object)
        return;
    ObjectFactoryInterface& factory = *gServices.factory;
    const GameObjectInterface* prefab = factory.FindPrefab("Green Burst");
    ASSERT(prefab, "ScriptedSequence. Missing prefab Green Burst");
    if (!prefab)
        return;
    GameObjectInterface* burst = InstantiateAt(prefab->GetID(), "Green Burst", object->GetTransform()->GetPosition());
    if (auto* removal = ScriptOf<DestroyAfterSeconds>(burst, "DestroyAfterSeconds"))
        removal->timer = kBurstLife;
}

GameObjectInterface* FindSequenceObject(const std::string& name, const char* script)
{
    GameObjectInterface* object = FindObjectNamed(name);
    ASSERT(object, std::string(script) + ". Missing object " + name);
    return object;
}
