#include "editor.h"
#include "tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

TEST(EditorAssetScan, ListsScenesModelsAndPrefabsOnlyInTheFoldersWorthEntering)
{
    TempFolder root;
    for (const char* file : {"Bin/Assets/XML/Level1.xml", "Bin/Assets/Prefabs/Torch_7_Prefab.xml",
                             "Bin/Assets/Prefabs/notes.xml", "Bin/Assets/XML/Prefabs/Door_3_Prefab.xml",
                             "Bin/Assets/Textures/Stone.dds", "Models/Statue.fbx", "Models/Animated/Walk.fbx",
                             "Other/XML/Hidden.xml", "Level0.xml",
                             // Names that only hold an ending: copies, killed saves' temporaries, hidden files.
                             "Bin/Assets/XML/Big.xml.saving-JPIuD2", "Bin/Assets/XML/.saving-Big_xml",
                             "Bin/Assets/XML/Level1.xml.bak", "Bin/Assets/XML/.Level2.xml",
                             "Bin/Assets/Prefabs/Torch_7_Prefab.xml.saving-AbCdEf", "Models/Statue.fbx.orig"})
        root.Write(file, "");
    // A link back up the tree, under a name the scan enters: followed, it would never end.
    std::filesystem::create_directory_symlink(root.Path() / "Bin", root.Path() / "Bin/Assets/XML/Bin");

    Editor editor;
    for (int scan = 0; scan < 2; ++scan)
        editor.ScanAssetFolders(root.Folder());

    EXPECT_THAT(editor.SceneFiles(), UnorderedElementsAre(AssetFile{"Level1.xml", "Bin/Assets/XML/"},
                                                          AssetFile{"Door_3_Prefab.xml", "Bin/Assets/XML/Prefabs/"}));
    EXPECT_THAT(editor.PrefabFiles(),
                UnorderedElementsAre(AssetFile{"Torch_7_Prefab.xml", "Bin/Assets/Prefabs/"},
                                     AssetFile{"Door_3_Prefab.xml", "Bin/Assets/XML/Prefabs/"}));
    EXPECT_THAT(editor.ModelFiles(), UnorderedElementsAre(AssetFile{"Statue.fbx", "Models/"}));
}

TEST(EditorAssetScan, AMissingRootFindsNothing)
{
    TempFolder root;
    Editor editor;
    editor.ScanAssetFolders(root.Folder() + "missing/");
    root.Write("file", "");
    editor.ScanAssetFolders(root.Folder() + "file");
    EXPECT_THAT(editor.SceneFiles(), IsEmpty());
    EXPECT_THAT(editor.PrefabFiles(), IsEmpty());
}
