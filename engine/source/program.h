#pragma once
#include "fixedsteps.h"

#include <span>
#include <string>

// What the program runs on: its folder (Assets/ and the script library; ending in a separator), the window and
// what drives the frames once everything is loaded (the player's program passes Core::Run, a scripted run its
// fixed steps).
struct ProgramSetup
{
    std::string rootFolder;
    int width = 1280;
    int height = 800;
    // Off for a window that keeps its size (the playthrough's); the program covers the display.
    bool fullScreen = true;
    MainLoop mainLoop;
    // The program that reads model files in its import mode: the running program itself, or the built one for
    // a start-up inside a test.
    std::string importerProgram;
};

// The whole program: configuration, window, systems, every prefab and the splash level, then the main loop
// (or the automated test run when the working folder asks for it), then shut-down. 0 on a normal end.
int RunProgram(std::span<const char* const> arguments, const ProgramSetup& setup);
