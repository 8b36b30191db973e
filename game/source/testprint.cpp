#include "testprint.h"

#include <array>
#include <cstdint>
#include <iostream>
#include <string>

#include "gameservices.h"
#include "inputinterface.h"

namespace
{
void Say(const std::string& what)
{
    std::cout << "TestPrint " << what << "!" << std::endl;
}

// Names the letters of the four keys released this frame, in the order given, after the prefix.
void SayReleased(const std::string& prefix, const std::array<char, 4>& letters)
{
    for (const char letter : letters)
        if (gServices.input->IsKeyReleased(static_cast<std::uint16_t>(letter)))
            Say(prefix + letter);
}
} // namespace

void TestPrint::Awake() { Say("Awake"); }
void TestPrint::Start() { Say("Start"); }
void TestPrint::Reload() { Say("Reloading"); }
void TestPrint::OnDestroy() { Say("OnDestroy"); }
void TestPrint::OnEnable() { Say("OnEnable"); }
void TestPrint::OnDisable() { Say("OnDisable"); }
void TestPrint::OnCollisionEnter(GameObjectInterface* /*other*/) { Say("OnCollisionEnter"); }
void TestPrint::OnCollisionExit(GameObjectInterface* /*other*/) { Say("OnCollisionExit"); }
void TestPrint::OnTriggerEnter(GameObjectInterface* /*other*/) { Say("OnTriggerEnter"); }
void TestPrint::OnTriggerExit(GameObjectInterface* /*other*/) { Say("OnTriggerExit"); }

void TestPrint::Update()
{
    SayReleased("", {'F', 'D', 'S', 'A'});
}

void TestPrint::OnCollisionStay(GameObjectInterface* /*other*/)
{
    SayReleased("OnCollisionStay ", {'R', 'E', 'W', 'Q'});
}

void TestPrint::OnTriggerStay(GameObjectInterface* /*other*/)
{
    SayReleased("OnTriggerStay ", {'V', 'C', 'X', 'Z'});
}
