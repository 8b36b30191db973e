// The editor's asset scan: which scene, model and prefab files the project holds.
#include "editor.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

namespace
{
namespace fs = std::filesystem;

// Only folders of these names are entered, wherever they stand.
constexpr std::string_view kEnteredFolders[] = {"Bin", "Assets", "XML", "Textures", "Models", "Prefabs"};

// One of the lists with what it holds already, so no pair is added twice. A name must end with the kind's
// ending: a file that merely holds it ("Level.xml.bak", a save's temporary) is no asset, nor is a hidden one.
class AssetList
{
public:
    AssetList(std::vector<AssetFile>& files, std::string_view nameEnds, std::string_view folderHolds)
        : files_(files), nameEnds_(nameEnds), folderHolds_(folderHolds)
    {
        for (const AssetFile& file : files_)
            held_.emplace(file.name, file.folder);
    }
    void Offer(const std::string& name, const std::string& folder)
    {
        if (name.ends_with(nameEnds_) && !name.starts_with('.') && folder.find(folderHolds_) != std::string::npos &&
            held_.emplace(name, folder).second)
            files_.push_back({name, folder});
    }

private:
    std::vector<AssetFile>& files_;
    std::string_view nameEnds_;
    std::string_view folderHolds_;
    std::set<std::pair<std::string, std::string>> held_;
};

// A folder being listed and its path below the scan root.
struct OpenFolder
{
    fs::directory_iterator entry;
    std::string relative;
};
}

// Depth first, each folder's entries in the file system's order. The walk keeps its own stack: a deep tree
// cannot exhaust the call stack, and linked folders are not followed, so a link loop ends it.
void Editor::ScanAssetFolders(const std::string& root)
{
    assetRoot_ = root.empty() || root.ends_with('/') ? root : root + "/";
    AssetList lists[] = {{sceneFiles_, ".xml", "XML"}, {modelFiles_, ".fbx", "Models"},
                         {prefabFiles_, "Prefab.xml", "Prefabs"}};
    std::error_code error;
    std::vector<OpenFolder> walk;
    walk.push_back({fs::directory_iterator(root, error), ""});
    while (!walk.empty())
    {
        if (walk.back().entry == fs::directory_iterator())
        {
            walk.pop_back();
            continue;
        }
        const fs::directory_entry entry = *walk.back().entry;
        const std::string relative = walk.back().relative;
        if (walk.back().entry.increment(error); error)
            walk.back().entry = fs::directory_iterator();
        const std::string name = entry.path().filename().string();
        std::error_code unreadable;
        if (entry.is_regular_file(unreadable))
        {
            for (AssetList& list : lists)
                list.Offer(name, relative);
        }
        else if (!entry.is_symlink(unreadable) && entry.is_directory(unreadable) &&
                 std::ranges::find(kEnteredFolders, name) != std::end(kEnteredFolders))
        {
            fs::directory_iterator inner(entry.path(), unreadable);
            if (!unreadable)
                walk.push_back({std::move(inner), relative + name + "/"});
        }
    }
}
