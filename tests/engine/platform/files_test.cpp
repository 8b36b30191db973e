#include "childprocess.h"
#include "platform/files.h"
#include "savegenerations.h"
#include "startup.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadText(const fs::path& file)
{
    std::string bytes;
    platform::ReadFile(file.string(), bytes);
    return bytes;
}

fs::perms Permissions(const fs::path& file)
{
    return fs::status(file).permissions();
}
} // namespace

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

    EXPECT_EQ(Names(folder.Path()), (std::vector<std::string>{"level.xml", "taken"}));
}

TEST(WriteFileSafely, KeepsTheReplacedFilesPermissionsAndWritesThroughLinks)
{
    TempFolder folder;
    folder.Write("real/level.xml", "old");
    fs::permissions(folder.Path() / "real/level.xml", fs::perms::owner_read | fs::perms::owner_write |
                                                          fs::perms::group_read);
    // A link to a link to the file, and a link to a file not made yet, both relative to their own folders.
    fs::create_directory(folder.Path() / "links");
    fs::create_symlink("../real/level.xml", folder.Path() / "links/first.xml");
    fs::create_symlink("first.xml", folder.Path() / "links/second.xml");
    fs::create_symlink("../real/new.xml", folder.Path() / "links/new.xml");

    EXPECT_TRUE(platform::WriteFileSafely(folder.Folder() + "links/second.xml", "new"));
    EXPECT_TRUE(platform::WriteFileSafely(folder.Folder() + "links/new.xml", "made"));
    EXPECT_EQ(folder.Read("real/level.xml"), "new");
    EXPECT_EQ(folder.Read("real/new.xml"), "made");
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "links/second.xml"));
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "links/first.xml"));
    EXPECT_EQ(Permissions(folder.Path() / "real/level.xml"),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(folder.Path() / "real"), (std::vector<std::string>{"level.xml", "new.xml"}));

    // A loop of links ends nowhere: refused and reported, nothing made.
    fs::create_symlink("loop-b", folder.Path() / "links/loop-a");
    fs::create_symlink("loop-a", folder.Path() / "links/loop-b");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(platform::WriteFileSafely(folder.Folder() + "links/loop-a", "lost"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Error creating " + folder.Folder() + "links/loop-a"),
              std::string::npos);
    EXPECT_EQ(Names(folder.Path() / "links"),
              (std::vector<std::string>{"first.xml", "loop-a", "loop-b", "new.xml", "second.xml"}));
}

// A save killed at any point leaves the old file or the whole new one, and a temporary no listing shows; the
// next save or the next start removes that. Five levels are saved and killed side by side, 250 kills in all.
TEST(WriteFileSafely, ASaveKilledAnywhereLeavesTheOldOrTheNewFileAndNothingListed)
{
    constexpr int kLevels = 5;
    constexpr auto kReadOnlyForOthers = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    TempFolder folder;
    std::vector<fs::path> levels;
    for (int n = 0; n < kLevels; ++n)
    {
        levels.push_back(folder.Path() / ("Assets" + std::to_string(n)) / "XML/Big.xml");
        fs::create_directories(levels.back().parent_path());
        ASSERT_TRUE(platform::WriteFileSafely(levels.back().string(), savegenerations::Contents(0)));
        fs::permissions(levels.back(), kReadOnlyForOthers);
    }

    std::mt19937 random(43);
    std::set<unsigned> seen;
    int leftovers = 0;
    unsigned next = 1;
    for (int round = 0; round < 50; ++round)
    {
        std::vector<std::unique_ptr<ChildProcess>> children;
        for (int n = 0; n < kLevels; ++n, next += 1000)
        {
            const std::string output = folder.Folder() + "child" + std::to_string(n);
            children.push_back(std::make_unique<ChildProcess>(SAVE_CHILD_PATH,
                                                              std::vector<std::string>{levels[n], std::to_string(next)},
                                                              folder.Folder(), output + ".out", output + ".err",
                                                              std::map<std::string, std::string>{}));
            ASSERT_TRUE(children.back()->Started());
        }
        // From their first saves on, each somewhere in its next two or so.
        for (int n = 0; n < kLevels; ++n)
            for (int waited = 0; fs::file_size(folder.Path() / ("child" + std::to_string(n) + ".out")) == 0 &&
                                 waited < 10000;
                 ++waited)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::vector<std::pair<int, int>> kills;
        for (int n = 0; n < kLevels; ++n)
            kills.emplace_back(static_cast<int>(random() % 50000), n);
        std::sort(kills.begin(), kills.end());
        const auto start = std::chrono::steady_clock::now();
        for (const auto& [at, n] : kills)
        {
            std::this_thread::sleep_until(start + std::chrono::microseconds(at));
            children[n]->Signal(SIGKILL);
        }
        children.clear();

        for (const fs::path& level : levels)
        {
            const std::optional<unsigned> generation = savegenerations::WholeGeneration(ReadText(level));
            ASSERT_TRUE(generation.has_value()) << "round " << round << " " << level;
            seen.insert(*generation);
            ASSERT_EQ(Permissions(level), kReadOnlyForOthers);
            const std::vector<std::string> names = Names(level.parent_path());
            leftovers += names.size() > 1;
            ASSERT_EQ(ListFolderFiles(level.parent_path().string()), std::vector<std::string>{level.string()});
            for (const std::string& name : names)
                ASSERT_TRUE(name == "Big.xml" || name == ".saving-Big_xml") << name;
        }
    }
    // The kills fell inside saves as well as between them.
    EXPECT_GT(leftovers, 0);
    EXPECT_GT(seen.size(), 10u);

    const fs::path& level = levels.front();
    folder.Write("Assets0/XML/.saving-Big_xml", "left by a killed save");
    EXPECT_TRUE(platform::WriteFileSafely(level.string(), savegenerations::Contents(7)));
    EXPECT_EQ(Names(level.parent_path()), std::vector<std::string>{"Big.xml"});
    folder.Write("Assets0/XML/.saving-Big_xml", "left by a killed save");
    platform::RemoveSaveLeftovers(level.parent_path().string());
    EXPECT_EQ(Names(level.parent_path()), std::vector<std::string>{"Big.xml"});
    EXPECT_EQ(savegenerations::WholeGeneration(ReadText(level)), 7u);
}

TEST(RemoveSaveLeftovers, RemovesDeadSavesTemporariesButNotThoseOfRunningSavesNorOtherFiles)
{
    TempFolder folder;
    for (const char* name : {".saving-Dead_xml", ".saving-Held_xml", "Old.xml.saving-AbC123", "Level.xml",
                             "notes.saving-x", ".hidden"})
        folder.Write(name, "text");
    // A save under way holds a lock on its temporary.
    const int held = open((folder.Folder() + ".saving-Held_xml").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    platform::RemoveSaveLeftovers(folder.Folder());
    EXPECT_EQ(Names(folder.Path()),
              (std::vector<std::string>{".hidden", ".saving-Held_xml", "Level.xml", "notes.saving-x"}));
    // A second save of the same file meanwhile is refused, and leaves the running one's temporary.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(platform::WriteFileSafely(folder.Folder() + "Held.xml", "second"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Error creating " + folder.Folder() + "Held.xml"),
              std::string::npos);
    EXPECT_EQ(folder.Read(".saving-Held_xml"), "text");
    close(held);
    platform::RemoveSaveLeftovers(folder.Folder() + "missing");
}
