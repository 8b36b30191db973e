#include "cutscene_l1s3.h"

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

#define CUTSCENE_L1S3_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, setName, "setName", "Set") \
    PROPERTY(Class, coffinName, "coffinName", "Coffin") \
    PROPERTY(Class, flashName, "flashName", "Flash")

DEFINE_SCRIPT_PROPERTIES(Cutscene_L1S3, CUTSCENE_L1S3_PROPERTIES)

namespace
{
constexpr float kFlashStart = 9.0f;
constexpr float kFlashEnd = 11.0f;
constexpr float kRetreatDistance = 50.0f;
} // namespace

void Cutscene_L1S3::Reload()
{
    FindSet(setName, "Cutscene_L1S3");
    coffin = FindObjectFor("Cutscene_L1S3", coffinName);
    FindFlash(flashName, "Cutscene_L1S3");
}

void Cutscene_L1S3::Start()
{
    Reload();
}

void Cutscene_L1S3::Update()
{
    if (!started)
        return;
    time += gServices.dt;
    if (time < kFlashStart)
    {
        Bob();
        if (IsConfirmPressed())
            time = kFlashStart;
    }
    else if (time < kFlashEnd)
    {
        if (IsConfirmPressed())
            time = kFlashEnd;
        GrowFlash(0.75f, 1.0f);
    }
    else
        Retreat();
}

void Cutscene_L1S3::Retreat()
{
    if (armed)
    {
        armed = false;
        if (coffin)
            coffin->SetActive(false);
        GreenBurstAt(coffin);
    }
    DimFlash(1.0f);
    if (FlashRange() > 0.0f)
        return;
    Travel(retreatVelocity);
    if (distance <= kRetreatDistance)
        return;
    EndInvulnerability();
    started = false;
    gServices.factory->Destroy(owner);
}
