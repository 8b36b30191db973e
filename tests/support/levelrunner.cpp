#include "levelrunner.h"

#include "animatorinterface.h"
#include "audiosystem.h"
#include "fixedsteps.h"
#include "graphics.h"
#include "logic.h"
#include "resourcemanager.h"
#include "startup.h"
#include "transforminterface.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace
{
// The loopback device the audio mixes into: nothing is heard and no sound device is needed.
constexpr int kLoopbackRate = 48000;
}

MainWindow& LevelRunner::SharedWindow()
{
    static MainWindow* shared = [] {
        // A fresh Xvfb now and then refuses the first GL context (GLXBadFBConfig); the next try gets one.
        constexpr int kTries = 3;
        auto* made = new MainWindow;
        for (int tried = 1; !CreateMainWindow(*made, "Nektaru level runner"); ++tried)
        {
            if (tried == kTries)
                throw std::runtime_error("LevelRunner: no window: " + made->window->Error());
            made->window.reset();
        }
        return made;
    }();
    return *shared;
}

LevelRunner::LevelRunner(const std::string& fixture, const std::string& level, const RunnerPicture& picture,
                         RunnerMode mode)
    : window_(SharedWindow())
{
    LayAssets(fixture);
    folders_.Install(GAME_LIBRARY_PATH);
    const std::string root = Root();
    const Core::SystemCreator engine = EngineSystems(window_.window.get());
    core_ = std::make_unique<Core>(
        [&](SystemId id) -> std::unique_ptr<System> {
            if (id == SystemId::Logic)
                return std::make_unique<Logic>(folders_.LibraryFolder(), folders_.UserFolder());
            if (id == SystemId::Audio)
                return std::make_unique<AudioSystem>(root, kLoopbackRate);
            if (id == SystemId::Graphics)
            {
                auto graphics = std::make_unique<Graphics>(window_.window.get(), picture.width, picture.height);
                graphics->settings.shadowMapWidth = picture.shadowMap;
                graphics->settings.shadowMapHeight = picture.shadowMap;
                return graphics;
            }
            return engine(id);
        },
        window_.window.get());
    window_.window->SetEventHandler([this](const platform::Event& event) { WindowProc(window_, *core_, event); });
    auto resources = std::make_unique<ResourceManager>(root);
    ResourceManager& loaded = *resources;
    core_->GetGraphics()->SetResourceManager(std::move(resources));
    factory_ = std::make_unique<ObjectFactory>(root);
    messaging_ = std::make_unique<MessagingSystem>(core_->MessageReceivers());
    core_->SetTargetFrameRate(Core::kDefaultFrameRate);
    core_->SetEditorMode(mode == RunnerMode::Editor);

    testing::internal::CaptureStdout();
    loaded.LoadAllResources();
    core_->Init();
    // The editor's window states of another test must not carry over through the working folder.
    if (core_->IsEditorMode())
        ImGui::GetIO().IniFilename = nullptr;
    LoadLevel(level);
    core_->WaitForLoading(core_->GetAudio()->GetLoadTasks(), loaded.modelTasks, [&loaded] { loaded.ProcessModels(); });
    testing::internal::GetCapturedStdout();
}

LevelRunner::~LevelRunner()
{
    window_.window->SetEventHandler(nullptr);
    messaging_.reset();
    factory_.reset();
    core_.reset();
}

bool LevelRunner::CanRun(std::string& reason)
{
    if (std::getenv("DISPLAY"))
        return true;
    reason = "needs an X display (the test command runs under Xvfb)";
    return false;
}

void LevelRunner::LayAssets(const std::string& fixtures) const
{
    namespace fs = std::filesystem;
    fs::copy(NEKTARU_ASSETS_DIR, assets_.Path() / "Assets", fs::copy_options::recursive);
    if (fixtures.empty())
        return;
    for (std::size_t begin = 0, end = 0; end != std::string::npos; begin = end + 1)
    {
        end = fixtures.find('+', begin);
        const fs::path fixtureFolder = fs::path(NEKTARU_TEST_DATA) / "levels" / fixtures.substr(begin, end - begin);
        if (!fs::is_directory(fixtureFolder))
            throw std::runtime_error("LevelRunner: no fixture folder " + fixtureFolder.string());
        fs::copy(fixtureFolder, assets_.Path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
}

void LevelRunner::LoadLevel(const std::string& level)
{
    for (const std::string& prefab : ListFolderFiles(Root() + PrefabFolder))
        factory_->LoadPrefabFile(prefab);
    factory_->SetLevelName(level);
    // The editor shows a level without handing it to the systems that would run it.
    factory_->LoadLevelFile(Root() + LevelFolder + "/" + level + ".xml", !core_->IsEditorMode());
    const std::string settings = Root() + "Assets/SceneSettings/" + level + "Settings.xml";
    if (std::filesystem::exists(settings))
        factory_->LoadSceneSettings(settings);
}

void LevelRunner::Frames(int count)
{
    RunFixedSteps(*core_, count);
}

void LevelRunner::Hold(SDL_Keycode key)
{
    PushKey(key, true);
}

void LevelRunner::Let(SDL_Keycode key)
{
    PushKey(key, false);
}

void LevelRunner::PushKey(SDL_Keycode key, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

void LevelRunner::HoldMouse()
{
    PushMouse(true);
}

void LevelRunner::LetMouse()
{
    PushMouse(false);
}

void LevelRunner::PushMouse(bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

void LevelRunner::ReinstallLibrary()
{
    folders_.Install(GAME_LIBRARY_PATH);
}

void LevelRunner::Show()
{
    window_.window->Show();
}

GameObject& LevelRunner::Object(const std::string& name) const
{
    GameObject* object = factory_->FindObject(name);
    if (!object)
        throw std::runtime_error("LevelRunner: no live object " + name);
    return *object;
}

Vector3 LevelRunner::Position(const std::string& name) const
{
    return Object(name).GetTransform()->GetPosition();
}

std::string LevelRunner::AnimationState(const std::string& name) const
{
    AnimatorInterface* animator = Object(name).GetAnimator();
    return animator ? animator->GetCurrentState() : std::string();
}
