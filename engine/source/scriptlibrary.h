#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "monobehaviorinterface.h"
#include "platform/dynamiclibrary.h"
#include "platform/files.h"
#include "staplearguments.h"

// The loaded copy of the script library: its six setters and one prototype per script name.
class ScriptLibrary
{
public:
    ScriptLibrary() = default;
    ~ScriptLibrary();
    ScriptLibrary(const ScriptLibrary&) = delete;
    ScriptLibrary& operator=(const ScriptLibrary&) = delete;

    // Copies the built library to copyPath, loads the copy, binds and passes the setters and builds the
    // prototypes. False (with nothing bound) when the copy cannot be loaded.
    bool Load(const std::string& builtPath, const std::string& copyPath, const StapleArguments& arguments);
    // Destroys the prototypes and frees the library; no call into it is possible afterwards. False when the
    // loader keeps the library mapped, so a new build at the same path would not replace its code.
    bool Release();
    bool IsLoaded() const { return library_.IsLoaded(); }

    void PassStapleFunctions(const StapleArguments& arguments) const;

    // A clone of the named prototype, owned by the caller; null (with a console line) when there is none.
    std::unique_ptr<MonoBehaviorInterface> FindScript(const std::string& name) const;
    // The named prototype; null when there is none or its factory gave nothing.
    const MonoBehaviorInterface* Prototype(const std::string& name) const;
    bool HasPrototype(const std::string& name) const { return Prototype(name) != nullptr; }
    // Every listed name with a factory, in name order, those whose factory gave nothing included.
    std::vector<std::string> GetScriptNames() const;

private:
    struct Staples
    {
        void (*passInput)(InputInterface*) = nullptr;
        void (*passFactory)(ObjectFactoryInterface*) = nullptr;
        void (*passPhysics)(PhysicsInterface*) = nullptr;
        void (*passAudio)(AudioInterface*) = nullptr;
        void (*passCore)(CoreInterface*) = nullptr;
        void (*passDt)(float) = nullptr;
    };

    template <typename Function>
    Function Resolve(const std::string& name);
    void ResolveStaples();
    void LoadPrototypes();
    // False when the library lists the name but has no factory for it.
    bool CreatePrototype(const std::string& name);

    platform::DynamicLibrary library_;
    Staples staples_;
    std::map<std::string, std::unique_ptr<MonoBehaviorInterface>> prototypes_;
};

// Notices a rebuilt library file. A linker writes the file over time, so a change counts only once the file's
// time and size have stayed the same across two polls.
class LibraryWatch
{
public:
    // Takes the file as it is now as the known build.
    void Record(const std::string& path);
    // True once, when a new build has settled.
    bool Poll(const std::string& path);

private:
    std::optional<platform::FileStamp> known_;
    std::optional<platform::FileStamp> candidate_;
};
