#include "startup.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

void ContentLoading::LoadPrefabFile(const std::string& path) const
{
    if (loadPrefabFile)
        loadPrefabFile(path);
}

void ContentLoading::LoadLevelFile(const std::string& path, bool registerObjects) const
{
    if (loadLevelFile)
        loadLevelFile(path, registerObjects);
}

void ContentLoading::DestroyAllObjects() const
{
    if (destroyAllObjects)
        destroyAllObjects();
}

void ContentLoading::SetLevelName(const std::string& name) const
{
    if (setLevelName)
        setLevelName(name);
}

std::vector<std::string> ListFolderFiles(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
    {
        // An entry that cannot be looked at (a dangling link) is skipped, not taken for the end of the folder.
        // Hidden files are no assets: a save's temporary is one.
        std::error_code unreadable;
        if (entry->is_regular_file(unreadable) && !entry->path().filename().string().starts_with('.'))
            files.push_back(entry->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ParentFolder(const std::string& folder)
{
    const std::string withoutSlash = folder.ends_with('/') ? folder.substr(0, folder.size() - 1) : folder;
    const std::size_t slash = withoutSlash.find_last_of('/');
    return slash == std::string::npos ? std::string() : withoutSlash.substr(0, slash + 1);
}

std::string ReadBranchName(const std::string& parentFolder)
{
    std::ifstream head(parentFolder + ".git/HEAD");
    std::string line;
    if (!std::getline(head, line))
        return {};
    if (line.ends_with('\r'))
        line.pop_back();
    const std::size_t slash = line.find_last_of('/');
    return slash == std::string::npos ? line : line.substr(slash + 1);
}

std::string TitlePrefix(const std::string& branch)
{
    return std::string(ProductTitle) + " (" + branch + ")";
}

std::string TextAfter(const std::string& text, const std::string& marker)
{
    const std::size_t at = text.find(marker);
    return at == std::string::npos ? std::string() : text.substr(at + marker.size());
}
