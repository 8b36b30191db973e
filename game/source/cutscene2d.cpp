#include "cutscene2d.h"

#include <algorithm>
#include <cmath>

#include "audiointerface.h"
#include "audiosourceinterface.h"
#include "fadeinfadeout.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "objectfactoryinterface.h"
#include "recttransforminterface.h"
#include "scenesteps.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

#define CUTSCENE2D_PROPERTIES(PROPERTY, Class) \
    PROPERTY(Class, cutscene, "cutscene", "Cutscene") \
    PROPERTY(Class, nextLevel, "nextLevel", "NextLevel")

DEFINE_SCRIPT_PROPERTIES(Cutscene2D, CUTSCENE2D_PROPERTIES)

namespace
{
// The strip travels this far per frame, whatever the frame time.
constexpr float kStripStep = 30.0f;
// The strip lies at the far edge of the interface's depth range, behind the subtitle.
constexpr float kStripDepth = -1.0f;
} // namespace

void Cutscene2D::Reload()
{
    const GameObjectInterface* stripObject = FindObjectNamed("Cutscene");
    strip = stripObject ? stripObject->GetRectTransform() : nullptr;
    subtitleImage = FindImage("Subtitle");
    background = FindImage("Background");
    voice = owner->GetAudioSource();
    fade = FindFade();
    if (fade)
        endTimer = fade->duration;
    ASSERT(strip, "Cutscene2D. Missing Cutscene strip");
    const bool known = cutscene >= 0 && cutscene < static_cast<int>(positions.size());
    panelCount = known ? static_cast<std::int32_t>(positions[cutscene].size()) : 0;
    if (strip && known)
        panel = PanelNearest(strip->GetPosition().x);
}

std::int32_t Cutscene2D::PanelNearest(float x) const
{
    const std::vector<float>& stops = positions[cutscene];
    const auto distance = [x](float stop) { return std::fabs(stop - x); };
    return static_cast<std::int32_t>(std::ranges::min_element(stops, {}, distance) - stops.begin());
}

void Cutscene2D::Start()
{
    Reload();
    ASSERT(cutscene >= 0 && cutscene < static_cast<int>(positions.size()), "Cutscene2D. Cutscene must be 0 to 3");
    panel = 0;
    if (nextLevel.empty())
        nextLevel = "MainMenuLevel";
    if (fade)
        fade->StartFadeIn();
    if (panel < panelCount)
        ShowPanel(panel, false);
}

void Cutscene2D::Update()
{
    if (!finished && IsConfirmPressed())
        Confirm();
    if (panel < panelCount)
        Slide();
    if (!finished)
        return;
    endTimer -= gServices.dt;
    if (endTimer > 0.0f)
        return;
    gServices.audio->StopAll();
    gServices.factory->LoadLevel(nextLevel);
}

void Cutscene2D::ShowPanel(std::int32_t index, bool advancing)
{
    const std::string& clip = voiceClips[cutscene][index];
    if (!clip.empty() && voice)
    {
        if (advancing)
            voice->Stop();
        voice->SetClip(clip);
        voice->Play();
    }
    const std::string& material = subtitles[cutscene][index];
    if (!material.empty())
    {
        ShowImage(subtitleImage, material);
        SetImageAlpha(background, 1.0f);
    }
    else if (advancing)
    {
        SetImageAlpha(subtitleImage, 0.0f);
        SetImageAlpha(background, 0.0f);
    }
}

void Cutscene2D::Confirm()
{
    if (moving)
    {
        if (strip)
            strip->SetPosition({positions[cutscene][panel], 0.0f, kStripDepth});
        moving = false;
    }
    else
    {
        panel = std::clamp(panel + 1, 0, panelCount);
        moving = true;
        if (panel < panelCount)
            ShowPanel(panel, true);
    }
    if (panel != panelCount)
        return;
    finished = true;
    if (fade)
        fade->StartFadeOut();
    if (voice)
        voice->Fade(false);
}

void Cutscene2D::Slide()
{
    if (!strip)
        return;
    const float target = positions[cutscene][panel];
    const float x = MoveTowards(strip->GetPosition().x, target, kStripStep);
    strip->SetPosition({x, 0.0f, kStripDepth});
    moving = std::fabs(x - target) > 0.0f;
}
