#include "logic.h"

#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "collisiondata.h"
#include "scriptworld.h"

using testing::ElementsAre;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace
{
class LogicTest : public testing::Test
{
protected:
    // An object made from a prefab holding the scripts, as a script's Instantiate and Register make it.
    GameObject& Instantiate(const std::string& name, std::initializer_list<const char*> scripts,
                            const std::string& tag = "")
    {
        GameObject& prefab = world.Object(name + "Prefab", scripts);
        prefab.SetTag(tag);
        GameObject& object = world.objects->Live(std::make_unique<GameObject>(prefab, name, ++world.lastId));
        DispatchMessage(SystemId::ScriptCalls, SystemId::All, MessageNames::Cloned, &object);
        ScriptWorld::Register(object);
        return object;
    }

    static void Post(MessageName name, GameObject* first, GameObject* second, float penetration = 0.0f)
    {
        CollisionData data;
        data.objectA = first;
        data.objectB = second;
        data.penetration = penetration;
        PostMessage(SystemId::Physics, SystemId::Logic, name, data);
    }

    ScriptWorld world;
};

TEST_F(LogicTest, InitLoadsTheLibraryAndShutDownRemovesTheCopy)
{
    const std::string output = world.initOutput;
    EXPECT_EQ(output.substr(output.find("System: Logic")), "System: Logic Initializing\n"
                                                            "\tLogic: Loading staple functions ... done\n"
                                                            "\tLogic: Passing staple functions ... done\n"
                                                            "\tLogic: Loading Scripts ... done (1 failed)\n"
                                                            "System: Logic \t\t- OK\n"
                                                            " >>> ALL SYSTEMS INITIALIZED!\n");
    EXPECT_EQ(world.logic->GetScriptNames().size(), 8u);
    const std::string copy = world.folders.LoadedCopy();
    EXPECT_TRUE(std::filesystem::exists(copy));
    world.core.reset();
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_FALSE(platform::DynamicLibrary::IsResident(copy));
}

TEST(LogicInit, ALibraryThatDoesNotLoadLeavesTheEngineRunningWithoutScripts)
{
    ScriptHostFolders folders;
    std::ofstream(folders.LibraryFolder() + "broken") << "not a library";
    ScriptWorld world(folders.LibraryFolder() + "broken");
    EXPECT_NE(world.initOutput.find("System: Logic \t\t- ERROR\n"), std::string::npos);
    EXPECT_TRUE(world.logic->GetScriptNames().empty());
    for (int frame = 0; frame < 3; ++frame)
        world.Frame();

    // The next build is picked up once it has settled.
    world.folders.Install(FIXTURE_SCRIPTS_V1);
    CaptureStdout();
    world.Frame();
    EXPECT_TRUE(world.logic->GetScriptNames().empty());
    world.Frame();
    GetCapturedStdout();
    EXPECT_EQ(world.logic->GetScriptNames().size(), 8u);
}

TEST_F(LogicTest, AwakeTakesTurnsBetweenObjectsThenStartUpdateEventsDisableEnableAndDestroy)
{
    GameObject& one = Instantiate("One", {"Alpha"});
    GameObject& three = Instantiate("Three", {"Alpha", "Beta", "Gamma"});
    EXPECT_TRUE(world.TakeLog().empty()) << "nothing runs before Logic's update";

    world.Frame();
    EXPECT_THAT(world.TakeLog(),
                ElementsAre("One Alpha Awake", "Three Alpha Awake", "One Alpha Start", "Three Beta Awake",
                            "Three Gamma Awake", "Three Alpha Start", "Three Beta Start", "Three Gamma Start",
                            "One Alpha Update", "Three Alpha Update", "Three Beta Update", "Three Gamma Update"));

    // Both objects hear of the collision, each with the other; the form without contact data comes first.
    Post(MessageNames::OnCollisionEnter, &one, &three, 0.5f);
    Post(MessageNames::OnTriggerExit, &three, &one);
    world.messaging->Update();
    EXPECT_THAT(world.TakeLog(),
                ElementsAre("One Alpha CollisionEnter Three", "One Alpha CollisionEnter Three 0.500000",
                            "Three Alpha CollisionEnter One", "Three Alpha CollisionEnter One 0.500000",
                            "Three Beta CollisionEnter One", "Three Beta CollisionEnter One 0.500000",
                            "Three Gamma CollisionEnter One", "Three Gamma CollisionEnter One 0.500000",
                            "One Alpha TriggerExit Three", "Three Alpha TriggerExit One",
                            "Three Beta TriggerExit One", "Three Gamma TriggerExit One"));

    three.SetActive(false);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Three Alpha OnDisable", "Three Beta OnDisable", "Three Gamma OnDisable",
                                             "One Alpha Update"));
    Post(MessageNames::OnCollisionStay, &one, &three);
    world.messaging->Update();
    EXPECT_THAT(world.TakeLog(), ElementsAre("One Alpha CollisionStay Three", "One Alpha CollisionStay Three 0.000000"))
        << "a disabled object hears no events";

    three.SetActive(true);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Three Alpha OnEnable", "Three Beta OnEnable", "Three Gamma OnEnable",
                                             "One Alpha Update", "Three Alpha Update", "Three Beta Update",
                                             "Three Gamma Update"));

    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, &three);
    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, &three);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Three Alpha OnDestroy", "Three Beta OnDestroy", "Three Gamma OnDestroy",
                                             "One Alpha Update"));
}

