#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "levelrunner.h"
#include "scriptworld.h"

using testing::Contains;
using testing::ElementsAre;
using testing::Not;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace
{
class HotReloadTest : public testing::Test
{
protected:
    // A running object (made from a prefab that holds the same scripts).
    GameObject& Running(const std::string& name, std::initializer_list<const char*> scripts)
    {
        GameObject& prefab = world.Object(name + "Prefab", scripts);
        GameObject& object = world.objects->Live(std::make_unique<GameObject>(prefab, name, ++world.lastId));
        DispatchMessage(SystemId::ScriptCalls, SystemId::All, MessageNames::Cloned, &object);
        world.Frame();
        world.TakeLog();
        return object;
    }
    // A new build appears; the watch acts on it once it has stayed the same for two polls.
    void Rebuild(const std::string& library)
    {
        world.folders.Install(library);
        CaptureStdout();
        world.Frame();
        firstFrameLog = world.TakeLog();
        world.Frame();
        reloadOutput = GetCapturedStdout();
    }

    ScriptWorld world;
    std::vector<std::string> firstFrameLog;
    std::string reloadOutput;
};

TEST_F(HotReloadTest, ANewBuildRunsNewCodeWithFreshStaticStateAndEveryPropertyKept)
{
    GameObject& keeper = Running("Keeper", {"Alpha", "Counter", "Props"});
    MonoBehaviorDLL& holder = ScriptWorld::Holder(keeper);
    world.SetProps(*holder.FindExact("Props"), "7", "kept");
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Keeper Alpha Update", "Counter v1 2", "Props v1 7 kept"));

    Rebuild(FIXTURE_SCRIPTS_V2);
    EXPECT_THAT(firstFrameLog, ElementsAre("Keeper Alpha Update", "Counter v1 3", "Props v1 7 kept"))
        << "the first frame that sees the new build still runs the old one";
    // Alpha is told to take its references again once, when every script of the object is back.
    EXPECT_THAT(world.TakeLog(),
                ElementsAre("Keeper Alpha Reload", "Keeper Alpha Update", "Counter v2 1", "Props v2 7 kept"));
    for (const char* name : {"Alpha", "Counter", "Props"})
    {
        EXPECT_EQ(holder.FindExact(name)->state, ScriptState::Running) << name;
        EXPECT_EQ(holder.FindExact(name)->owner, &keeper) << name;
    }
    EXPECT_NE(reloadOutput.find("\tLogic: Loading Scripts ... done (1 failed)\n"), std::string::npos);

    // The prefab's script kept the first version's values rather than taking the new defaults.
    const std::string prefab = world.Written(ScriptWorld::Holder(*world.objects->live.front()));
    EXPECT_NE(prefab.find("<Hits>1</Hits>"), std::string::npos) << prefab;
    EXPECT_NE(prefab.find("<Label>first</Label>"), std::string::npos) << prefab;
}

TEST_F(HotReloadTest, ScriptsThatHaveNotStartedKeepTheirPlaceInTheLifeCycle)
{
    GameObject& loaded = world.Object("Loaded", {"Alpha"});
    GameObject& disabled = Running("Disabled", {"Beta"});
    disabled.SetActive(false);
    world.Frame();
    world.TakeLog();

    Rebuild(FIXTURE_SCRIPTS_V2);
    EXPECT_THAT(world.TakeLog(), ElementsAre("Disabled Beta Reload"));
    EXPECT_EQ(ScriptWorld::Holder(loaded).FindExact("Alpha")->state, ScriptState::Created);
    EXPECT_EQ(ScriptWorld::Holder(disabled).FindExact("Beta")->state, ScriptState::Disabled);

    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, &loaded);
    ScriptWorld::Register(loaded);
    disabled.SetActive(true);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Loaded Alpha Awake", "Disabled Beta OnEnable", "Loaded Alpha Start",
                                             "Loaded Alpha Update", "Disabled Beta Update"));
}

