#include "scriptlibrary.h"

#include <iostream>

#include "assertion.h"
#include "console.h"

namespace
{
using MonoList = std::vector<std::string>;

void PrintDone(std::size_t failed = 0)
{
    if (failed == 0)
        PrintColoredLine(ConsoleColor::Green, "done");
    else
        PrintColoredLine(ConsoleColor::Yellow, "done (" + std::to_string(failed) + " failed)");
}
}

ScriptLibrary::~ScriptLibrary()
{
    Release();
}

bool ScriptLibrary::Load(const std::string& builtPath, const std::string& copyPath, const StapleArguments& arguments)
{
    Release();
    // A failed copy leaves whatever copy is there from an earlier run.
    platform::ReplaceWithCopy(builtPath, copyPath);
    if (!library_.Load(copyPath))
    {
        ASSERT(false, "Can't load DLL: " + library_.Error());
        return false;
    }

    std::cout << "\tLogic: Loading staple functions ... ";
    ResolveStaples();
    PrintDone();

    std::cout << "\tLogic: Passing staple functions ... ";
    PassStapleFunctions(arguments);
    PrintDone();

    std::cout << "\tLogic: Loading Scripts ... ";
    LoadPrototypes();
    return true;
}

bool ScriptLibrary::Release()
{
    // Prototypes first: their code and virtual tables live in the library.
    prototypes_.clear();
    staples_ = {};
    if (!library_.IsLoaded())
        return true;
    const bool freed = library_.Free();
    ASSERT(freed, "Can't release DLL: " + library_.Error() + "; a new build will not replace it");
    return freed;
}

template <typename Function>
Function ScriptLibrary::Resolve(const std::string& name)
{
    auto function = library_.FindFunction<Function>(name);
    ASSERT(function != nullptr, "Can't get " + name + " function");
    return function;
}

void ScriptLibrary::ResolveStaples()
{
    staples_.passInput = Resolve<decltype(staples_.passInput)>("PassInput");
    staples_.passFactory = Resolve<decltype(staples_.passFactory)>("PassFactory");
    staples_.passPhysics = Resolve<decltype(staples_.passPhysics)>("PassPhysics");
    staples_.passAudio = Resolve<decltype(staples_.passAudio)>("PassAudio");
    staples_.passCore = Resolve<decltype(staples_.passCore)>("PassCore");
    staples_.passDt = Resolve<decltype(staples_.passDt)>("PassDt");
}

void ScriptLibrary::PassStapleFunctions(const StapleArguments& arguments) const
{
    if (staples_.passInput)
        staples_.passInput(arguments.input);
    if (staples_.passFactory)
        staples_.passFactory(arguments.factory);
    if (staples_.passPhysics)
        staples_.passPhysics(arguments.physics);
    if (staples_.passAudio)
        staples_.passAudio(arguments.audio);
    if (staples_.passCore)
        staples_.passCore(arguments.core);
    if (staples_.passDt)
        staples_.passDt(arguments.dt);
}

void ScriptLibrary::LoadPrototypes()
{
    auto getMonoList = library_.FindFunction<MonoList* (*)()>("GetMonoList");
    ASSERT(getMonoList != nullptr, "Can't get monolist function");
    std::size_t failed = 0;
    // The library allocates the list; it is ours to free.
    const std::unique_ptr<MonoList> names(getMonoList ? getMonoList() : nullptr);
    if (names)
        for (const std::string& name : *names)
            failed += CreatePrototype(name) ? 0 : 1;
    PrintDone(failed);
}

bool ScriptLibrary::CreatePrototype(const std::string& name)
{
    auto create = library_.FindFunction<MonoBehaviorInterface* (*)(GameObjectInterface*)>("Create" + name);
    if (!create)
        return false;
    std::unique_ptr<MonoBehaviorInterface> prototype(create(nullptr));
    // A name listed twice keeps its first prototype.
    prototypes_.try_emplace(name, std::move(prototype));
    return true;
}

std::unique_ptr<MonoBehaviorInterface> ScriptLibrary::FindScript(const std::string& name) const
{
    const MonoBehaviorInterface* prototype = Prototype(name);
    if (!prototype)
    {
        std::cout << "Can't find script '" << name << "'" << std::endl;
        return nullptr;
    }
    return prototype->Clone();
}

const MonoBehaviorInterface* ScriptLibrary::Prototype(const std::string& name) const
{
    const auto found = prototypes_.find(name);
    return found == prototypes_.end() ? nullptr : found->second.get();
}

std::vector<std::string> ScriptLibrary::GetScriptNames() const
{
    std::vector<std::string> names;
    names.reserve(prototypes_.size());
    for (const auto& entry : prototypes_)
        names.push_back(entry.first);
    return names;
}

void LibraryWatch::Record(const std::string& path)
{
    known_ = platform::ReadFileStamp(path);
    candidate_.reset();
}

bool LibraryWatch::Poll(const std::string& path)
{
    const auto stamp = platform::ReadFileStamp(path);
    if (!stamp || stamp == known_)
    {
        candidate_.reset();
        return false;
    }
    if (stamp != candidate_)
    {
        candidate_ = stamp;
        return false;
    }
    known_ = stamp;
    candidate_.reset();
    return true;
}
