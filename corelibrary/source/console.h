#pragma once
#include <string_view>

// Console text colours, numbered as the engine's console attributes are.
enum class ConsoleColor : int
{
    Green = 2,
    White = 7,
    Cyan = 11,
    Red = 12,
    Yellow = 14,
};

// The terminal sequence for a colour; White restores the terminal's own colours.
std::string_view ConsoleColorSequence(ConsoleColor color);

// Switches the colour of what follows on standard output; does nothing when it is not a terminal or standard
// output has been pointed elsewhere.
void SetConsoleColor(ConsoleColor color);

// The line and a line end in the colour; the terminal's own colours follow.
void PrintColoredLine(ConsoleColor color, std::string_view line);
