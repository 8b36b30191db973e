#pragma once
// Helpers for the script host's tests: a temporary library folder and per-user folder, the fixture script
// libraries installed as the built library, and the fixture's call log.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/dynamiclibrary.h"
#include "scopedenvironment.h"
#include "tempfolder.h"

// Points HOME at a new temporary folder for as long as this lives.
class ScriptHostFolders
{
public:
    ScriptHostFolders()
    {
        std::filesystem::create_directories(root_.Path() / "bin");
        std::filesystem::create_directories(UserFolder());
    }
    ScriptHostFolders(const ScriptHostFolders&) = delete;
    ScriptHostFolders& operator=(const ScriptHostFolders&) = delete;

    // Where the built library goes, with a trailing "/".
    std::string LibraryFolder() const { return root_.Folder() + "bin/"; }
    std::string UserFolder() const { return root_.Folder() + "Documents/CalVorn/Nektaru/"; }
    std::string BuiltLibrary() const { return LibraryFolder() + "Game.so"; }
    std::string LoadedCopy() const { return UserFolder() + "Game_.so"; }

    // Puts a file (a fixture variant) in place of the built library, dated later than any earlier one.
    void Install(const std::string& file)
    {
        const std::string partial = BuiltLibrary() + ".partial";
        std::filesystem::copy_file(file, partial, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::rename(partial, BuiltLibrary());
        ++installs_;
        std::filesystem::last_write_time(BuiltLibrary(),
                                         std::filesystem::file_time_type::clock::now() +
                                             std::chrono::seconds(installs_));
    }

private:
    TempFolder root_;
    const ScopedEnvironment home_{"HOME", root_.Path().c_str()};
    const ScopedEnvironment documents_{"XDG_DOCUMENTS_DIR", nullptr};
    int installs_ = 0;
};

// The fixture's log of calls (or another of its logs), emptied by the read; empty when the copy is not
// loaded.
inline std::vector<std::string> TakeFixtureLog(const std::string& loadedCopy, const char* log = "FixtureLog")
{
    if (!platform::DynamicLibrary::IsResident(loadedCopy))
        return {};
    platform::DynamicLibrary library;
    library.Load(loadedCopy);
    auto read = library.FindFunction<std::vector<std::string>* (*)()>(log);
    std::vector<std::string> lines;
    if (read)
        lines.swap(*read());
    return lines;
}
