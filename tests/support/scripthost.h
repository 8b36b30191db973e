#pragma once
// Helpers for the script host's tests: a temporary library folder and per-user folder, the fixture script
// libraries installed as the built library, and the fixture's call log.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/dynamiclibrary.h"

class ScriptHostFolders
{
public:
    // Points HOME at a new temporary folder for as long as this lives.
    ScriptHostFolders()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "nektaru-scripts-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        std::filesystem::create_directories(root_ / "bin");
        std::filesystem::create_directories(UserFolder());
        if (const char* home = std::getenv("HOME"))
            previousHome_ = home;
        setenv("HOME", root_.c_str(), 1);
        unsetenv("XDG_DOCUMENTS_DIR");
    }
    ~ScriptHostFolders()
    {
        setenv("HOME", previousHome_.c_str(), 1);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScriptHostFolders(const ScriptHostFolders&) = delete;
    ScriptHostFolders& operator=(const ScriptHostFolders&) = delete;

    // Where the built library goes, with a trailing "/".
    std::string LibraryFolder() const { return (root_ / "bin").string() + "/"; }
    std::string UserFolder() const { return (root_ / "Documents" / "CalVorn" / "Nektaru").string() + "/"; }
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
    std::filesystem::path root_;
    std::string previousHome_;
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
