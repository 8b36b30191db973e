#include "platform/files.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

TEST(ReadFile, ReadsWholeFilesIntoAReusedBufferAndRefusesWhatIsNoFile)
{
    TempFolder folder;
    const std::string big(100000, 'x');
    folder.Write("big.bin", big);
    folder.Write("small.bin", std::string("a\0b", 3));
    folder.Write("empty.bin", "");
    folder.Write("sub/inner.txt", "inner");

    std::string bytes;
    ASSERT_TRUE(platform::ReadFile(folder.Folder() + "big.bin", bytes));
    EXPECT_EQ(bytes, big);
    // A smaller file after a bigger one: no tail of the bigger one is left.
    ASSERT_TRUE(platform::ReadFile(folder.Folder() + "small.bin", bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    ASSERT_TRUE(platform::ReadFile(folder.Folder() + "empty.bin", bytes));
    EXPECT_EQ(bytes, "");

    for (const char* name : {"missing.bin", "sub", ""})
    {
        bytes = "old";
        EXPECT_FALSE(platform::ReadFile(folder.Folder() + name, bytes)) << name;
        EXPECT_EQ(bytes, "") << name;
    }
}

TEST(WriteFileSafely, ReplacesTheFileWholeOrLeavesTheOldOneAndNoLeftovers)
{
    TempFolder folder;
    const std::string path = folder.Folder() + "level.xml";
    EXPECT_TRUE(platform::WriteFileSafely(path, "first"));
    EXPECT_TRUE(platform::WriteFileSafely(path, "second, longer"));
    EXPECT_EQ(folder.Read("level.xml"), "second, longer");

    // A folder in the way of the rename, and a folder that is not there.
    folder.Write("taken/inside.txt", "kept");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(platform::WriteFileSafely(folder.Folder() + "taken", "lost"));
    EXPECT_FALSE(platform::WriteFileSafely(folder.Folder() + "missing/level.xml", "lost"));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Error creating " + folder.Folder() + "taken"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Error creating " + folder.Folder() + "missing/level.xml"), std::string::npos) << errors;
    EXPECT_EQ(folder.Read("taken/inside.txt"), "kept");

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"level.xml", "taken"}));
}