TEST_F(LogicTest, EventsReachTheTwoObjectsInTheOrderTheyWereFiledWhateverTheirPlaceInTheEvent)
{
    GameObject& one = Instantiate("One", {"Alpha"});
    GameObject& two = Instantiate("Two", {"Alpha"});
    world.Frame();
    // Switched off and on again, One is filed anew, after Two.
    one.SetActive(false);
    world.Frame();
    one.SetActive(true);
    world.Frame();
    world.TakeLog();

    Post(MessageNames::OnCollisionEnter, &one, &two);
    Post(MessageNames::OnTriggerExit, &two, &one);
    world.messaging->Update();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Two Alpha CollisionEnter One", "Two Alpha CollisionEnter One 0.000000",
                                             "One Alpha CollisionEnter Two", "One Alpha CollisionEnter Two 0.000000",
                                             "Two Alpha TriggerExit One", "One Alpha TriggerExit Two"));
}

TEST_F(LogicTest, ObjectsLeavingInAnyOrderLeaveTheRestRunningInTheOrderTheyWereFiled)
{
    // Most of them go, which closes the gaps they leave in the lists.
    std::vector<GameObject*> objects;
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        objects.push_back(&Instantiate(name, {"Alpha"}));
    world.Frame();
    for (const int gone : {1, 2, 3, 5})
        PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, objects[gone]);
    objects[0]->SetActive(false);
    world.Frame();
    objects[0]->SetActive(true);
    // A script's object is filed at once, before the queued switch files A again.
    Instantiate("G", {"Alpha"});
    world.messaging->Update();
    world.TakeLog();

    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("G Alpha Awake", "G Alpha Start", "E Alpha Update", "G Alpha Update",
                                             "A Alpha Update"));
    Post(MessageNames::OnTriggerExit, objects[0], objects[4]);
    world.messaging->Update();
    EXPECT_THAT(world.TakeLog(), ElementsAre("E Alpha TriggerExit A", "A Alpha TriggerExit E"));
}

TEST_F(LogicTest, ALoadedObjectIsAwokenWhenClonedAndStartedAtItsFirstUpdate)
{
    GameObject& loaded = world.Object("Loaded", {"Alpha", "Beta"});
    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, &loaded);
    EXPECT_THAT(world.TakeLog(), ElementsAre("Loaded Alpha Awake", "Loaded Beta Awake"));
    ScriptWorld::Register(loaded);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Loaded Alpha Start", "Loaded Beta Start", "Loaded Alpha Update",
                                             "Loaded Beta Update"));
}

