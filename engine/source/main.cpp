#include "audiosystem.h"
#include "configfile.h"
#include "console.h"
#include "core.h"
#include "fixedsteps.h"
#include "graphics.h"
#include "helpers.h"
#include "inputsystem.h"
#include "mainwindow.h"
#include "messagingsystem.h"
#include "modelimport.h"
#include "objectfactory.h"
#include "platform/childprocess.h"
#include "resourcemanager.h"
#include "startup.h"
#include "testrun.h"

#include <iostream>
#include <memory>
#include <span>

namespace
{
constexpr float StartupGamma = 1.25f;

struct Folders
{
    std::string executable;
    std::string parent;
    std::string user;
};

void PrintBranchLine(const std::string& branch)
{
    PrintColoredLine(ConsoleColor::Cyan, "Currently in '" + branch + "' branch\n");
}

// Every prefab, then the splash level, whose scripts lead on to the next level.
void LoadStartupContent(const ContentLoading& content, const std::string& executableFolder)
{
    for (const std::string& prefab : ListFolderFiles(executableFolder + PrefabFolder))
        content.LoadPrefabFile(prefab);
    content.SetLevelName(SplashLevelName);
    content.LoadLevelFile(executableFolder + SplashLevelPath, true);
}

// The loaded game runs in `loop`: Core::Run, or the fixed steps of a scripted run.
int RunProgram(std::span<const char* const> arguments, const MainLoop& loop)
{
    // First made; the renderer owns it once there is one.
    auto resources = std::make_unique<ResourceManager>();
    resources->SetImporterProgram(platform::ExecutablePath());
    Folders folders;
    folders.executable = GetExecutableFolder();
    folders.parent = ParentFolder(folders.executable);
    folders.user = GetUserDataFolder();
    // Without a documents folder there is nowhere for the configuration to go.
    if (!folders.user.empty())
        EnsureConfigFile(folders.user + ConfigFileName);
    const std::string branch = ReadBranchName(folders.parent);
    const std::string titlePrefix = TitlePrefix(branch);

    MainWindow mainWindow;
    if (!CreateMainWindow(mainWindow, titlePrefix))
    {
        std::cerr << "Can't create the window: " << mainWindow.window->Error() << "\n";
        return 1;
    }
    Core core(*mainWindow.window);
    Graphics& graphics = *core.GetGraphics();
    ResourceManager& loaded = *resources;
    graphics.SetResourceManager(std::move(resources));
    core.SetTitlePrefix(titlePrefix);
    mainWindow.window->SetEventHandler(
        [&mainWindow, &core](const platform::Event& event) { WindowProc(mainWindow, core, event); });
    if (mainWindow.show)
        mainWindow.window->Show();
    if (!mainWindow.fullScreen)
        ToggleFullscreen(mainWindow);
    loaded.LoadAllResources();

    core.SetEditorMode(EditorModeRequested(arguments));
    core.SetTargetFrameRate(Core::kDefaultFrameRate);
    auto factory = std::make_unique<ObjectFactory>(folders.executable);
    const ContentLoading content = FactoryContent(*factory);
    auto messaging = std::make_unique<MessagingSystem>(core.MessageReceivers());
    graphics.settings.drawColliders = false;
    core.SetGamma(StartupGamma);
    PrintBranchLine(branch);
    core.Init();

    InputSystem& input = *core.GetInput();
    // The editor needs its pointer: a locked cursor is put back at the window centre every frame.
    if (!core.IsEditorMode())
    {
        platform::Window::ShowCursor(false);
        input.SetCursorLock(true);
    }
    LoadStartupContent(content, folders.executable);
    core.WaitForLoading(core.GetAudio()->GetLoadTasks(), loaded.modelTasks, [&loaded] { loaded.ProcessModels(); });

    if (IsTestRunRequested(""))
        RunTestHarness(core, TestRunSetup{"", folders.executable, content});
    else
        loop(core);

    platform::Window::ShowCursor(true);
    input.SetCursorLock(false);
    // Nothing may be delivered to systems that are going away.
    messaging.reset();
    factory.reset();
    return 0;
}
}

int main(int argc, char* argv[])
{
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    // A child reading one model file for the program; nothing else starts.
    if (const std::optional<ModelImportRequest> request = ModelImportRequested(arguments))
        return RunModelImport(*request);
    return RunProgram(arguments, [](Core& core) { core.Run(); });
}
