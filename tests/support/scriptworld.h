#pragma once
// A Core whose Logic loads the fixture script library from temporary folders, the message queue, and
// objects standing where the object factory will, for tests that run scripts on objects; and the whole engine
// with its object factory, for scripted levels.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core.h"
#include "enginesystems.h"
#include "idlesystem.h"
#include "inputsystem.h"
#include "logic.h"
#include "messagingsystem.h"
#include "monobehavior.h"
#include "objectfactory.h"
#include "objectworld.h"
#include "scripthost.h"
#include "tempfolder.h"
#include "xmltext.h"

// Logic on the folders' library, an input system without a window, every other system idle.
inline Core::SystemCreator LogicAndInputOnly(const ScriptHostFolders& folders)
{
    return [&folders](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Logic)
            return std::make_unique<Logic>(folders.LibraryFolder(), folders.UserFolder());
        if (id == SystemId::Input)
            return std::make_unique<InputSystem>(nullptr, [] { return 0.0f; });
        return std::make_unique<IdleSystem>(id);
    };
}

// Puts the library in place and starts the core on it; gives what the start-up printed.
inline std::string StartOnLibrary(Core& core, ScriptHostFolders& folders, const std::string& library)
{
    folders.Install(library);
    testing::internal::CaptureStdout();
    core.Init();
    return testing::internal::GetCapturedStdout();
}

class ScriptWorld
{
public:
    explicit ScriptWorld(const std::string& library = FIXTURE_SCRIPTS_V1)
        : core(std::make_unique<Core>(LogicAndInputOnly(folders))),
          messaging(std::make_unique<MessagingSystem>(core->MessageReceivers())), logic(core->GetLogic()),
          initOutput(StartOnLibrary(*core, folders, library))
    {
    }
    ~ScriptWorld()
    {
        // Objects and their scripts go before the library, as the object factory goes before Core.
        objects.reset();
        messaging.reset();
        core.reset();
    }

    // A live object holding the names, as an object the factory has just made from a prefab.
    GameObject& Object(const std::string& name, std::initializer_list<const char*> scripts)
    {
        GameObject& object = objects->Live(name, ++lastId);
        auto* holder = dynamic_cast<MonoBehaviorDLL*>(object.AddComponent("MonoBehavior"));
        for (const char* script : scripts)
            holder->SetScript(script, logic->FindScript(script));
        for (const auto& held : holder->GetAttachedScriptNames())
            holder->FindExact(held)->owner = &object;
        return object;
    }

    static MonoBehaviorDLL& Holder(GameObject& object) { return *object.GetComponent<MonoBehaviorDLL>(); }

    // Registers the object as the factory does: the message waits for the next frame.
    static void Register(GameObject& object)
    {
        PostMessage(SystemId::None, SystemId::All, MessageNames::Register, &object);
    }

    // The fixture's "Props" script takes these values.
    void SetProps(MonoBehaviorInterface& script, const std::string& hits, const std::string& label) const
    {
        const auto reader =
            xml.Parsed("<Props>\n\t<Hits>" + hits + "</Hits>\n\t<Label>" + label + "</Label>\n</Props>\n");
        script.ReadXml(*reader->GetRoot());
    }
    std::string Written(const MonoBehaviorDLL& holder, const Component* prefab = nullptr) const
    {
        return xml.Written([&](XMLWriter& writer) { holder.Serialize(writer, prefab); });
    }

    void Frame() { core->Frame(); }
    std::vector<std::string> TakeLog() const { return TakeFixtureLog(folders.LoadedCopy()); }

    ScriptHostFolders folders;
    std::unique_ptr<Core> core;
    std::unique_ptr<MessagingSystem> messaging;
    std::unique_ptr<ObjectWorld> objects = std::make_unique<ObjectWorld>();
    Logic* logic = nullptr;
    std::string initOutput;
    XmlText xml;
    ObjectId lastId = 0;
};

// The engine's own systems without a window, Logic on the fixture script library, the message queue and an
// object factory in a scratch folder: levels load and run through the real frame.
class ScriptedEngine : public ::testing::Test
{
protected:
    ScriptedEngine() { StartOnLibrary(core, folders, FIXTURE_SCRIPTS_V1); }

    // Two by default: what one frame posts is delivered in the next.
    void Frames(int count = 2)
    {
        for (int frame = 0; frame < count; ++frame)
            core.Frame();
    }

    ScriptHostFolders folders;
    Core core{EngineSystemsWithoutWindow(
        [this] { return std::make_unique<Logic>(folders.LibraryFolder(), folders.UserFolder()); })};
    MessagingSystem messaging{core.MessageReceivers()};
    TempFolder scratch;
    ObjectFactory factory{scratch.Folder()};
};