TEST_F(LogicTest, AnInactiveObjectsScriptsWaitAndRunOnceItIsEnabled)
{
    GameObject& sleeper = world.Object("Sleeper", {"Alpha"});
    sleeper.SetActive(false);
    world.messaging->Update();
    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, &sleeper);
    ScriptWorld::Register(sleeper);
    world.Frame();
    world.Frame();
    EXPECT_TRUE(world.TakeLog().empty());

    sleeper.SetActive(true);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Sleeper Alpha OnEnable", "Sleeper Alpha Update"));
}

TEST_F(LogicTest, RunWhenPausedObjectsUpdateOnlyWhilePausedAndHearNoEvents)
{
    GameObject& menu = Instantiate("Menu", {"Alpha"}, "RunWhenPaused");
    GameObject& player = Instantiate("Player", {"Beta"});
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Menu Alpha Awake", "Player Beta Awake", "Menu Alpha Start",
                                             "Player Beta Start", "Player Beta Update"));

    world.core->SetPaused(true);
    Post(MessageNames::OnTriggerEnter, &menu, &player);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Player Beta TriggerEnter Menu", "Player Beta TriggerEnter Menu 0.000000",
                                             "Menu Alpha Update"));
    world.core->SetPaused(false);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Player Beta Update"));
}

TEST_F(LogicTest, ADisabledRunWhenPausedObjectStaysFiledButItsScriptsRestUntilItIsEnabled)
{
    GameObject& menu = Instantiate("Menu", {"Alpha"}, "RunWhenPaused");
    world.Frame();
    world.TakeLog();

    world.core->SetPaused(true);
    menu.SetActive(false);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Menu Alpha OnDisable"));
    menu.SetActive(true);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Menu Alpha OnEnable", "Menu Alpha Update"));
}

TEST_F(LogicTest, AddingAScriptToARunningObjectStartsItLikeAnyOther)
{
    GameObject& object = Instantiate("Object", {"Alpha"});
    world.Frame();
    world.TakeLog();

    MonoBehaviorDLL& holder = ScriptWorld::Holder(object);
    holder.RegisterScript("Beta");
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Object Beta Awake", "Object Beta Start", "Object Alpha Update",
                                             "Object Beta Update"));

    // A name already attached, or one the library lacks, is refused.
    testing::internal::CaptureStderr();
    CaptureStdout();
    holder.RegisterScript("Alpha");
    holder.RegisterScript("Turret");
    EXPECT_EQ(GetCapturedStdout(), "Can't find script 'Turret'\nAttempting to add missing script : 'Turret'\n");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Alpha already added"), std::string::npos);
    EXPECT_THAT(holder.GetAttachedScriptNames(), ElementsAre("Alpha", "Beta"));
}

TEST_F(LogicTest, AScriptRemovingItselfDuringItsUpdateIsDestroyedOnceAfterTheWalk)
{
    GameObject& object = Instantiate("Object", {"Alpha", "Remover"});
    world.Frame();
    EXPECT_THAT(world.TakeLog(), testing::Contains("Object Remover Update"));
    EXPECT_THAT(ScriptWorld::Holder(object).GetAttachedScriptNames(), ElementsAre("Alpha"));
    EXPECT_EQ(world.messaging->QueuedCount(), 1u); // "RemoveMono", which no system acts on

    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Object Alpha Update"));

    CaptureStdout();
    ScriptWorld::Holder(object).RemoveMono("Remover");
    EXPECT_EQ(GetCapturedStdout(), "Object don't have script : Remover\n");
}

TEST_F(LogicTest, AnObjectDestroyedBeforeItIsSwitchedInTheSameDeliveryIsNotFiledAgain)
{
    GameObject& enabled = Instantiate("Enabled", {"Alpha"});
    GameObject& disabled = Instantiate("Disabled", {"Beta"});
    world.Frame();
    world.TakeLog();

    // A script destroys the objects after another one has switched them, all within one frame.
    for (GameObject* object : {&enabled, &disabled})
        PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, object);
    PostMessage(SystemId::None, SystemId::All, MessageNames::Enable, &enabled);
    PostMessage(SystemId::None, SystemId::All, MessageNames::Disable, &disabled);
    world.Frame();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Enabled Alpha OnDestroy", "Disabled Beta OnDestroy"));

    // The factory frees them; neither an update nor a reload may reach them afterwards.
    std::erase_if(world.objects->live, [&](const auto& object) {
        return object.get() == &enabled || object.get() == &disabled;
    });
    world.folders.Install(FIXTURE_SCRIPTS_V2);
    CaptureStdout();
    world.Frame();
    world.Frame();
    GetCapturedStdout();
    EXPECT_THAT(world.TakeLog(), ElementsAre());
}

