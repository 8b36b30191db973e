// The test programs' main. ctest starts a program once per test file (--source=tests/<folder>/<file>.cpp)
// rather than once per test: a sanitized program takes longer to start than most of its tests take to run. With NEKTARU_NO_SKIPS set
// (the test command's run) a skipped test fails the run, so tests that quietly found no display show up.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace
{
constexpr std::string_view kSourceFlag = "--source=";
// ctest's SKIP_RETURN_CODE for the file runs: every test that ran passed, some were skipped.
constexpr int kSkipped = 77;

// Takes --source=<file> out of the arguments gtest sees; empty when it is not there.
std::string TakeSourceFlag(int& argc, char** argv)
{
    std::string source;
    int kept = 1;
    for (int i = 1; i < argc; ++i)
    {
        if (std::string_view(argv[i]).starts_with(kSourceFlag))
            source = argv[i] + kSourceFlag.size();
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return source;
}

// The filter that selects the tests written in one source file, named from the source tree's root. The end of
// the compiler's file name is compared: ccache hands the compiler relative paths.
std::string FilterForSource(const std::string& source)
{
    const std::string ending = "/" + source;
    std::string filter;
    const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
    for (int s = 0; s < tests.total_test_suite_count(); ++s)
    {
        const testing::TestSuite& suite = *tests.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t)
        {
            const testing::TestInfo& test = *suite.GetTestInfo(t);
            if (source != test.file() && !std::string_view(test.file()).ends_with(ending))
                continue;
            filter += filter.empty() ? "" : ":";
            filter += std::string(test.test_suite_name()) + "." + test.name();
        }
    }
    return filter;
}

std::vector<std::string> SkippedTests()
{
    std::vector<std::string> skipped;
    const testing::UnitTest& tests = *testing::UnitTest::GetInstance();
    for (int s = 0; s < tests.total_test_suite_count(); ++s)
    {
        const testing::TestSuite& suite = *tests.GetTestSuite(s);
        for (int t = 0; t < suite.total_test_count(); ++t)
        {
            const testing::TestInfo& test = *suite.GetTestInfo(t);
            if (test.should_run() && test.result()->Skipped())
                skipped.push_back(std::string(test.test_suite_name()) + "." + test.name());
        }
    }
    return skipped;
}

bool SkipsFail()
{
    const char* noSkips = std::getenv("NEKTARU_NO_SKIPS");
    return noSkips && std::strcmp(noSkips, "0") != 0;
}
}

int main(int argc, char** argv)
{
    const std::string source = TakeSourceFlag(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    if (!source.empty())
    {
        const std::string filter = FilterForSource(source);
        if (filter.empty())
        {
            std::cerr << "No tests are written in " << source << "\n";
            return 1;
        }
        GTEST_FLAG_SET(filter, filter);
    }
    if (RUN_ALL_TESTS() != 0)
        return 1;
    const std::vector<std::string> skipped = SkippedTests();
    if (skipped.empty())
        return 0;
    if (!SkipsFail())
        return source.empty() ? 0 : kSkipped;
    std::cerr << "NEKTARU_NO_SKIPS is set, and these tests were skipped:\n";
    for (const std::string& name : skipped)
        std::cerr << "  " << name << "\n";
    return 1;
}
