#include "cutscene_l2s3.h"

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "lightinterface.h"
#include "meshrendererinterface.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"
#include "transforminterface.h"

#define CUTSCENE_L2S3_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, setName, "setName", "Set") \
    PROPERTY(Class, flashName, "flashName", "Flash")

DEFINE_SCRIPT_PROPERTIES(Cutscene_L2S3, CUTSCENE_L2S3_PROPERTIES)

namespace
{
constexpr float kEntryStart = 1.0f;
constexpr float kFlashPeak = 2.2f;
constexpr float kHoverStart = 6.0f;
constexpr float kHoverSkip = 10.0f;
constexpr float kSummonStart = 11.0f;
constexpr float kExitStart = 16.0f;
constexpr float kExitDistance = 100.0f;
constexpr float kSkipDepth = 5.0f;
const Vector3 kUp{0.0f, 1.0f, 0.0f};
const Vector3 kExitDegrees{0.0f, 225.0f, 0.0f};
} // namespace

void Cutscene_L2S3::Reload()
{
    FindSet(setName, "Cutscene_L2S3");
    FindFlash(flashName, "Cutscene_L2S3");
    // Reloaded during the sequence, a skip puts the set-piece below where it is then.
    if (setTransform)
        startPosition = setTransform->GetPosition();
}

void Cutscene_L2S3::Start()
{
    Reload();
    if (MeshRendererInterface* renderer = set ? set->GetMeshRenderer() : nullptr)
        renderer->SetEnabled(false);
}

void Cutscene_L2S3::Update()
{
    if (!started)
        return;
    time += gServices.dt;
    if (time < kEntryStart)
        return;
    if (time < kHoverStart)
        Entry();
    else if (time < kSummonStart)
        Hover();
    else if (time < kExitStart)
        Summon();
    else
        Exit();
}

void Cutscene_L2S3::Entry()
{
    if (armed)
    {
        if (MeshRendererInterface* renderer = set ? set->GetMeshRenderer() : nullptr)
            renderer->SetEnabled(true);
        PlayOnSet("Entry");
        GreenBurstAt(set);
        armed = false;
    }
    if (time < kFlashPeak)
        GrowFlash(2.5f, 2.0f);
    else
        DimFlash(1.0f);
    if (IsConfirmPressed())
    {
        time = kHoverStart;
        if (setTransform)
            setTransform->SetPosition(startPosition - kUp * kSkipDepth);
    }
    KeepPlaying("Idle");
    MoveSet(-kUp * gServices.dt);
}

void Cutscene_L2S3::Hover()
{
    if (IsConfirmPressed())
        time = kHoverSkip;
    KeepPlaying("Idle");
    Bob();
    armed = true;
}

void Cutscene_L2S3::Summon()
{
    if (armed)
    {
        if (flashLight)
        {
            flashLight->SetIntensity(0.0f);
            flashLight->SetRange(0.0f);
        }
        armed = false;
    }
    KeepPlaying("Summon");
    Bob();
}

void Cutscene_L2S3::Exit()
{
    if (setTransform)
        setTransform->SetRotation(kExitDegrees);
    Travel(exitVelocity);
    KeepPlaying("Moving");
    if (distance <= kExitDistance)
        return;
    started = false;
    if (set)
        gServices.factory->Destroy(set);
    gServices.factory->Destroy(owner);
    EndInvulnerability();
}
