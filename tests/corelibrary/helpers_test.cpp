#include "helpers.h"

#include "scopedenvironment.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(StringHelpers, MembershipTests)
{
    EXPECT_TRUE(StringContains("Assets/Prefabs/Torch.xml", "Prefabs"));
    EXPECT_TRUE(StringContains("abc", ""));
    EXPECT_FALSE(StringContains("abc", "abcd"));
    EXPECT_FALSE(StringContains("", "a"));

    const std::vector<std::string> names = {"Turret", "Boss", ""};
    EXPECT_TRUE(ContainsString(names, "Boss"));
    EXPECT_TRUE(ContainsString(names, ""));
    EXPECT_FALSE(ContainsString(names, "boss"));
    EXPECT_FALSE(ContainsString(names, "Bos"));

    const std::vector<std::uint64_t> ids = {1, 0xFFFF'0000'0000'0001ULL};
    EXPECT_TRUE(Contains(ids, std::uint64_t{0xFFFF'0000'0000'0001ULL}));
    EXPECT_FALSE(Contains(ids, std::uint64_t{2}));
    int a = 0, b = 0;
    const std::vector<int*> objects = {&a};
    EXPECT_TRUE(Contains(objects, &a));
    EXPECT_FALSE(Contains(objects, &b));
}

TEST(PathHelpers, FileNamesAndStems)
{
    struct Case { std::string path, name, stem; };
    const Case cases[] = {
        {"Assets/Models/Animated/Hero_Walk.fbx", "Hero_Walk.fbx", "Hero_Walk"},
        {"C:\\Game\\Bin\\Assets\\XML\\Level1.xml", "Level1.xml", "Level1"},
        {"Assets/Textures/wall", "wall", "wall"},
        {"/opt/x.y/Bin/c", "c", "c"}, // a dot in a folder never cuts the name
        {"a.b\\c", "c", "c"},
        {"x/y\\z.dds", "y\\z.dds", "y\\z"}, // the slash wins over the backslash
        {"archive.tar.gz", "archive.tar.gz", "archive.tar"},
        {"Assets/", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(GetFileName(c.path), c.name) << c.path;
        EXPECT_EQ(GetFileStem(c.path), c.stem) << c.path;
    }
}

TEST(PathHelpers, ExecutableFolderIsThisProgramsFolder)
{
    const std::string folder = GetExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "corelibrary_tests"));
}

TEST(PathHelpers, UserDataFolderIsCreatedUnderTheDocumentsFolder)
{
    TempFolder home;
    const ScopedEnvironment homeVariable("HOME", home.Path().c_str());
    {
        const ScopedEnvironment documents("XDG_DOCUMENTS_DIR", nullptr);
        const std::string expected = (home.Path() / "Documents/CalVorn/Nektaru/").string();
        EXPECT_EQ(GetUserDataFolder(), expected);
        EXPECT_TRUE(fs::is_directory(expected));
        EXPECT_EQ(GetUserDataFolder(), expected); // an existing folder is fine
    }
    {
        const std::string custom = (home.Path() / "Docs").string();
        const ScopedEnvironment documents("XDG_DOCUMENTS_DIR", custom.c_str());
        EXPECT_EQ(GetUserDataFolder(), custom + "/CalVorn/Nektaru/");
        EXPECT_TRUE(fs::is_directory(custom + "/CalVorn/Nektaru"));
    }
    {
        const ScopedEnvironment documents("XDG_DOCUMENTS_DIR", nullptr);
        const ScopedEnvironment noHome("HOME", nullptr);
        EXPECT_EQ(GetUserDataFolder(), "");
    }
}

TEST(PathHelpers, HasFileChangedRecordsEachNewModificationTime)
{
    TempFolder folder;
    const std::string path = (folder.Path() / "Game.so").string();
    std::int64_t lastTime = 0;
    EXPECT_FALSE(HasFileChanged(path, lastTime)); // missing: false every time
    EXPECT_FALSE(HasFileChanged(path, lastTime));
    EXPECT_EQ(lastTime, 0);

    std::ofstream(path) << "first";
    EXPECT_TRUE(HasFileChanged(path, lastTime));
    EXPECT_NE(lastTime, 0);
    EXPECT_FALSE(HasFileChanged(path, lastTime));

    // A rebuild within the same second still counts.
    const auto first = fs::last_write_time(path);
    fs::last_write_time(path, first + std::chrono::milliseconds(1));
    EXPECT_TRUE(HasFileChanged(path, lastTime));
    EXPECT_FALSE(HasFileChanged(path, lastTime));

    const std::int64_t before = lastTime;
    fs::remove(path);
    EXPECT_FALSE(HasFileChanged(path, lastTime));
    EXPECT_EQ(lastTime, before);
}

TEST(StringHelpers, WideConversionsCarryUtf8)
{
    struct Case { std::string narrow; std::wstring wide; };
    const Case cases[] = {
        {"Assets/XML/Level1.xml", L"Assets/XML/Level1.xml"},
        {"caf\xC3\xA9", L"caf\u00E9"},
        {"\xE2\x82\xAC 5", L"\u20AC 5"},
        {"\xF0\x9F\x8E\xAE", L"\U0001F3AE"},
        {"", L""},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(ToWideString(c.narrow), c.wide) << c.narrow;
        EXPECT_EQ(ToNarrowString(c.wide), c.narrow) << c.narrow;
    }

    // Malformed bytes are replaced, never dropped or passed through.
    struct Bad { std::string narrow; std::wstring wide; };
    const Bad bad[] = {
        {"a\xFF" "b", L"a\uFFFD" "b"},
        {"\xC3", L"\uFFFD"},                // cut short
        {"\xC0\xAF", L"\uFFFD\uFFFD"},      // overlong
        {"\xED\xA0\x80", L"\uFFFD"},        // surrogate
        {"\xE2\x82" "x", L"\uFFFD" "x"},
    };
    for (const Bad& c : bad)
        EXPECT_EQ(ToWideString(c.narrow), c.wide) << c.narrow.size();
    EXPECT_EQ(ToNarrowString(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
}
