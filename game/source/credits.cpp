#include "credits.h"

#include "audiointerface.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "mainmenu.h"
#include "menuinput.h"
#include "recttransforminterface.h"
#include "scenesteps.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

namespace
{
constexpr std::int32_t kIgnoredFrames = 5;
constexpr float kPageVolume = 0.4f;

ImageInterface* ImageOf(const std::string& name)
{
    ImageInterface* image = FindImage(name);
    ASSERT(image, "Credits. " + name + " cannot be found");
    return image;
}
} // namespace

void Credits::Start()
{
    FindParts();
    ShowImages(false);
    active = false;
    frameCount = 0;
    page = 0;
}

void Credits::Reload()
{
    FindParts();
    // Which page was up cannot be read back from the image.
    if (creditsImage && creditsImage->IsEnabled())
        Open();
}

void Credits::FindParts()
{
    const GameObjectInterface* glowObject = FindObjectNamed("Glow");
    glow = glowObject ? glowObject->GetRectTransform() : nullptr;
    ASSERT(glow, "Credits. Glow cannot be found");
    fade = FindFade();
    creditsImage = ImageOf("CreditsImage");
    creditsBackground = ImageOf("CreditsBackground");
}

void Credits::Open()
{
    ShowImages(true);
    active = true;
    frameCount = 0;
    page = 0;
    if (creditsImage)
        creditsImage->SetMaterial(pageNames[0]);
    if (glow)
        glow->SetEnabled(false);
}

void Credits::Update()
{
    if (CountFrame(frameCount, kIgnoredFrames) < kIgnoredFrames || !active || !IsConfirmPressed())
        return;
    PlayAtOrigin("sfx_MenuButtonRollOver", kPageVolume);
    ++page;
    if (page >= static_cast<std::int32_t>(pageNames.size()))
        Close();
    else if (creditsImage)
        creditsImage->SetMaterial(pageNames[static_cast<std::size_t>(page)]);
}

void Credits::Close()
{
    ShowImages(false);
    active = false;
    frameCount = 0;
    page = 0;
    if (auto* menu = FindScript<MainMenu>("MainMenuCanvas"))
        menu->Show();
    ShowElement(glow, true);
}

void Credits::ShowImages(bool shown)
{
    for (ImageInterface* image : {creditsImage, creditsBackground})
        if (image)
            image->SetEnabled(shown);
}
