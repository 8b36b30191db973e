#pragma once
#include <functional>
#include <string>
#include <vector>

// The object factory's part in start-up and the automated test run. Members left empty are skipped,
// so a test binds only those it watches.
struct ContentLoading
{
    std::function<void(const std::string& path)> loadPrefabFile;
    std::function<void(const std::string& path, bool registerObjects)> loadLevelFile;
    std::function<void()> destroyAllObjects;
    std::function<void(const std::string& name)> setLevelName;

    void LoadPrefabFile(const std::string& path) const;
    void LoadLevelFile(const std::string& path, bool registerObjects) const;
    void DestroyAllObjects() const;
    void SetLevelName(const std::string& name) const;
};

inline constexpr const char* ProductTitle = "Torvane";
inline constexpr const char* PrefabFolder = "Assets/Prefabs";
inline constexpr const char* LevelFolder = "Assets/XML";
inline constexpr const char* SplashLevelName = "SplashCalvorn";
inline constexpr const char* SplashLevelPath = "Assets/XML/SplashCalvorn.xml";

// The regular files of a folder but hidden ones, sorted by name so nothing depends on the file system's order;
// empty when the folder is missing.
std::vector<std::string> ListFolderFiles(const std::string& folder);

// The folder above a folder that ends with "/", itself ending with "/".
std::string ParentFolder(const std::string& folder);

// The branch named on the first line of <parent>.git/HEAD: what follows its last "/"; empty without one.
std::string ReadBranchName(const std::string& parentFolder);

// The product title with the branch in parentheses, even when there is no branch.
std::string TitlePrefix(const std::string& branch);

// The text after the first occurrence of marker; empty when it does not occur.
std::string TextAfter(const std::string& text, const std::string& marker);