TEST_F(HotReloadTest, ABrokenBuildLeavesNoScriptsRunningAndTheNextBuildBringsThemBack)
{
    GameObject& keeper = Running("Keeper", {"Alpha", "Props"});
    MonoBehaviorDLL& holder = ScriptWorld::Holder(keeper);
    world.SetProps(*holder.FindExact("Props"), "7", "kept");

    const std::string broken = world.folders.LibraryFolder() + "broken";
    std::ofstream(broken) << "half a library";
    CaptureStderr();
    Rebuild(broken);
    EXPECT_NE(GetCapturedStderr().find("Can't load DLL"), std::string::npos);
    EXPECT_TRUE(world.logic->GetScriptNames().empty());
    EXPECT_EQ(holder.FindExact("Alpha"), nullptr);
    world.Frame();

    // Saving now still writes every script with the properties it had.
    const std::string saved = world.Written(holder);
    EXPECT_NE(saved.find("<Monos0>Alpha</Monos0>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Hits>7</Hits>"), std::string::npos) << saved;

    Rebuild(FIXTURE_SCRIPTS_V2);
    EXPECT_THAT(world.TakeLog(), Contains("Props v2 7 kept"));
    EXPECT_EQ(holder.FindExact("Alpha")->state, ScriptState::Running);
}

TEST_F(HotReloadTest, AScriptTheNewBuildLacksIsReportedOnceAndKeepsItsNameAndProperties)
{
    GameObject& object = Running("Object", {"Alpha", "Props"});
    MonoBehaviorDLL& holder = ScriptWorld::Holder(object);
    world.SetProps(*holder.FindExact("Props"), "7", "kept");

    CaptureStderr();
    Rebuild(FIXTURE_SCRIPTS_NO_MONOLIST);
    const std::string reports = GetCapturedStderr();
    EXPECT_NE(reports.find("Can't find Alpha"), std::string::npos) << reports;
    EXPECT_NE(reports.find("Can't find Props"), std::string::npos) << reports;
    EXPECT_EQ(reloadOutput.find("Can't find script"), std::string::npos) << reloadOutput;

    EXPECT_THAT(holder.GetAttachedScriptNames(), ElementsAre("Alpha", "Props"));
    const std::string saved = world.Written(holder);
    EXPECT_NE(saved.find("<Hits>7</Hits>"), std::string::npos) << saved;
}

TEST_F(HotReloadTest, AWaitingNameGetsItsScriptFromTheNewBuildAndStartsFromAwake)
{
    GameObject& object = Running("Object", {"Alpha"});
    // A name that waits for an instance (a cloned holder) gets one from the new build and starts from Awake.
    GameObject& waiting = world.objects->Live("Pending", 77);
    auto& pending = dynamic_cast<MonoBehaviorDLL&>(
        *waiting.AddComponent("MonoBehavior", ScriptWorld::Holder(object).Clone()));
    ScriptWorld::Register(waiting);
    world.Frame();
    world.TakeLog();
    EXPECT_THAT(pending.GetAttachedScriptNames(), ElementsAre("Alpha"));
    EXPECT_EQ(pending.FindExact("Alpha"), nullptr);

    Rebuild(FIXTURE_SCRIPTS_V2);
    EXPECT_THAT(world.TakeLog(), ElementsAre("Object Alpha Reload", "Pending Alpha Awake", "Pending Alpha Start",
                                             "Object Alpha Update", "Pending Alpha Update"));
}
}

