#pragma once
#include <functional>
#include <span>
#include <string>

class Core;

// What the program runs on: its folder (Assets/ and the script library; ending in a separator), the window and
// what drives the frames once everything is loaded (the player's program passes Core::Run).
struct ProgramSetup
{
    std::string rootFolder;
    int width = 1280;
    int height = 800;
    // Off for a window that keeps its size (the playthrough's); the program covers the display.
    bool fullScreen = true;
    std::function<void(Core&)> mainLoop;
};

// The whole program: configuration, window, systems, every prefab and the splash level, then the main loop
// (or the automated test run when the working folder asks for it), then shut-down. 0 on a normal end.
int RunProgram(std::span<const char* const> arguments, const ProgramSetup& setup);
