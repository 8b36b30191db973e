#include "mainwindow.h"

#include "audiosystem.h"
#include "core.h"
#include "graphics.h"
#include "inputsystem.h"

MainWindow* gMainWindow = nullptr;

namespace
{
void OnActivate(Core& core, bool active)
{
    if (AudioSystem* audio = core.GetAudio())
        audio->SetMasterPaused(!active);
    // Keys released while another window had the focus would otherwise stay down.
    if (InputSystem* input = core.GetInput())
        input->ClearKeys();
}

void OnSize(MainWindow& mainWindow, Core& core, int width, int height)
{
    // A minimised window reports nothing useful, and a zero height would break the aspect.
    if (width <= 0 || height <= 0)
        return;
    mainWindow.clientWidth = width;
    mainWindow.clientHeight = height;
    mainWindow.aspect = static_cast<float>(width) / height;
    // In the editor the scene view sizes both views to its picture.
    if (Graphics* graphics = core.GetGraphics(); graphics && !core.IsEditorMode())
        graphics->SetGameViewportSize(width, height);
}

void OnInput(InputSystem& input, const platform::Event& event)
{
    switch (event.type)
    {
    case platform::EventType::MouseMotion:
        input.AddRawMotion(static_cast<float>(event.x), static_cast<float>(event.y));
        break;
    case platform::EventType::Key:
        input.SetKey(event.key, event.down);
        break;
    case platform::EventType::Wheel:
        input.SetWheel(static_cast<float>(event.wheel));
        break;
    default:
        break;
    }
}
}

MainWindow::~MainWindow()
{
    if (gMainWindow == this)
        gMainWindow = nullptr;
}

bool CreateMainWindow(MainWindow& mainWindow, const std::string& title, int width, int height)
{
    gMainWindow = &mainWindow;
    mainWindow.clientWidth = width;
    mainWindow.clientHeight = height;
    mainWindow.aspect = static_cast<float>(width) / static_cast<float>(height);
    mainWindow.window = std::make_unique<platform::Window>(title, width, height);
    return mainWindow.window->IsOpen();
}

void ToggleFullscreen(MainWindow& mainWindow)
{
    if (mainWindow.window->SetFullscreen(!mainWindow.fullScreen))
        mainWindow.fullScreen = !mainWindow.fullScreen;
}

void WindowProc(MainWindow& mainWindow, Core& core, const platform::Event& event)
{
    switch (event.type)
    {
    case platform::EventType::Activate:
        OnActivate(core, event.down);
        break;
    case platform::EventType::Size:
        OnSize(mainWindow, core, event.x, event.y);
        break;
    case platform::EventType::Move:
        // Time spent dragging the window is no frame time.
        core.ResetFrameTimer();
        break;
    case platform::EventType::Quit:
        break;
    default:
        if (InputSystem* input = core.GetInput())
            OnInput(*input, event);
        break;
    }
}
