#pragma once
// Systems for a Core that runs scripts and nothing else.
#include <memory>
#include <string>

#include "core.h"
#include "idlesystem.h"
#include "logic.h"
#include "messagingsystem.h"
#include "scripthost.h"

// Logic loading the library installed in the folders; every other system idle. The folders must outlive
// the Core.
inline Core::SystemCreator LogicOnly(const ScriptHostFolders& folders)
{
    return [&folders](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Logic)
            return std::make_unique<Logic>(folders.LibraryFolder(), folders.UserFolder());
        return std::make_unique<IdleSystem>(id);
    };
}

// A Core with Logic only and a message queue, started on the script library given, installed as the built one.
class LogicOnlyEngine
{
public:
    explicit LogicOnlyEngine(const std::string& library)
    {
        folders.Install(library);
        core.Init();
    }
    Logic& GetLogic() { return *core.GetLogic(); }

    ScriptHostFolders folders;
    Core core{LogicOnly(folders)};
    MessagingSystem messaging{core.MessageReceivers()};
};
