#include "testplayerpref.h"

#include <iostream>

#include "gameservices.h"
#include "inputinterface.h"
#include "playerpref.h"

namespace
{
constexpr std::uint16_t kShowTest1Key = 97;
constexpr std::uint16_t kShowTest2Key = 98;

void Print(const std::string& key)
{
    std::cout << "TestPlayerPref " << key << " : " << PlayerPref::GetInt(key) << ", " << PlayerPref::GetFloat(key)
              << ", " << PlayerPref::GetString(key) << std::endl;
}
} // namespace

void TestPlayerPref::Awake()
{
    PlayerPref::SetFloat("Test1", 123.0f);
    PlayerPref::SetInt("Test1", 456);
    PlayerPref::SetString("Test1", "789");
}

void TestPlayerPref::Update()
{
    if (gServices.input->IsKeyReleased(kShowTest1Key))
        Print("Test1");
    if (gServices.input->IsKeyReleased(kShowTest2Key))
        Print("Test2");
}
