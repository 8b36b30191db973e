#pragma once
#include "platform/events.h"
#include "platform/window.h"

#include <memory>
#include <string>

class Core;

// The game window and what the window procedure keeps about it.
struct MainWindow
{
    MainWindow() = default;
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    static constexpr int DefaultWidth = 1280;
    static constexpr int DefaultHeight = 800;

    std::unique_ptr<platform::Window> window;
    bool show = true;
    bool fullScreen = false;
    float aspect = static_cast<float>(DefaultWidth) / DefaultHeight;
    int clientWidth = DefaultWidth;
    int clientHeight = DefaultHeight;
};

// The one main window; null before it is created and after it is gone.
extern MainWindow* gMainWindow;

// Creates the hidden window of the given client size centred on the work area and publishes the record; false
// when that failed.
bool CreateMainWindow(MainWindow& mainWindow, const std::string& title, int width = MainWindow::DefaultWidth,
                      int height = MainWindow::DefaultHeight);

// Between the window and a borderless window over the whole display; the flag follows only a switch that worked.
void ToggleFullscreen(MainWindow& mainWindow);

// What the window does with each event: activation, size, move, mouse, keys and wheel. (Quit ends Core's loop.)
void WindowProc(MainWindow& mainWindow, Core& core, const platform::Event& event);
