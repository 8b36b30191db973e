#include "aicontroller.h"
#include "audiosystem.h"
#include "core.h"
#include "editor.h"
#include "graphics.h"
#include "inputsystem.h"
#include "logic.h"
#include "messagingsystem.h"
#include "physicssystem.h"
#include "platform/window.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

TEST(SystemNames, EveryIdHasItsDisplayNameAndUnknownIdsReadEmpty)
{
    const std::map<SystemId, std::string> expected = {
        {SystemId::None, "Not System"}, {SystemId::All, "ALL SYSTEMS"}, {SystemId::Graphics, "GRAPHICS"},
        {SystemId::Editor, "EDITOR"},   {SystemId::Input, "INPUT"},     {SystemId::Logic, "LOGIC"},
        {SystemId::Physics, "PHYSICS"}, {SystemId::Messaging, "MESSAGING"}, {SystemId::Audio, "AUDIO"},
        {SystemId::AI, "AI"}};
    EXPECT_EQ(SystemNameMap(), expected);
    EXPECT_EQ(SystemNameMap()[SystemId::ScriptCalls], "");
    SystemNameMap().erase(SystemId::ScriptCalls);
}

TEST(EngineSystems, CoreMakesEachWithItsIdAndNameAndDeliversToAllButTheEditor)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
    platform::Window window("Nektaru test", 1280, 800);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    Core core(window);
    MessagingSystem messaging(core.MessageReceivers());

    const System* systems[] = {core.GetInput(), core.GetLogic(),  core.GetGraphics(), core.GetPhysics(),
                               core.GetAudio(), core.GetEditor(), core.GetAI(),       &messaging};
    const std::pair<SystemId, std::string> expected[] = {
        {SystemId::Input, "Input"},  {SystemId::Logic, "Logic"},   {SystemId::Graphics, "Graphics"},
        {SystemId::Physics, "Physics"}, {SystemId::Audio, "Audio"}, {SystemId::Editor, "Editor"},
        {SystemId::AI, "AIController"}, {SystemId::Messaging, "Messaging"}};
    for (std::size_t i = 0; i < std::size(expected); ++i)
    {
        ASSERT_NE(systems[i], nullptr) << expected[i].second;
        EXPECT_EQ(systems[i]->GetId(), expected[i].first);
        EXPECT_EQ(systems[i]->GetName(), expected[i].second);
    }

    std::vector<std::string> receivers;
    for (const System* system : core.MessageReceivers())
        receivers.push_back(system->GetName());
    EXPECT_THAT(receivers, testing::ElementsAre("Input", "Logic", "Graphics", "Physics", "Audio", "AIController"));
}
