#include "testfastmono.h"

#include <cstdint>
#include <iostream>

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "inputinterface.h"
#include "objectfactoryinterface.h"
#include "scriptlookup.h"

namespace
{
// Keypad 1.
constexpr std::uint16_t kSpawnKey = 97;
} // namespace

void TestFastMono::Awake()
{
    std::cout << "TestFastMono is Awake!" << std::endl;
}

void TestFastMono::Start()
{
    std::cout << "TestFastMono is Started!" << std::endl;
}

void TestFastMono::OnDestroy()
{
    std::cout << "TestFastMono is Destroyed!" << std::endl;
}

void TestFastMono::Update()
{
    if (!gServices.input->IsKeyReleased(kSpawnKey) || owner->GetName() != "fdsa")
        return;
    const ObjectId prefab = PrefabId("TestFastMono", "TestDummy");
    if (prefab == 0)
        return;
    auto* spawned = RequiredScript<TestFastMono>(gServices.factory->Instantiate("fdsa2", prefab));
    if (!spawned)
        return;
    spawned->first = 123;
    std::cout << "fdsa2 : " << (spawned->first == 100) << 1 << std::endl;
}
