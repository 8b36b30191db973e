#include "scriptedsequence.h"

#include <cmath>
#include <string>

#include "animatorinterface.h"
#include "destroyafterseconds.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "lightinterface.h"
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
    if (auto* stats = ScriptOf<PlayerStats>(other))
        stats->invulnerable = true;
}

void ScriptedSequenceFields::FindSet(const std::string& name, const char* script)
{
    set = FindObjectFor(script, name);
    setTransform = set ? set->GetTransform() : nullptr;
    setAnimator = set ? set->GetAnimator() : nullptr;
}

void ScriptedSequenceFields::FindFlash(const std::string& name, const char* script)
{
    flash = FindObjectFor(script, name);
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
    const ObjectId prefab = PrefabId("ScriptedSequence", "Green Burst");
    GameObjectInterface* burst = InstantiateAt(prefab, "Green Burst", object->GetTransform()->GetPosition());
    if (auto* removal = ScriptOf<DestroyAfterSeconds>(burst))
        removal->timer = kBurstLife;
}
