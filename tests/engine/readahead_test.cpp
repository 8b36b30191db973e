#include "readahead.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Files of different sizes, with a missing file and a folder among them.
struct Files
{
    Files()
    {
        for (int n = 0; n < 40; ++n)
        {
            const std::string name = "file" + std::to_string(n);
            if (n % 13 == 5)
                paths.push_back(folder.Folder() + name + ".missing");
            else if (n == 20)
                paths.push_back(folder.Folder()); // a folder is not a file that can be read
            else
            {
                folder.Write(name, std::string(static_cast<std::size_t>(n) * 97, static_cast<char>('a' + n % 26)));
                paths.push_back(folder.Folder() + name);
            }
            expected.push_back(n % 13 == 5 || n == 20 ? std::nullopt : std::optional(folder.Read(name)));
        }
    }
    TempFolder folder;
    std::vector<std::string> paths;
    std::vector<std::optional<std::string>> expected;
};

TEST(FileReadAhead, GivesEveryFileInListOrderWhateverTheReadersAndBudget)
{
    const Files files;
    struct Case
    {
        std::size_t threads;
        std::size_t budget;
    };
    // A budget below the smallest file still lets the file waited for be read.
    for (const Case& c : {Case{0, FileReadAhead::kDefaultBudget}, Case{1, FileReadAhead::kDefaultBudget},
                          Case{3, FileReadAhead::kDefaultBudget}, Case{3, 1}, Case{8, 500}})
    {
        FileReadAhead reads(files.paths, c.threads, c.budget);
        for (std::size_t n = 0; n < files.paths.size(); ++n)
            EXPECT_EQ(reads.Take(files.paths[n]), files.expected[n])
                << "file " << n << " with " << c.threads << " readers and budget " << c.budget;
    }
}

TEST(FileReadAhead, EndsWithFilesNotTaken)
{
    const Files files;
    for (std::size_t budget : {std::size_t{1}, FileReadAhead::kDefaultBudget})
    {
        FileReadAhead reads(files.paths, 4, budget);
        EXPECT_EQ(reads.Take(files.paths[0]), files.expected[0]);
    }
    FileReadAhead untouched(files.paths, 4);
}
} // namespace
