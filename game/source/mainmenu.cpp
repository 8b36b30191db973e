#include "mainmenu.h"

#include "audiointerface.h"
#include "confirmpanel.h"
#include "credits.h"
#include "fadeinfadeout.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "recttransforminterface.h"
#include "scenesteps.h"
#include "scripthelpers.h"
#include "scriptlookup.h"
#include "settings.h"

namespace
{
constexpr float kMenuVolume = 0.2f;

RectTransformInterface* RectOf(const std::string& name)
{
    const GameObjectInterface* object = FindObjectNamed(name);
    return object ? object->GetRectTransform() : nullptr;
}
} // namespace

void MainMenu::Start()
{
    Reload();
    active = true;
    startChosen = false;
    selected = 0;
    MarkSelected(true);
    PlaceGlow();
}

void MainMenu::Reload()
{
    glow = RectOf("Glow");
    ASSERT(glow, "MainMenu. Glow cannot be found");
    fade = FindFade();
    if (const GameObjectInterface* panel = FindObjectNamed("ConfirmPanel"))
    {
        confirmPanel = ScriptOf<ConfirmPanel>(panel);
        ASSERT(confirmPanel, "MainMenu. ConfirmPanel cannot be found");
    }
    FindButtons();
    logo = RectOf("MainLogo");
    if (glow)
        glowScale = glow->GetScale();
    active = !startChosen && !buttons.empty() && ImageShown(buttons.front());
    if (const std::int32_t beside = IndexBeside(buttons, glow, glowOffsetX); beside >= 0)
        selected = beside;
    // The glow may stand beside a question that closed at the reload.
    if (active)
        PlaceGlow();
}

void MainMenu::FindButtons()
{
    buttons.clear();
    for (const std::string& name : buttonNames)
    {
        GameObjectInterface* button = FindObjectNamed(name);
        if (Check(button, "MainMenu. Missing buttons"))
            buttons.push_back(button);
    }
}

void MainMenu::Update()
{
    const bool confirmCounts = confirmGuard.Pass();
    if (fade && fade->IsRunning())
        return;
    if (startChosen)
        gServices.factory->LoadLevel("Cutscene0");
    if (!active || (confirmPanel && confirmPanel->visible))
        return;
    if (MenuPressed(MenuDirection::Down, true))
        Move(true);
    else if (MenuPressed(MenuDirection::Up, false))
        Move(false);
    if (confirmCounts && IsConfirmPressed())
        Select();
}

void MainMenu::Move(bool next)
{
    // A menu without buttons has nothing to move through.
    if (buttons.empty())
        return;
    PlayAtOrigin("sfx_MenuButtonRollOver", kMenuVolume);
    MarkSelected(false);
    selected = Wrapped(selected, next, static_cast<std::int32_t>(buttons.size()));
    MarkSelected(true);
    PlaceGlow();
}

void MainMenu::Select()
{
    PlayAtOrigin("sfx_MenuButtonClick", kMenuVolume);
    switch (selected)
    {
    case 0:
        active = false;
        startChosen = true;
        if (fade)
            fade->StartFadeOut();
        break;
    case 1:
        // The menu stays up when there is no screen to go to.
        if (auto* settings = FindScript<Settings>("SettingsCanvas"))
        {
            Hide();
            settings->Open();
        }
        break;
    case 2:
        if (auto* credits = FindScript<Credits>("CreditsCanvas"))
        {
            Hide();
            credits->Open();
        }
        break;
    case 3:
        if (confirmPanel)
            confirmPanel->Show(false);
        break;
    default: break;
    }
}

void MainMenu::Hide()
{
    MarkSelected(false);
    for (const GameObjectInterface* button : buttons)
        ShowImage(button, false);
    active = false;
    if (logo)
        logo->SetEnabled(false);
}

void MainMenu::Show()
{
    for (const GameObjectInterface* button : buttons)
        ShowImage(button, true);
    active = true;
    TakeFocus();
    if (glow)
        glow->SetScale(glowScale);
    if (logo)
        logo->SetEnabled(true);
}

void MainMenu::TakeFocus()
{
    MarkSelected(true);
    PlaceGlow();
    confirmGuard.Block();
}

void MainMenu::MarkSelected(bool marked)
{
    if (selected < 0 || selected >= static_cast<std::int32_t>(buttons.size()))
        return;
    const auto index = static_cast<std::size_t>(selected);
    SetImageMaterial(ImageOf(buttons[index]), marked ? selectedMaterials[index] : normalMaterials[index]);
}

void MainMenu::PlaceGlow()
{
    if (!glow || selected < 0 || selected >= static_cast<std::int32_t>(buttons.size()))
        return;
    if (const Vector3* button = RectPosition(buttons[static_cast<std::size_t>(selected)]))
        glow->SetPosition(Vector3(button->x + glowOffsetX, button->y, glowZ));
}
