#include "scriptlibrary.h"

#include <fstream>
#include <gtest/gtest.h>

#include "scripthost.h"

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace
{
const std::vector<std::string> kAllStaples = {"PassInput", "PassFactory", "PassPhysics",
                                              "PassAudio", "PassCore",    "PassDt"};

class ScriptLibraryTest : public testing::Test
{
protected:
    bool Load(const std::string& variant)
    {
        folders.Install(variant);
        return library.Load(folders.BuiltLibrary(), folders.LoadedCopy(), {});
    }

    ScriptHostFolders folders;
    ScriptLibrary library;
};

TEST_F(ScriptLibraryTest, LoadsTheCopyPassesTheStaplesInOrderAndKeepsOnePrototypePerName)
{
    CaptureStdout();
    ASSERT_TRUE(Load(FIXTURE_SCRIPTS_V1));
    EXPECT_EQ(GetCapturedStdout(), "\tLogic: Loading staple functions ... done\n"
                                   "\tLogic: Passing staple functions ... done\n"
                                   "\tLogic: Loading Scripts ... done (1 failed)\n");
    EXPECT_TRUE(std::filesystem::exists(folders.LoadedCopy()));
    EXPECT_TRUE(platform::DynamicLibrary::IsResident(folders.LoadedCopy()));
    EXPECT_FALSE(platform::DynamicLibrary::IsResident(folders.BuiltLibrary()));
    EXPECT_EQ(TakeFixtureLog(folders.LoadedCopy(), "FixtureStapleLog"), kAllStaples);

    // "Missing" has no factory; "Nothing"'s factory gives nothing but the name stays; "Counter" is listed twice.
    const std::vector<std::string> names = {"Alpha", "Beta",  "Counter", "Gamma",
                                            "Nothing", "Props", "Remover", "Sinker"};
    EXPECT_EQ(library.GetScriptNames(), names);
    EXPECT_TRUE(library.HasPrototype("Props"));
    EXPECT_FALSE(library.HasPrototype("Nothing"));
    EXPECT_FALSE(library.HasPrototype("Missing"));
}

TEST_F(ScriptLibraryTest, FindScriptClonesThePrototypeAndReportsWhatIsMissing)
{
    ASSERT_TRUE(Load(FIXTURE_SCRIPTS_V1));
    auto first = library.FindScript("Alpha");
    auto second = library.FindScript("Alpha");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(first->state, ScriptState::Created);
    EXPECT_EQ(first->owner, nullptr);

    for (const char* name : {"Nothing", "Missing", "Turret"})
    {
        CaptureStdout();
        EXPECT_EQ(library.FindScript(name), nullptr);
        EXPECT_EQ(GetCapturedStdout(), std::string("Can't find script '") + name + "'\n");
    }
}

TEST_F(ScriptLibraryTest, PassesTheStaplesAgainWithTheCurrentFrameTime)
{
    ASSERT_TRUE(Load(FIXTURE_SCRIPTS_V1));
    TakeFixtureLog(folders.LoadedCopy(), "FixtureStapleLog");
    StapleArguments arguments;
    arguments.dt = 0.25f;
    library.PassStapleFunctions(arguments);
    EXPECT_EQ(TakeFixtureLog(folders.LoadedCopy(), "FixtureStapleLog"), kAllStaples);

    platform::DynamicLibrary probe;
    ASSERT_TRUE(probe.Load(folders.LoadedCopy()));
    EXPECT_EQ(probe.FindFunction<float (*)()>("FixtureFrameTime")(), 0.25f);
}

TEST_F(ScriptLibraryTest, ReleaseDestroysThePrototypesAndReallyUnloads)
{
    ASSERT_TRUE(Load(FIXTURE_SCRIPTS_V1));
    EXPECT_TRUE(library.Release());
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_FALSE(platform::DynamicLibrary::IsResident(folders.LoadedCopy()));
    EXPECT_TRUE(library.GetScriptNames().empty());
    // Nothing of the old library can be called any more.
    library.PassStapleFunctions({});
    CaptureStdout();
    EXPECT_EQ(library.FindScript("Alpha"), nullptr);
    GetCapturedStdout();
}

TEST_F(ScriptLibraryTest, ReleaseReportsALibraryThatStaysLoaded)
{
    ASSERT_TRUE(Load(FIXTURE_SCRIPTS_V1));
    platform::DynamicLibrary holder;
    ASSERT_TRUE(holder.Load(folders.LoadedCopy()));
    CaptureStderr();
    EXPECT_FALSE(library.Release());
    EXPECT_NE(GetCapturedStderr().find("stays loaded"), std::string::npos);
}

struct BrokenVariant
{
    const char* label;
    std::string file;
    bool loads;
    std::string report;
    std::vector<std::string> staples;
    std::size_t scripts;
    std::string scriptsLine;
};

TEST_F(ScriptLibraryTest, BrokenLibrariesAreReportedAndBindWhatTheyHave)
{
    const std::string notALibrary = folders.LibraryFolder() + "notalibrary.txt";
    std::ofstream(notALibrary) << "not a shared object\n";
    const std::vector<std::string> withoutAudio = {"PassInput", "PassFactory", "PassPhysics", "PassCore", "PassDt"};
    const BrokenVariant variants[] = {
        {"missing PassAudio", FIXTURE_SCRIPTS_NO_PASSAUDIO, true, "Can't get PassAudio function", withoutAudio, 8, "done (1 failed)"},
        {"missing GetMonoList", FIXTURE_SCRIPTS_NO_MONOLIST, true, "Can't get monolist function", kAllStaples, 0, "done"},
        {"not a library", notALibrary, false, "Can't load DLL", {}, 0, ""},
    };
    for (const BrokenVariant& variant : variants)
    {
        SCOPED_TRACE(variant.label);
        CaptureStderr();
        CaptureStdout();
        EXPECT_EQ(Load(variant.file), variant.loads);
        const std::string out = GetCapturedStdout();
        EXPECT_NE(GetCapturedStderr().find(variant.report), std::string::npos);
        EXPECT_EQ(TakeFixtureLog(folders.LoadedCopy(), "FixtureStapleLog"), variant.staples);
        EXPECT_EQ(library.GetScriptNames().size(), variant.scripts);
        if (variant.loads)
        {
            EXPECT_NE(out.find("Loading Scripts ... " + variant.scriptsLine + "\n"), std::string::npos) << out;
        }
        library.Release();
    }
}

class LibraryWatchTest : public testing::Test
{
protected:
    void Write(const std::string& text)
    {
        std::ofstream(path, std::ios::trunc) << text;
    }
    void Touch(int seconds)
    {
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() +
                                                   std::chrono::seconds(seconds));
    }

    ScriptHostFolders folders;
    std::string path = folders.BuiltLibrary();
    LibraryWatch watch;
};

