#include "startup.h"

#include "tempfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(StartupFolders, ParentFolderDropsTheLastComponent)
{
    EXPECT_EQ(ParentFolder("/opt/game/Bin/"), "/opt/game/");
    EXPECT_EQ(ParentFolder("/opt/game/Bin"), "/opt/game/");
    EXPECT_EQ(ParentFolder("/Bin/"), "/");
    EXPECT_EQ(ParentFolder("Bin/"), "");
}

TEST(StartupFolders, FolderListingIsSortedRegularFilesOnlyAndNoHiddenOnes)
{
    TempFolder folder;
    folder.Write("Prefabs/b_2_Prefab.xml", "");
    folder.Write("Prefabs/a_1_Prefab.xml", "");
    folder.Write("Prefabs/C.xml", "");
    folder.Write("Prefabs/sub/inner.xml", "");
    // A save's temporary would load as a prefab, material or sound.
    folder.Write("Prefabs/.saving-b_2_Prefab_xml", "");
    const std::string prefabs = folder.Folder() + "Prefabs";
    EXPECT_EQ(ListFolderFiles(prefabs), (std::vector<std::string>{prefabs + "/C.xml", prefabs + "/a_1_Prefab.xml",
                                                                  prefabs + "/b_2_Prefab.xml"}));
    EXPECT_TRUE(ListFolderFiles(folder.Folder() + "Missing").empty());
}

TEST(StartupFolders, AnEntryThatCannotBeReadDoesNotEndTheListing)
{
    TempFolder folder;
    std::vector<std::string> expected;
    for (int i = 0; i < 10; ++i)
    {
        const std::string name = "Prefab" + std::to_string(i) + ".xml";
        folder.Write("Prefabs/" + name, "");
        expected.push_back(folder.Folder() + "Prefabs/" + name);
        std::filesystem::create_symlink(folder.Path() / "gone", folder.Path() / "Prefabs" / ("Dangling" + name));
    }
    EXPECT_EQ(ListFolderFiles(folder.Folder() + "Prefabs"), expected);
}

TEST(StartupTitle, BranchComesFromTheParentsGitHead)
{
    const struct
    {
        const char* head; // null: no .git/HEAD at all
        const char* branch;
    } cases[] = {
        {nullptr, ""},
        {"ref: refs/heads/main\n", "main"},
        {"ref: refs/heads/feature/doors\r\n", "doors"},
        {"4b8f0cf0d1e2\n", "4b8f0cf0d1e2"}, // detached: the whole line
        {"", ""},
    };
    for (const auto& c : cases)
    {
        TempFolder parent;
        if (c.head)
            parent.Write(".git/HEAD", c.head);
        EXPECT_EQ(ReadBranchName(parent.Folder()), c.branch) << (c.head ? c.head : "(none)");
    }
    EXPECT_EQ(TitlePrefix(""), "Torvane ()");
    EXPECT_EQ(TitlePrefix("main"), "Torvane (main)");
}

TEST(StartupText, TextAfterTheFirstMarker)
{
    EXPECT_EQ(TextAfter("/x/Bin/Assets/XML/Level1.xml", "XML/"), "Level1.xml");
    EXPECT_EQ(TextAfter("/x/Prefabs/Assets/Prefabs/Door.xml", "Prefabs/"), "Assets/Prefabs/Door.xml");
    EXPECT_EQ(TextAfter("/x/Level1.xml", "XML/"), "");
}
