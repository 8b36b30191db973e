#include "editorconsole.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iostream>

using ::testing::ElementsAre;

TEST(EditorConsole, TheEditorConsoleHoldsAcrossFramesAndSplitsWhatItCaughtIntoLines)
{
    std::streambuf* const terminal = std::cout.rdbuf();
    {
        EditorConsole console;
        EXPECT_TRUE(console.WindowConsoleChosen());
        console.Switch();
        EXPECT_FALSE(console.WindowConsoleChosen());
        std::cout << "first\nsecond\n" << "no line end";
        // The next frame routes output again: the editor console stays chosen.
        console.RouteOutput();
        std::cout << ", yet";
        console.FlushCapturedOutput();
        EXPECT_THAT(console.Lines(), ElementsAre("Editor Console. Press Alt-F1 to switch to Window console", "first",
                                                 "second", "no line end, yet"));

        // Flushed text stays in the capture until the window has shown it; an empty capture adds nothing.
        console.ClearCapture();
        console.FlushCapturedOutput();
        EXPECT_EQ(console.Lines().size(), 4u);
        EXPECT_NE(std::cout.rdbuf(), terminal);
    }
    // Destroyed while chosen: output must not go on into the freed capture.
    EXPECT_EQ(std::cout.rdbuf(), terminal);
}

TEST(EditorConsole, SwitchingBackAnnouncesItselfInTheWindowConsole)
{
    testing::internal::CaptureStdout();
    {
        EditorConsole console;
        console.Switch();
        console.Switch();
        std::cout << "after" << std::endl;
        console.FlushCapturedOutput();
        EXPECT_TRUE(console.WindowConsoleChosen());
        EXPECT_THAT(console.Lines(), ElementsAre("Editor Console. Press Alt-F1 to switch to Window console"));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Window Console. Press Alt-F1 to switch to Editor console\nafter\n");
}
