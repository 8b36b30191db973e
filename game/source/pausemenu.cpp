#include "pausemenu.h"

#include <algorithm>

#include "audiointerface.h"
#include "confirmpanel.h"
#include "coreinterface.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "inputinterface.h"
#include "playerstats.h"
#include "recttransforminterface.h"
#include "scenesteps.h"
#include "scripthelpers.h"
#include "scriptlookup.h"

namespace
{
constexpr std::uint16_t kEscapeKey = 27;
constexpr std::uint32_t kStartButton = 16;
constexpr float kMenuVolume = 0.4f;
constexpr float kSidePageAlpha = 0.5f;

enum Button : std::int32_t
{
    kResume,
    kHowToPlay,
    kQuitToMenu,
    kQuitGame,
};

ImageInterface* ImageOf(const std::string& name, const char* report)
{
    ImageInterface* image = FindImage(name);
    ASSERT(image, report);
    return image;
}

void Enable(ImageInterface* image, bool shown)
{
    if (image)
        image->SetEnabled(shown);
}

void ShowAt(ImageInterface* image, const std::string& material, float alpha)
{
    if (!image)
        return;
    // The material carries its own alpha: it goes first.
    image->SetMaterial(material);
    image->SetAlpha(alpha);
}

void Hide(ImageInterface* image)
{
    if (image)
        image->SetAlpha(0.0f);
}
} // namespace

void PauseMenu::Start()
{
    selected = 0;
    FindParts();
    page = 0;
    Close();
}

void PauseMenu::Reload()
{
    FindParts();
    open = !buttons.empty() && ImageShown(buttons.front());
    if (!open)
        return;
    if (const std::int32_t beside = IndexBeside(buttons, glow, -glowOffsetX); beside >= 0)
        selected = beside;
    page = 0;
    ShowSelection();
}

void PauseMenu::FindParts()
{
    const GameObjectInterface* glowObject = FindObjectNamed("Glow");
    glow = glowObject ? glowObject->GetRectTransform() : nullptr;
    ASSERT(glow, "PauseMenu. Glow cannot be found");
    background = ImageOf("Background", "PauseMenu. Background cannot be found");
    leftImage = ImageOf("TutorialImageLeft", "PauseMenu. TutorialImage cannot be found");
    centerImage = ImageOf("TutorialImage", "PauseMenu. TutorialImage cannot be found");
    rightImage = ImageOf("TutorialImageRight", "PauseMenu. TutorialImage cannot be found");
    if (const GameObjectInterface* panel = FindObjectNamed("ConfirmPanel"))
    {
        confirmPanel = ScriptOf<ConfirmPanel>(panel);
        ASSERT(confirmPanel, "PauseMenu. ConfirmPanel cannot be found");
    }
    buttons.clear();
    for (const std::string& name : buttonNames)
    {
        GameObjectInterface* button = FindObjectNamed(name);
        if (Check(button, "PauseMenu. Missing buttons"))
            buttons.push_back(button);
    }
    playerStats = FindScript<PlayerStats>("Player");
    ASSERT(playerStats, "PauseMenu. PlayerStats cannot be found");
}

void PauseMenu::Open()
{
    gServices.core->SetPaused(true);
    ShowButtons(true);
    open = true;
    selected = 0;
    Enable(background, true);
    ShowElement(glow, true);
    page = 0;
    PlaceGlow();
    if (glow)
        glow->SetScale(glowSize);
    frameCount = 0;
    confirmGuard.Block();
}

void PauseMenu::Close()
{
    gServices.core->SetPaused(false);
    ShowButtons(false);
    open = false;
    selected = 0;
    Enable(background, false);
    ShowElement(glow, false);
    ShowTutorialImages(false);
    frameCount = 0;
    // A quit question left open would stay drawn over the game and answer the next Enter.
    if (confirmPanel && confirmPanel->visible)
        confirmPanel->Withdraw();
}

