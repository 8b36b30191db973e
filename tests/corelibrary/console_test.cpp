#include "console.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

TEST(ConsoleColor, EachAttributeHasItsOwnSequenceAndWhiteResets)
{
    EXPECT_EQ(ConsoleColorSequence(ConsoleColor::White), "\033[0m");
    const ConsoleColor colors[] = {ConsoleColor::Green, ConsoleColor::Cyan, ConsoleColor::Red, ConsoleColor::Yellow};
    std::set<std::string_view> seen;
    for (ConsoleColor color : colors)
    {
        EXPECT_TRUE(ConsoleColorSequence(color).starts_with("\033[")) << static_cast<int>(color);
        seen.insert(ConsoleColorSequence(color));
    }
    EXPECT_EQ(seen.size(), 4u);
}

TEST(ConsoleColor, WritesNothingWhenOutputIsNotATerminal)
{
    // Under ctest standard output is a pipe, as it is when the game's output is logged.
    std::ostringstream captured;
    auto* previous = std::cout.rdbuf(captured.rdbuf());
    SetConsoleColor(ConsoleColor::Red);
    std::cout << "text";
    SetConsoleColor(ConsoleColor::White);
    std::cout.rdbuf(previous);
    EXPECT_EQ(captured.str(), "text");
}

TEST(ConsoleColor, ColoredLineOffATerminalIsTheLineAndALineEnd)
{
    std::ostringstream captured;
    auto* previous = std::cout.rdbuf(captured.rdbuf());
    PrintColoredLine(ConsoleColor::Yellow, "done (2 failed)");
    std::cout.rdbuf(previous);
    EXPECT_EQ(captured.str(), "done (2 failed)\n");
}
