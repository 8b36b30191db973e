#include "program.h"

#include "audiosystem.h"
#include "configfile.h"
#include "console.h"
#include "core.h"
#include "graphics.h"
#include "helpers.h"
#include "inputsystem.h"
#include "mainwindow.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "platform/files.h"
#include "resourcemanager.h"
#include "startup.h"
#include "testrun.h"

#include <iostream>
#include <memory>

namespace
{
constexpr float StartupGamma = 1.25f;

void PrintBranchLine(const std::string& branch)
{
    PrintColoredLine(ConsoleColor::Cyan, "Currently in '" + branch + "' branch\n");
}

// Saves that were killed may have left their temporaries in the folders the program writes to.
void RemoveLeftoversOfKilledSaves(const std::string& rootFolder, const std::string& userFolder)
{
    for (const char* folder : {LevelFolder, PrefabFolder, "Assets/Materials", "Assets/SceneSettings"})
        platform::RemoveSaveLeftovers(rootFolder + folder);
    if (!userFolder.empty())
        platform::RemoveSaveLeftovers(userFolder);
}

// Every prefab, then the splash level, whose scripts lead on to the next level.
void LoadStartupContent(const ContentLoading& content, const std::string& rootFolder)
{
    for (const std::string& prefab : ListFolderFiles(rootFolder + PrefabFolder))
        content.LoadPrefabFile(prefab);
    content.SetLevelName(SplashLevelName);
    content.LoadLevelFile(rootFolder + SplashLevelPath, true);
}
} // namespace

int RunProgram(std::span<const char* const> arguments, const ProgramSetup& setup)
{
    const std::string userFolder = GetUserDataFolder();
    RemoveLeftoversOfKilledSaves(setup.rootFolder, userFolder);
    // First made; the renderer owns it once there is one.
    auto resources = std::make_unique<ResourceManager>(setup.rootFolder);
    resources->SetImporterProgram(setup.importerProgram);
    // Without a documents folder there is nowhere for the configuration to go.
    if (!userFolder.empty())
        EnsureConfigFile(userFolder + ConfigFileName);
    const std::string branch = ReadBranchName(ParentFolder(setup.rootFolder));
    const std::string titlePrefix = TitlePrefix(branch);

    MainWindow mainWindow;
    if (!CreateMainWindow(mainWindow, titlePrefix, setup.width, setup.height))
    {
        std::cerr << "Can't create the window: " << mainWindow.window->Error() << "\n";
        return 1;
    }
    Core core(*mainWindow.window, setup.rootFolder);
    Graphics& graphics = *core.GetGraphics();
    ResourceManager& loaded = *resources;
    graphics.SetResourceManager(std::move(resources));
    core.SetTitlePrefix(titlePrefix);
    mainWindow.window->SetEventHandler(
        [&mainWindow, &core](const platform::Event& event) { WindowProc(mainWindow, core, event); });
    if (mainWindow.show)
        mainWindow.window->Show();
    if (setup.fullScreen && !mainWindow.fullScreen)
        ToggleFullscreen(mainWindow);
    loaded.LoadAllResources();

    core.SetEditorMode(EditorModeRequested(arguments));
    core.SetTargetFrameRate(Core::kDefaultFrameRate);
    auto factory = std::make_unique<ObjectFactory>(setup.rootFolder);
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
    LoadStartupContent(content, setup.rootFolder);
    core.WaitForLoading(core.GetAudio()->GetLoadTasks(), loaded.modelTasks, [&loaded] { loaded.ProcessModels(); });

    if (IsTestRunRequested(""))
        RunTestHarness(core, TestRunSetup{"", setup.rootFolder, content});
    else
        setup.mainLoop(core);

    platform::Window::ShowCursor(true);
    input.SetCursorLock(false);
    // Nothing may be delivered to systems that are going away.
    messaging.reset();
    factory.reset();
    return 0;
}
