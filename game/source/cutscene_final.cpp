#include "cutscene_final.h"

#include "audiointerface.h"
#include "fadeinfadeout.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "particlesysteminterface.h"
#include "rigidbodyinterface.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "transforminterface.h"

#define CUTSCENE_FINAL_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, setName, "setName", "Set") \
    PROPERTY(Class, coffinName, "coffinName", "Coffin") \
    PROPERTY(Class, sourceName, "sourceName", "Source")

DEFINE_SCRIPT_PROPERTIES(Cutscene_Final, CUTSCENE_FINAL_PROPERTIES)

namespace
{
const Vector3 kFlattenedDegrees{90.0f, 90.0f, 0.0f};
constexpr float kDropGravity = 2.0f;
} // namespace

void Cutscene_Final::Reload()
{
    FindSet(setName, "Cutscene_Final");
    coffin = FindObjectFor("Cutscene_Final", coffinName);
    source = FindObjectFor("Cutscene_Final", sourceName);
}

void Cutscene_Final::Start()
{
    Reload();
    RigidBodyInterface* body = BodyOf(coffin);
    ASSERT(!coffin || body, "Cutscene_Final. Coffin has no RigidBody");
    if (!body)
        return;
    body->SetStatic(true);
    body->SetGravityScale(0.0f);
}

void Cutscene_Final::Update()
{
    if (!started)
        return;
    time += gServices.dt;
    const float t = time;
    if (t < 3.8f)
        SkipTo(3.8f);
    else if (t < 3.9f)
        Once([this] { RemoveSource(); });
    else if (t < 4.0f)
        armed = true;
    else if (t < 5.0f)
        SkipTo(5.0f);
    else if (t <= 5.1f)
        Once([this] { StopCoffinParticles(); });
    else if (t > 5.2f && t <= 5.3f)
        armed = true;
    else if (t > 5.4f && t < 5.5f)
        Once([this] { DropCoffin(); });
    else if (t > 5.6f && t < 5.7f)
        armed = true;
    else if (t >= 5.7f && t < 6.5f)
        SkipTo(6.5f);
    else if (t >= 6.5f && t < 6.6f)
        Once([this] { Flatten(); });
    else if (t >= 6.6f && t <= 20.0f)
    {
        armed = true;
        SkipTo(20.0f);
    }
    else if (t > 20.0f && t < 20.1f)
        Once([] {
            if (FadeInFadeOut* fade = FindFade())
                fade->StartFadeOut();
        });
    else if (t >= 21.0f)
        gServices.factory->LoadLevel("Cutscene3");
}

void Cutscene_Final::SkipTo(float target)
{
    if (!IsConfirmPressed())
        return;
    armed = true;
    time = target;
}

template <class Step>
void Cutscene_Final::Once(Step step)
{
    if (!armed)
        return;
    armed = false;
    step();
}

void Cutscene_Final::RemoveSource()
{
    GameObjectInterface* gone = source.Get();
    if (!gone)
        return;
    GreenBurstAt(gone);
    DestroyAndClear(source);
}

void Cutscene_Final::StopCoffinParticles() const
{
    if (ParticleSystemInterface* particles = ParticlesOf(coffin))
        particles->SetEmissionRate(0);
    PlayAtOrigin("sfx_ThrowEnemy", 0.2f);
}

void Cutscene_Final::DropCoffin() const
{
    if (RigidBodyInterface* body = BodyOf(coffin))
    {
        body->SetGravityScale(kDropGravity);
        body->SetStatic(false);
    }
    PlayAtOrigin("sfx_drop", 0.2f);
}

void Cutscene_Final::Flatten() const
{
    PlayAtOrigin("sfx_CoffinDrop", 0.3f);
    PlayAtOrigin("sfx_GroundShake", 0.2f);
    PlayAtOrigin("sfx_PlayerHurt", 1.0f);
    MoveSet(Vector3(0.0f, -2.0f, 0.0f));
    if (setTransform)
        setTransform->SetRotation(kFlattenedDegrees);
    PlayOnSet("Flattened");
}