std::int32_t PauseMenu::CountOneFrame()
{
    return CountFrame(frameCount, kToggleFrames + 1);
}

void PauseMenu::Update()
{
    const bool confirmCounts = confirmGuard.Pass();
    InputInterface& input = *gServices.input;
    if ((input.IsKeyTriggered(kEscapeKey) || input.IsButtonTriggered(kStartButton)) && frameCount > kToggleFrames)
        open ? Close() : Open();
    if (!open)
        return;
    CountOneFrame();
    if (confirmPanel && confirmPanel->visible)
        return;
    if (MenuPressed(MenuDirection::Down, true))
        Move(true);
    if (MenuPressed(MenuDirection::Up, false))
        Move(false);
    if (confirmCounts && IsConfirmPressed())
        Choose();
    if (selected != kHowToPlay)
        return;
    if (MenuPressed(MenuDirection::Left, false))
        TurnPage(false);
    if (MenuPressed(MenuDirection::Right, false))
        TurnPage(true);
}

void PauseMenu::Choose()
{
    PlayAtOrigin("sfx_MenuButtonRollOver", kMenuVolume);
    switch (selected)
    {
    case kResume: Close(); break;
    case kQuitToMenu:
    case kQuitGame:
        if (confirmPanel)
            confirmPanel->Show(selected == kQuitToMenu);
        break;
    default: break;
    }
}

void PauseMenu::TurnPage(bool next)
{
    // With no page unlocked there is nothing to turn to.
    const std::int32_t count = UnlockedPages();
    if (count < 1)
        return;
    page = Wrapped(page, next, count);
    ShowPage();
}

void PauseMenu::Move(bool next)
{
    // A menu without buttons has nothing to move through.
    if (buttons.empty())
        return;
    PlayAtOrigin("sfx_MenuButtonRollOver", kMenuVolume);
    selected = Wrapped(selected, next, static_cast<std::int32_t>(buttons.size()));
    ShowSelection();
}

void PauseMenu::ShowSelection()
{
    ShowTutorialImages(selected == kHowToPlay && UnlockedPages() > 0);
    ShowPage();
    PlaceGlow();
}

void PauseMenu::ShowPage()
{
    const std::int32_t count = UnlockedPages();
    if (count < 1)
        return;
    page = std::clamp(page, 0, count - 1);
    const auto& pages = gServices.input->IsGamepadConnected() ? controllerPages : keyboardPages;
    const auto at = [&](std::int32_t index) -> const std::string& { return pages[static_cast<std::size_t>(index)]; };
    if (centerImage)
        centerImage->SetMaterial(at(page));
    if (page > 0)
        ShowAt(leftImage, at(page - 1), kSidePageAlpha);
    else
        Hide(leftImage);
    if (page < count - 1)
        ShowAt(rightImage, at(page + 1), kSidePageAlpha);
    else
        Hide(rightImage);
}

void PauseMenu::TakeFocus()
{
    PlaceGlow();
    confirmGuard.Block();
}

void PauseMenu::ShowButtons(bool shown)
{
    for (const GameObjectInterface* button : buttons)
        ShowImage(button, shown);
}

void PauseMenu::ShowTutorialImages(bool shown)
{
    for (ImageInterface* image : {leftImage, centerImage, rightImage})
        Enable(image, shown);
}

void PauseMenu::PlaceGlow()
{
    if (!glow || selected < 0 || selected >= static_cast<std::int32_t>(buttons.size()))
        return;
    if (const Vector3* button = RectPosition(buttons[static_cast<std::size_t>(selected)]))
        glow->SetPosition(*button - Vector3(glowOffsetX, 0.0f, glowDepth));
}

std::int32_t PauseMenu::UnlockedPages() const
{
    if (!playerStats)
        return 0;
    return std::clamp(playerStats->GetUnlockedTutorialCount(), 0, static_cast<std::int32_t>(keyboardPages.size()));
}