TEST_F(LibraryWatchTest, AChangeCountsOnceItHasSettledForTwoPolls)
{
    Write("build 1");
    watch.Record(path);
    EXPECT_FALSE(watch.Poll(path));

    Touch(5);
    EXPECT_FALSE(watch.Poll(path)); // seen once
    EXPECT_TRUE(watch.Poll(path));  // the same on the next poll
    EXPECT_FALSE(watch.Poll(path));

    // A file still being written (its size changes between polls) waits until it stops changing.
    Write("build 2, partly");
    Touch(10);
    EXPECT_FALSE(watch.Poll(path));
    Write("build 2, partly written, then finished");
    Touch(10);
    EXPECT_FALSE(watch.Poll(path));
    EXPECT_TRUE(watch.Poll(path));
}

TEST_F(LibraryWatchTest, AMissingFileIsNoChange)
{
    watch.Record(path);
    EXPECT_FALSE(watch.Poll(path));
    EXPECT_FALSE(watch.Poll(path));
    Write("appears");
    EXPECT_FALSE(watch.Poll(path));
    EXPECT_TRUE(watch.Poll(path));
    std::filesystem::remove(path);
    EXPECT_FALSE(watch.Poll(path));
    EXPECT_FALSE(watch.Poll(path));
}
}

TEST(ScriptLibraryBuild, TheGameLibraryUnloadsWhenFreed)
{
    // A library the loader cannot unload would keep its old code across every hot reload.
    platform::DynamicLibrary game;
    ASSERT_TRUE(game.Load(GAME_LIBRARY_PATH)) << game.Error();
    game.Free();
    EXPECT_FALSE(platform::DynamicLibrary::IsResident(GAME_LIBRARY_PATH));
}
