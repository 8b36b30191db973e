#include "playerstats.h"

#include "audiointerface.h"
#include "gameobjectinterface.h"
#include "gameservices.h"
#include "imageinterface.h"
#include "playerpref.h"
#include "recttransforminterface.h"
#include "scriptlookup.h"
#include "transforminterface.h"

namespace
{
const std::string kMaxHealth = "maxHealth";
const std::string kCurrHealth = "currHealth";
const std::string kMaxBlinkCharges = "maxBlinkCharges";
const std::string kCurrBlinkCharges = "currBlinkCharges";
const std::string kUnlockedMelee = "unlockedMelee";
const std::string kUnlockedBlink = "unlockedBlink";
const std::string kUnlockedTutorialCount = "unlockedTutorialCount";
constexpr float kChargeVolume = 0.05f;

void StoreWhenMissing(const std::string& key, int value)
{
    if (!PlayerPref::HasInt(key))
        PlayerPref::SetInt(key, value);
}

// A fresh level starts full: the current value is the maximum once one is stored.
void StoreFull(const std::string& current, const std::string& maximum, int missing)
{
    PlayerPref::SetInt(current, PlayerPref::HasInt(current) ? PlayerPref::GetInt(maximum) : missing);
}

// The icon object of that name, reported when the level lacks it.
GameObjectInterface* FindIcon(const std::string& name)
{
    GameObjectInterface* icon = FindObjectNamed(name);
    ASSERT(icon, "PlayerStats: no icon object \"" + name + "\"");
    return icon;
}

template <class T>
T At(const std::vector<T>& list, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)] : T{};
}

void SetAlpha(ImageInterface* image, float alpha)
{
    if (image)
        image->SetAlpha(alpha);
}

void SetMaterial(const GameObjectInterface* icon, const std::string& material)
{
    if (ImageInterface* image = ImageOf(icon))
        image->SetMaterial(material);
}
} // namespace

void PlayerStats::Start()
{
    StoreWhenMissing(kMaxHealth, defaultMaxHealth);
    StoreWhenMissing(kMaxBlinkCharges, defaultMaxBlinkCharges);
    StoreWhenMissing(kUnlockedMelee, defaultUnlockedMelee);
    StoreWhenMissing(kUnlockedBlink, defaultUnlockedBlink);
    StoreFull(kCurrHealth, kMaxHealth, defaultCurrHealth);
    StoreFull(kCurrBlinkCharges, kMaxBlinkCharges, defaultCurrBlinkCharges);
    StoreWhenMissing(kUnlockedTutorialCount, 0);

    Reload();
    for (const GameObjectInterface* heart : hearts)
        SetAlpha(ImageOf(heart), 1.0f);
    invulnerable = false;
    heartsGained = 0;
}

void PlayerStats::Reload()
{
    hearts.clear();
    for (int i = 0; i < GetMaxHealth(); ++i)
        hearts.push_back(FindIcon("Heart" + std::to_string(i)));
    scarabs.clear();
    rechargeFlashes.clear();
    for (int i = 0; i < GetMaxBlinkCharges(); ++i)
    {
        scarabs.push_back(FindIcon("Scarab" + std::to_string(i)));
        rechargeFlashes.emplace_back(ImageOf(FindIcon("ScarabRecharge" + std::to_string(i))), 0.0f);
    }
    player = FindObjectFor("PlayerStats", "Player");
}

void PlayerStats::Update()
{
    for (auto& [image, shown] : rechargeFlashes)
    {
        if (!image || image->GetAlpha() != 1.0f)
            continue;
        shown += gServices.dt;
        if (shown >= rechargeFlashTime)
        {
            shown = 0.0f;
            image->SetAlpha(0.0f);
        }
    }
}

int PlayerStats::GetMaxHealth()
{
    return PlayerPref::GetInt(kMaxHealth);
}

int PlayerStats::GetCurrHealth()
{
    return PlayerPref::GetInt(kCurrHealth);
}

int PlayerStats::GetMaxBlinkCharges()
{
    return PlayerPref::GetInt(kMaxBlinkCharges);
}

int PlayerStats::GetCurrBlinkCharges()
{
    return PlayerPref::GetInt(kCurrBlinkCharges);
}

int PlayerStats::GetUnlockedTutorialCount()
{
    return PlayerPref::GetInt(kUnlockedTutorialCount);
}

void PlayerStats::SetCurrHealth(int health)
{
    PlayerPref::SetInt(kCurrHealth, health);
}

void PlayerStats::SetUnlockedMelee(bool unlocked)
{
    PlayerPref::SetInt(kUnlockedMelee, unlocked ? 1 : 0);
}

void PlayerStats::SetUnlockedBlink(bool unlocked)
{
    PlayerPref::SetInt(kUnlockedBlink, unlocked ? 1 : 0);
}

void PlayerStats::SaveStats() const
{
    PlayerPref::SetInt(kMaxHealth, defaultMaxHealth);
    PlayerPref::SetInt(kCurrHealth, defaultCurrHealth);
    PlayerPref::SetInt(kUnlockedTutorialCount, 0);
}

void PlayerStats::AddHeartContainer()
{
    const int most = GetMaxHealth() + 1;
    if (most > kMostHearts)
        return;
    PlayerPref::SetInt(kMaxHealth, most);
    ++heartsGained;
    // In the container's own place, so the list stays indexed by heart.
    if (hearts.size() < static_cast<std::size_t>(most))
        hearts.resize(static_cast<std::size_t>(most), nullptr);
    hearts[static_cast<std::size_t>(most - 1)] = FindIcon("Heart" + std::to_string(most - 1));
    SetAlpha(ImageOf(hearts[static_cast<std::size_t>(most - 1)]), 1.0f);
    for (int health = GetCurrHealth(); health < most; ++health)
    {
        SetCurrHealth(health + 1);
        ShowHeart(health, true);
    }
}

void PlayerStats::AddBlinkCharge()
{
    const int charges = GetCurrBlinkCharges();
    if (charges >= GetMaxBlinkCharges())
        return;
    ShowScarab(charges, true);
    SetAlpha(At(rechargeFlashes, charges).first, 1.0f);
    PlayerPref::SetInt(kCurrBlinkCharges, charges + 1);
    if (player)
        gServices.audio->PlayOneShot("sfx_dash", kChargeVolume, player->GetTransform()->GetPosition());
}

void PlayerStats::RemoveGainedHearts()
{
    ASSERT(GetMaxHealth() >= kFewestHearts, "PlayerStats: fewer heart containers than the start");
    for (int i = 0; i < heartsGained; ++i)
    {
        const int most = GetMaxHealth() - 1;
        if (most < kFewestHearts)
        {
            ASSERT(false, "PlayerStats: more hearts to take back than were gained");
            return;
        }
        PlayerPref::SetInt(kMaxHealth, most);
        SetAlpha(ImageOf(At(hearts, most)), 0.0f);
        SetCurrHealth(most);
    }
}

void PlayerStats::ShowHeart(int index, bool filled) const
{
    SetMaterial(At(hearts, index), filled ? heartFilledMaterial : heartEmptyMaterial);
}

void PlayerStats::ShowScarab(int index, bool filled) const
{
    GameObjectInterface* scarab = At(scarabs, index);
    SetMaterial(scarab, filled ? scarabFilledMaterial : scarabEmptyMaterial);
    if (RectTransformInterface* place = scarab ? scarab->GetRectTransform() : nullptr)
        place->SetScale(filled ? filledScarabScale : emptyScarabScale);
}
