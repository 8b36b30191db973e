// The game's own scripts in the engine: bound at start-up, and their saved values kept through saving,
// loading and a hot reload of the built library.
#include <gtest/gtest.h>

#include <string>

#include "scriptworld.h"

namespace
{
// Scripts in name order, as the holder saves them; the class elements hold every saved key.
const std::string kSaved = "<MonoBehavior>\n"
                           "\t<Enabled>true</Enabled>\n"
                           "\t<Monos>\n"
                           "\t\t<CutsceneCamera>\n"
                           "\t\t\t<TransitionIn>false</TransitionIn>\n"
                           "\t\t\t<TransitionOut>true</TransitionOut>\n"
                           "\t\t\t<CutsceneTime>4.5</CutsceneTime>\n"
                           "\t\t\t<NextCamera>Cam2</NextCamera>\n"
                           "\t\t\t<SubtitleName>Sub 1</SubtitleName>\n"
                           "\t\t\t<AudioName>vo_intro</AudioName>\n"
                           "\t\t\t<Panning>true</Panning>\n"
                           "\t\t\t<PanSpeed>0.25</PanSpeed>\n"
                           "\t\t\t<PanDirection>1, 0, -0.5</PanDirection>\n"
                           "\t\t\t<Shake>false</Shake>\n"
                           "\t\t\t<ShakeAmount>1e-05</ShakeAmount>\n"
                           "\t\t</CutsceneCamera>\n"
                           "\t\t<Monos0>Heart</Monos0>\n"
                           "\t\t<Monos1>Keys</Monos1>\n"
                           "\t\t<Turret>\n"
                           "\t\t\t<Range>12.5</Range>\n"
                           "\t\t\t<TimeBetweenShots>2</TimeBetweenShots>\n"
                           "\t\t</Turret>\n"
                           "\t</Monos>\n"
                           "</MonoBehavior>\n";

TEST(GameLevel, TheGameLibraryBindsAndKeepsSavedValuesAcrossAHotReload)
{
    ScriptWorld world(GAME_LIBRARY_PATH);
    EXPECT_NE(world.initOutput.find("\tLogic: Loading Scripts ... done\n"), std::string::npos)
        << world.initOutput;
    EXPECT_EQ(world.logic->GetScriptNames().size(), 73u);

    GameObject& object = world.objects->Live("Guard", ++world.lastId);
    auto& holder = dynamic_cast<MonoBehaviorDLL&>(*object.AddComponent("MonoBehavior"));
    holder.Deserialize(*world.xml.Parsed(kSaved)->GetRoot());
    EXPECT_EQ(world.Written(holder), kSaved);

    world.folders.Install(GAME_LIBRARY_PATH);
    testing::internal::CaptureStdout();
    world.Frame();
    world.Frame();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(world.Written(holder), kSaved);
    EXPECT_EQ(holder.FindExact("Turret")->owner, &object);
}
} // namespace