// Takes a script (another or itself) off its object in Awake and goes on using itself afterwards.
class RemovesOnAwake : public MonoBehaviorInterface
{
public:
    explicit RemovesOnAwake(std::string removes) : removes_(std::move(removes)) {}
    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<RemovesOnAwake>(*this); }
    void Awake() override
    {
        owner->GetMonoBehavior()->RemoveMono(removes_);
        awoken = true;
    }
    bool awoken = false;

private:
    std::string removes_;
};

TEST_F(LogicTest, ScriptsRemovedWhileAttachScriptsAwakensThemStayRemovedAndTheCallerLivesOn)
{
    GameObject& loaded = world.Object("Loaded", {"Alpha", "Beta"});
    MonoBehaviorDLL& holder = ScriptWorld::Holder(loaded);
    // In name order: the first removes a script not reached yet, the last removes itself.
    for (const auto& [name, removes] : {std::pair{"Aardvark", "Beta"}, std::pair{"Zebra", "Zebra"}})
    {
        auto script = std::make_unique<RemovesOnAwake>(removes);
        script->owner = &loaded;
        holder.SetScript(name, std::move(script));
    }

    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, &loaded);
    EXPECT_THAT(world.TakeLog(), ElementsAre("Loaded Alpha Awake"));
    EXPECT_THAT(holder.GetAttachedScriptNames(), ElementsAre("Aardvark", "Alpha"));
}

// Acts on its own holder in Start or in Update.
class ActsOnItsHolder : public MonoBehaviorInterface
{
public:
    using Act = std::function<void(MonoBehaviorDLL&)>;
    ActsOnItsHolder(bool inStart, Act act) : inStart_(inStart), act_(std::move(act)) {}
    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<ActsOnItsHolder>(*this); }
    void Start() override { ActIf(inStart_); }
    void Update() override { ActIf(!inStart_); }

private:
    void ActIf(bool now) const
    {
        if (now)
            act_(*dynamic_cast<MonoBehaviorDLL*>(owner->GetMonoBehavior()));
    }
    bool inStart_;
    Act act_;
};

TEST_F(LogicTest, ScriptsRemovedOrDisabledByAnEarlierOneDuringAWalkAreNotReachedLaterInIt)
{
    const auto remove = [](std::vector<std::string> names) {
        return [names](MonoBehaviorDLL& holder) {
            for (const std::string& name : names)
                holder.RemoveMono(name);
        };
    };
    struct Case
    {
        const char* what;
        bool inStart;
        ActsOnItsHolder::Act act;
        std::vector<std::string> log;
        std::vector<std::string> left;
    };
    const std::vector<std::string> started = {"Object Alpha Awake", "Object Beta Awake", "Object Alpha Start",
                                              "Object Beta Start"};
    const auto then = [&](std::initializer_list<std::string> more) {
        std::vector<std::string> log = started;
        log.insert(log.end(), more);
        return log;
    };
    const Case cases[] = {
        {"removes an awoken one in Start", true, remove({"Beta"}),
         {"Object Alpha Awake", "Object Beta Awake", "Object Alpha Start", "Object Alpha Update"},
         {"Aardvark", "Alpha"}},
        {"removes a running one in Update", false, remove({"Beta"}),
         then({"Object Beta OnDestroy", "Object Alpha Update"}), {"Aardvark", "Alpha"}},
        {"removes another and itself", false, remove({"Alpha", "Aardvark"}),
         then({"Object Alpha OnDestroy", "Object Beta Update"}), {"Beta"}},
        // A walk within the walk.
        {"disables every script", false, [](MonoBehaviorDLL& holder) { holder.DisableScripts(); },
         then({"Object Alpha OnDisable", "Object Beta OnDisable"}), {"Aardvark", "Alpha", "Beta"}},
    };
    for (const Case& c : cases)
    {
        ScriptWorld world;
        GameObject& object = world.Object("Object", {"Alpha", "Beta"});
        auto actor = std::make_unique<ActsOnItsHolder>(c.inStart, c.act);
        actor->owner = &object;
        ScriptWorld::Holder(object).SetScript("Aardvark", std::move(actor));
        ScriptWorld::Register(object);
        world.Frame();
        EXPECT_EQ(world.TakeLog(), c.log) << c.what;
        EXPECT_EQ(ScriptWorld::Holder(object).GetAttachedScriptNames(), c.left) << c.what;
    }
}

