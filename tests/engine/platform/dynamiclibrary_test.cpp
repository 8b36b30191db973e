#include "platform/dynamiclibrary.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using platform::DynamicLibrary;

TEST(DynamicLibrary, LoadsFindsAndFrees)
{
    DynamicLibrary library;
    ASSERT_TRUE(library.Load(TEST_LIBRARY_PATH)) << library.Error();
    auto answer = library.FindFunction<int (*)()>("TestLibraryAnswer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);

    EXPECT_EQ(library.Find("NoSuchFunction"), nullptr);
    EXPECT_NE(library.Error().find("NoSuchFunction"), std::string::npos) << library.Error();

    library.Free();
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.Find("TestLibraryAnswer"), nullptr);
}

TEST(DynamicLibrary, FreeingReportsALibraryThatStaysInMemory)
{
    DynamicLibrary library;
    ASSERT_TRUE(library.Load(TEST_LIBRARY_PATH));
    EXPECT_TRUE(library.Free()) << library.Error();
    EXPECT_FALSE(DynamicLibrary::IsResident(TEST_LIBRARY_PATH));

    // A second handle to the file.
    DynamicLibrary other;
    ASSERT_TRUE(library.Load(TEST_LIBRARY_PATH));
    ASSERT_TRUE(other.Load(TEST_LIBRARY_PATH));
    EXPECT_FALSE(library.Free());
    EXPECT_NE(library.Error().find("stays loaded"), std::string::npos) << library.Error();
    EXPECT_TRUE(other.Free()) << other.Error();

    // A living thread that holds one of the library's thread-local objects.
    ASSERT_TRUE(library.Load(TEST_LIBRARY_PATH));
    auto threadValue = library.FindFunction<int (*)()>("TestLibraryThreadValue");
    ASSERT_NE(threadValue, nullptr);
    std::promise<void> made;
    std::promise<void> freed;
    std::thread holder([&] {
        threadValue();
        made.set_value();
        freed.get_future().wait();
    });
    made.get_future().wait();
    EXPECT_FALSE(library.Free());
    EXPECT_NE(library.Error().find(TEST_LIBRARY_PATH), std::string::npos) << library.Error();
    freed.set_value();
    holder.join();
}

TEST(DynamicLibrary, MissingOrBrokenFileReportsTheLoaderText)
{
    DynamicLibrary library;
    EXPECT_FALSE(library.Load("/nonexistent/Game.so"));
    EXPECT_NE(library.Error().find("/nonexistent/Game.so"), std::string::npos) << library.Error();

    EXPECT_FALSE(library.Load(__FILE__)); // not a shared object
    EXPECT_FALSE(library.Error().empty());
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DynamicLibrary, MovedLibraryStaysLoadedOnce)
{
    DynamicLibrary first;
    ASSERT_TRUE(first.Load(TEST_LIBRARY_PATH));
    DynamicLibrary second = std::move(first);
    EXPECT_FALSE(first.IsLoaded());
    EXPECT_NE(second.Find("TestLibraryAnswer"), nullptr);
}

TEST(DynamicLibrary, ScriptLibraryExportsOnlyItsBoundary)
{
    EXPECT_STREQ(DynamicLibrary::Suffix(), ".so");
    DynamicLibrary game;
    ASSERT_TRUE(game.Load(GAME_LIBRARY_PATH)) << game.Error();
    auto passDt = game.FindFunction<void (*)(float)>("PassDt");
    ASSERT_NE(passDt, nullptr);
    passDt(1.0f / 60.0f);
}
