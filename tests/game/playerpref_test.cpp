#include "playerpref.h"
#include "playerprefprobe.h"

#include <gtest/gtest.h>

namespace
{
TEST(PlayerPref, AbsentKeysReadEmptyAndStayAbsent)
{
    EXPECT_EQ(PlayerPref::GetInt("neverSetInt"), 0);
    EXPECT_EQ(PlayerPref::GetFloat("neverSetFloat"), 0.0f);
    EXPECT_EQ(PlayerPref::GetString("neverSetString"), "");
    EXPECT_EQ(PlayerPrefProbe::Ints("neverSetInt"), 0u);
    EXPECT_EQ(PlayerPrefProbe::Floats("neverSetFloat"), 0u);
    EXPECT_EQ(PlayerPrefProbe::Strings("neverSetString"), 0u);
    // One shared empty string for every absent key.
    EXPECT_EQ(&PlayerPref::GetString("absentA"), &PlayerPref::GetString("absentB"));
}

TEST(PlayerPref, TheThreeMapsAreIndependent)
{
    PlayerPref::SetFloat("Test1", 123.0f);
    EXPECT_EQ(PlayerPrefProbe::Ints("Test1"), 0u);
    EXPECT_EQ(PlayerPref::GetInt("Test1"), 0);
    PlayerPref::SetInt("Test1", 456);
    PlayerPref::SetString("Test1", "789");
    EXPECT_EQ(PlayerPref::GetFloat("Test1"), 123.0f);
    EXPECT_EQ(PlayerPref::GetInt("Test1"), 456);
    EXPECT_EQ(PlayerPref::GetString("Test1"), "789");
    PlayerPref::SetInt("Test1", -3);
    EXPECT_EQ(PlayerPref::GetInt("Test1"), -3);
}
} // namespace