TEST_F(LogicTest, OnDestroyReachesOnlyScriptsThatRanAndOnlyOnce)
{
    GameObject& object = world.Object("Object", {"Alpha", "Beta"});
    MonoBehaviorDLL& holder = ScriptWorld::Holder(object);
    holder.FindExact("Alpha")->state = ScriptState::Running;
    holder.RemoveMono("Alpha");
    holder.RemoveMono("Beta"); // never awoken
    holder.DestroyScripts();
    EXPECT_THAT(world.TakeLog(), ElementsAre("Object Alpha OnDestroy"));
    EXPECT_TRUE(holder.GetAttachedScriptNames().empty());
}
}

namespace
{
TEST_F(LogicTest, OnlyTheScriptHoldersOwnSwitchDisablesAndEnablesItsScripts)
{
    GameObject& object = Instantiate("Object", {"Alpha"});
    world.Frame();
    world.TakeLog();

    const auto post = [&](MessageName name, CompEnum type) {
        PostMessage(SystemId::None, SystemId::All, name, std::make_pair(type, &object));
        world.Frame();
        return world.TakeLog();
    };
    EXPECT_THAT(post(MessageNames::DisableComponent, CompEnum::Transform), ElementsAre("Object Alpha Update"));
    EXPECT_THAT(post(MessageNames::DisableComponent, CompEnum::MonoBehavior), ElementsAre("Object Alpha OnDisable"));
    EXPECT_THAT(post(MessageNames::EnableComponent, CompEnum::Camera), ElementsAre());
    EXPECT_THAT(post(MessageNames::EnableComponent, CompEnum::MonoBehavior),
                ElementsAre("Object Alpha OnEnable", "Object Alpha Update"));
}

TEST_F(LogicTest, MessagesAboutNoObjectAreReportedAndChangeNothing)
{
    GameObject& object = Instantiate("Object", {"Alpha"});
    world.Frame();
    world.TakeLog();

    struct Case
    {
        MessageName name;
        std::string report;
    };
    const Case cases[] = {
        {MessageNames::Enable, "Message (Enable), GameObject is nullptr"},
        {MessageNames::Disable, "Message (Disable), GameObject is nullptr"},
        {MessageNames::Destroy, "is about no object"},
    };
    for (const Case& message : cases)
    {
        testing::internal::CaptureStderr();
        PostMessage(SystemId::None, SystemId::All, message.name, static_cast<GameObject*>(nullptr));
        world.messaging->Update();
        EXPECT_NE(testing::internal::GetCapturedStderr().find(message.report), std::string::npos) << message.report;
    }
    testing::internal::CaptureStderr();
    PostMessage(SystemId::None, SystemId::All, MessageNames::DisableComponent,
                std::make_pair(CompEnum::MonoBehavior, static_cast<GameObject*>(nullptr)));
    Post(MessageNames::OnCollisionEnter, &object, nullptr);
    world.Frame();
    const std::string reports = testing::internal::GetCapturedStderr();
    EXPECT_NE(reports.find("Message (DisableComponent), GameObject is nullptr"), std::string::npos);
    EXPECT_NE(reports.find("OnCollisionEnter, one of the colliding object is nullptr"), std::string::npos);
    EXPECT_THAT(world.TakeLog(), ElementsAre("Object Alpha Update")) << "no script is handed a missing object";
}
}