namespace
{
TEST_F(HotReloadTest, TheKeyPStopsEveryScriptAndTheWatchUntilItIsPressedAgain)
{
    Running("Object", {"Counter"});
    InputSystem& input = *world.core->GetInput();
    const auto press = [&] {
        input.SetKey(0x50, true);
        world.Frame();
        input.SetKey(0x50, false);
    };
    press();
    EXPECT_TRUE(world.logic->IsSuspended());
    world.TakeLog();
    TakeFixtureLog(world.folders.LoadedCopy(), "FixtureStapleLog");
    world.folders.Install(FIXTURE_SCRIPTS_V2);
    for (int frame = 0; frame < 3; ++frame)
        world.Frame();
    EXPECT_TRUE(world.TakeLog().empty());
    EXPECT_EQ(TakeFixtureLog(world.folders.LoadedCopy(), "FixtureStapleLog").size(), 0u)
        << "no setter is called either";

    CaptureStdout();
    press();
    EXPECT_FALSE(world.logic->IsSuspended());
    EXPECT_THAT(world.TakeLog(), ElementsAre("Counter v1 2")) << "the new build is seen, not yet settled";
    world.Frame();
    GetCapturedStdout();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Counter v2 1"));
}
}

namespace
{
// Records whether the library was still there when it was told to drop its tables.
class TableHolder : public PropertyTableHolder
{
public:
    explicit TableHolder(std::string loadedCopy) : loadedCopy_(std::move(loadedCopy)) {}
    void DropPropertyTables() override { residentAtDrop.push_back(platform::DynamicLibrary::IsResident(loadedCopy_)); }

    std::vector<bool> residentAtDrop;

private:
    std::string loadedCopy_;
};

TEST_F(HotReloadTest, TableHoldersDropTheirReferencesBeforeTheLibraryGoes)
{
    TableHolder holder(world.folders.LoadedCopy());
    TableHolder removed(world.folders.LoadedCopy());
    world.logic->AddTableHolder(&holder);
    world.logic->AddTableHolder(&holder);
    world.logic->AddTableHolder(&removed);
    world.logic->RemoveTableHolder(&removed);
    Rebuild(FIXTURE_SCRIPTS_V2);
    EXPECT_THAT(holder.residentAtDrop, ElementsAre(true));
    EXPECT_TRUE(removed.residentAtDrop.empty());
    world.logic->RemoveTableHolder(&holder);
}

// Leaves as it drops, the way a window that closes with its tables would.
class LeavingTableHolder : public TableHolder
{
public:
    LeavingTableHolder(std::string loadedCopy, Logic& logic) : TableHolder(std::move(loadedCopy)), logic_(logic) {}
    void DropPropertyTables() override
    {
        TableHolder::DropPropertyTables();
        logic_.RemoveTableHolder(this);
    }

private:
    Logic& logic_;
};

TEST_F(HotReloadTest, AHolderLeavingAsItDropsLeavesTheOthersTold)
{
    LeavingTableHolder leaving(world.folders.LoadedCopy(), *world.logic);
    TableHolder next(world.folders.LoadedCopy());
    TableHolder last(world.folders.LoadedCopy());
    world.logic->AddTableHolder(&leaving);
    world.logic->AddTableHolder(&next);
    world.logic->AddTableHolder(&last);
    Rebuild(FIXTURE_SCRIPTS_V2);
    EXPECT_THAT(leaving.residentAtDrop, ElementsAre(true));
    EXPECT_THAT(next.residentAtDrop, ElementsAre(true));
    EXPECT_THAT(last.residentAtDrop, ElementsAre(true));
    world.logic->RemoveTableHolder(&next);
    world.logic->RemoveTableHolder(&last);
}

// The shipped first level holds its cutscene shots before the player: a script's Reload that looks for a partner
// further down the level must find it with its new scripts.
TEST(ShippedLevelReload, EveryScriptFindsItsPartnersWhereverTheyStandInTheLevel)
{
    SKIP_UNLESS_LEVELS_CAN_RUN();
    LevelRunner runner("", "TombLevel1");
    runner.Frames(2);
    runner.ReinstallLibrary();
    CaptureStderr();
    CaptureStdout();
    runner.Frames(4);
    const std::string output = GetCapturedStdout();
    const std::string reports = GetCapturedStderr();
    EXPECT_NE(output.find("Logic: Loading Scripts"), std::string::npos) << "reloaded";
    EXPECT_EQ(reports.find("ASSERT"), std::string::npos) << reports;
}
} // namespace
