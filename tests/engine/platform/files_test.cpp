#include "platform/files.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

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
