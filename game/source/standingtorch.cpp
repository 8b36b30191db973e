#include "standingtorch.h"

#include "aicharacter.h"
#include "animatorinterface.h"
#include "audiointerface.h"
#include "audiosourceinterface.h"
#include "bridgescript.h"
#include "camerascript.h"
#include "colliderinterface.h"
#include "gameservices.h"
#include "lightinterface.h"
#include "meshfilterinterface.h"
#include "meshrendererinterface.h"
#include "objectfactoryinterface.h"
#include "particlesysteminterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
constexpr float kBridgeBuildSeconds = 3.0f;
constexpr float kCrumbleVolume = 1.0f;
constexpr float kShakeStrength = 0.7f;
constexpr float kShakeSeconds = 0.5f;

// How bright a torch's light must be to break its wall.
float LightToBreak(const std::string& torchName)
{
    if (Contains(torchName, "Standing Torch 1"))
        return 1.0f;
    if (Contains(torchName, "Standing Torch 2"))
        return 2.0f;
    if (Contains(torchName, "Standing Torch 3"))
        return 1.0f;
    return 0.0f;
}
} // namespace

std::string StandingTorch::WallName() const
{
    return "BreakableWall " + number;
}

std::string StandingTorch::LevelTwoLightName() const
{
    return "Standing Torch light " + number + " Level 2";
}

void StandingTorch::Reload()
{
    const std::string name = owner->GetName();
    number = name.empty() ? std::string() : name.substr(name.size() - 1);
    wall = FindObjectNamed(WallName());
    temple = FindObjectNamed("Temple");
    bridgeOne = FindObjectNamed("Bridge 1");
    bridgeOneCollider = FindObjectNamed("Bridge col 1");
    torchLight = FindObjectNamed("Standing Torch light " + number);
    torchParticles = ParticlesOf(torchLight);
    levelTwoLight = FindObjectNamed(LevelTwoLightName());
    camera = ScriptOf<CameraScript>(FindObjectFor("StandingTorch", "Camera"));
    if (ParticleSystemInterface* particles = ParticlesOf(bridgeOne))
        particles->Stop();
    if (AudioSourceInterface* audio = AudioOf(bridgeOne))
        audio->SetClip("sfx_construction");
}

void StandingTorch::Start()
{
    Reload();
    wallOpening = false;
    spent = false;
    if (torchParticles)
        torchParticles->Stop();
}

void StandingTorch::OnCollisionEnter(GameObjectInterface* other)
{
    const std::string otherName = other->GetName();
    AICharacter* character = ElemOf(other);
    if (Contains(otherName, "FireElem"))
    {
        Burn();
        if (character)
            character->health = 0;
    }
    if (Contains(otherName, "WaterElem") || Contains(otherName, "IceProjectile"))
    {
        Freeze();
        if (character)
        {
            character->health = 0;
            character->active = false;
        }
    }
}

void StandingTorch::OnTriggerEnter(GameObjectInterface* other)
{
    if (!spent && Contains(other->GetName(), "IceProjectile"))
        spent = Freeze();
}

void StandingTorch::Burn()
{
    LightInterface* light = LightOf(torchLight);
    if (Check(torchLight, owner->GetName() + ": no object \"Standing Torch light " + number + "\""))
    {
        if (light)
        {
            light->SetEnabled(true);
            light->SetIntensity(light->GetIntensity() + 1.0f);
        }
        if (MeshFilterInterface* mesh = torchLight->GetMeshFilter())
            mesh->SetEnabled(true);
        if (AudioSourceInterface* audio = torchLight->GetAudioSource())
        {
            audio->SetClip("sfx_fire");
            audio->Play();
        }
        if (torchParticles)
            torchParticles->Play();
    }
    if (wall && light && light->GetIntensity() >= LightToBreak(owner->GetName()))
        BreakWall();
}

void StandingTorch::BreakWall()
{
    const std::string wallName = WallName();
    for (GameObjectInterface* part : gServices.factory->GetAllObjects())
    {
        if (part->GetName() != wallName)
            continue;
        if (AnimatorInterface* animator = part->GetAnimator())
            animator->Play("Break");
        gServices.audio->PlayOneShot("sfx_DoorCrumble", kCrumbleVolume, part->GetTransform()->GetPosition());
        if (camera)
            camera->Shake(kShakeSeconds, kShakeStrength);
        if (ColliderInterface* collider = part->GetCollider())
            collider->SetTrigger(true);
    }
    wallOpening = true;
}

bool StandingTorch::Freeze()
{
    if (Contains(owner->GetName(), "Standing Torch Level 2 2"))
        BuildBridgeOne();
    if (!temple)
        return false;
    levelTwoLight = FindObjectNamed(LevelTwoLightName());
    LightInterface* light = LightOf(levelTwoLight);
    if (!light || light->GetIntensity() == 0.0f)
        return false;
    light->SetIntensity(light->GetIntensity() - 1.0f);
    if (auto* bridge = FindScript<BridgeScript>("Bridge"))
        bridge->Advance();
    return true;
}

void StandingTorch::BuildBridgeOne()
{
    if (bridgeOne)
    {
        if (MeshFilterInterface* mesh = bridgeOne->GetMeshFilter())
            mesh->SetMeshName("bridge");
        if (ParticleSystemInterface* particles = bridgeOne->GetParticleSystem())
            particles->Play();
        if (AudioSourceInterface* audio = bridgeOne->GetAudioSource())
            audio->Play();
    }
    if (bridgeOneCollider)
        bridgeOneCollider->SetActive(false);
    levelTwoLight = FindObjectNamed(LevelTwoLightName());
    bridgeBuilding = true;
}

void StandingTorch::Update()
{
    if (wallOpening)
    {
        wallTimer -= gServices.dt;
        if (wallTimer <= 0.0f)
            FinishWall();
    }
    if (bridgeBuilding)
    {
        buildTimer += gServices.dt;
        if (buildTimer >= kBridgeBuildSeconds)
            FinishBridgeOne();
    }
}

void StandingTorch::FinishWall()
{
    const std::string wallName = WallName();
    for (GameObjectInterface* part : gServices.factory->GetAllObjects())
        if (part->GetName() == wallName)
            if (MeshRendererInterface* renderer = part->GetMeshRenderer())
                renderer->SetEnabled(false);
    wallOpening = false;
    if (ColliderInterface* collider = owner->GetCollider())
        collider->SetEnabled(false);
}

void StandingTorch::FinishBridgeOne()
{
    buildTimer = 0.0f;
    if (ParticleSystemInterface* particles = ParticlesOf(bridgeOne))
        particles->Stop();
    if (AudioSourceInterface* audio = AudioOf(bridgeOne))
        audio->Stop();
    bridgeBuilding = false;
}
