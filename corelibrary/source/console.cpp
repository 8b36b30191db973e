#include "console.h"

#include <iostream>
#include <unistd.h>

namespace
{
// Standard output's own buffer: output sent elsewhere (the editor's console capture) gets no escape sequences.
std::streambuf* const gStandardOutput = std::cout.rdbuf();
}

std::string_view ConsoleColorSequence(ConsoleColor color)
{
    switch (color)
    {
    case ConsoleColor::Green: return "\033[32m";
    case ConsoleColor::Cyan: return "\033[96m";
    case ConsoleColor::Red: return "\033[91m";
    case ConsoleColor::Yellow: return "\033[93m";
    case ConsoleColor::White: break;
    }
    return "\033[0m";
}

void SetConsoleColor(ConsoleColor color)
{
    static const bool isTerminal = isatty(STDOUT_FILENO) != 0;
    if (isTerminal && std::cout.rdbuf() == gStandardOutput)
        std::cout << ConsoleColorSequence(color);
}

void PrintColoredLine(ConsoleColor color, std::string_view line)
{
    SetConsoleColor(color);
    std::cout << line << std::endl;
    SetConsoleColor(ConsoleColor::White);
}
