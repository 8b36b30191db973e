#include "playerstats.h"

#include "playerpref.h"

std::int32_t PlayerStats::GetUnlockedTutorialCount() const
{
    return PlayerPref::GetInt("unlockedTutorialCount");
}

void PlayerStats::SetUnlockedMelee(bool unlocked)
{
    PlayerPref::SetInt("unlockedMelee", unlocked ? 1 : 0);
}

void PlayerStats::SetUnlockedBlink(bool unlocked)
{
    PlayerPref::SetInt("unlockedBlink", unlocked ? 1 : 0);
}

void PlayerStats::SaveStats()
{
    PlayerPref::SetInt("maxHealth", defaultMaxHealth);
    PlayerPref::SetInt("currHealth", defaultCurrHealth);
    PlayerPref::SetInt("unlockedTutorialCount", 0);
}
