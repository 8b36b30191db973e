#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when the test ends.
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <string>

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "nektaru-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder with a trailing "/", as the engine's folder strings are.
    std::string Folder() const { return path_.string() + "/"; }

    // Writes a file below the folder, making the folders on the way.
    void Write(const std::string& relative, const std::string& text) const
    {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    std::string Read(const std::string& relative) const
    {
        std::ifstream file(path_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

private:
    std::filesystem::path path_;
};
