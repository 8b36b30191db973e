#include "bridgescript.h"

#include "audiosourceinterface.h"
#include "gameservices.h"
#include "meshfilterinterface.h"
#include "particlesysteminterface.h"
#include "scriptlookup.h"

#define BRIDGESCRIPT_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, switchCount_, "switchCount_", "SwitchCount")

DEFINE_SCRIPT_PROPERTIES(BridgeScript, BRIDGESCRIPT_PROPERTIES)

namespace
{
constexpr float kBuildSeconds = 3.0f;
// The bridge's mesh after each advance.
constexpr const char* kStageMeshes[] = {"bridge2", "bridge3", "bridge"};

void ShowMesh(const GameObjectInterface* object, const char* mesh)
{
    if (MeshFilterInterface* filter = object ? object->GetMeshFilter() : nullptr)
        filter->SetMeshName(mesh);
}
} // namespace

void BridgeScript::Reload()
{
    bridge = FindObjectFor("BridgeScript", "Bridge");
    bridgeAudio = AudioOf(bridge);
    if (ParticleSystemInterface* particles = ParticlesOf(bridge))
        particles->Stop();
    if (bridgeAudio)
        bridgeAudio->SetClip("sfx_construction");
}

void BridgeScript::Start()
{
    stage = 0;
    buildTimer = 0.0f;
    Reload();
    ShowMesh(owner, "bridge1");
}

void BridgeScript::Advance()
{
    ++stage;
    advanced = true;
}

void BridgeScript::Update()
{
    if (!advanced || stage < 1 || stage > std::ssize(kStageMeshes))
        return;
    Build(kStageMeshes[stage - 1]);
    if (buildTimer >= kBuildSeconds)
        Rest();
}

// Repeated every frame of the build: the mesh, the dust and the sound.
void BridgeScript::Build(const char* mesh)
{
    ShowMesh(bridge, mesh);
    if (stage == std::ssize(kStageMeshes))
        if (GameObjectInterface* wall = FindObjectNamed("Invis Wall"))
            wall->Destroy();
    if (ParticleSystemInterface* particles = ParticlesOf(bridge))
        particles->Play();
    if (bridgeAudio)
        bridgeAudio->Play();
    buildTimer += gServices.dt;
}

void BridgeScript::Rest()
{
    advanced = false;
    buildTimer = 0.0f;
    if (ParticleSystemInterface* particles = ParticlesOf(bridge))
        particles->Stop();
    if (bridgeAudio)
        bridgeAudio->Stop();
}
