#pragma once
// Plays a fixture level on the engine's own systems and the built game library, at a fixed 1/60 s per frame.
//
//   LevelRunner runner("player", "Player");   // tests/data/levels/player/Assets laid over the generated assets
//   runner.Frames(30);                         // Core::Frame thirty times, each measuring 1/60 s
//   runner.Hold(SDLK_w);                       // a key pressed through the window's event pump ...
//   runner.Frames(20);
//   runner.Let(SDLK_w);                        // ... and released
//   runner.Position("Player"); runner.Object("Player").GetAnimator()->GetCurrentState(); runner.Physics() ...
//   runner.ReinstallLibrary();                 // the built library again: Logic reloads it in the next frame
//
// Everything lives in temporary folders: the asset tree, HOME with the per-user folder, and the library
// folder Logic watches. Needs an X display (the test command runs under Xvfb); the window stays hidden.
// The objects go before the library and the systems, as at the program's end.
#include "core.h"
#include "gameobject.h"
#include "mainwindow.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "physicssystem.h"
#include "scripthost.h"
#include "tempfolder.h"

#include <SDL2/SDL_keycode.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Skips the test (with the reason) where no level can run.
#define SKIP_UNLESS_LEVELS_CAN_RUN()                                                                             \
    do                                                                                                           \
    {                                                                                                            \
        std::string skipReason;                                                                                  \
        if (!LevelRunner::CanRun(skipReason))                                                                    \
            GTEST_SKIP() << skipReason;                                                                          \
    } while (false)

// The size the renderer draws at. The tests' default is tiny: Mesa's software rasteriser under the sanitizers
// takes seconds for a frame of the full window.
struct RunnerPicture
{
    int width = 64;
    int height = 40;
    int shadowMap = 64;
};

// Game plays the level as the program does; Editor opens it in the editor (`--editor`), shown but not run
// until the test presses Play.
enum class RunnerMode
{
    Game,
    Editor,
};

class LevelRunner
{
public:
    static constexpr float kFrameTime = 1.0f / 60.0f;

    // Copies the generated assets and the fixture folder tests/data/levels/<fixture> over them, starts the
    // systems on the built library, loads every prefab, the level Assets/XML/<level>.xml and its scene
    // settings Assets/SceneSettings/<level>Settings.xml when there are any. Fixtures joined by "+" are laid in
    // that order, a later one over the earlier ("player+boss"); no fixture ("") plays the shipped levels.
    LevelRunner(const std::string& fixture, const std::string& level, const RunnerPicture& picture = {},
                RunnerMode mode = RunnerMode::Game);
    ~LevelRunner();
    LevelRunner(const LevelRunner&) = delete;
    LevelRunner& operator=(const LevelRunner&) = delete;

    // False (with the reason) when there is no display to open the window on; nothing else then works.
    static bool CanRun(std::string& reason);

    void Frames(int count);
    // Key events for the next pump, as the window would get them from the user.
    void Hold(SDL_Keycode key);
    void Let(SDL_Keycode key);
    // The left mouse button, the same way.
    void HoldMouse();
    void LetMouse();
    // The built library installed again, dated later: the next frame's Logic update reloads it.
    void ReinstallLibrary();
    // Shows the window, for a look at the picture (the tests leave it hidden: a shown window takes the focus
    // from the other tests' windows on the display).
    void Show();

    // The live object of that name; the test fails (throws) without one.
    GameObject& Object(const std::string& name) const;
    Vector3 Position(const std::string& name) const;
    std::string AnimationState(const std::string& name) const;
    PhysicsSystem& Physics() const { return *core_->GetPhysics(); }
    ObjectFactory& Factory() const { return *factory_; }
    Core& GetCore() const { return *core_; }
    // The folder above Assets, ending with "/".
    std::string Root() const { return assets_.Folder(); }

    // One window for the process, kept to its end: closing it unloads the GL driver, and the leak check at
    // exit could then no longer tell the driver's own caches (suppressed by library name) from ours.
    static MainWindow& SharedWindow();

private:
    void LayAssets(const std::string& fixtures) const;
    void LoadLevel(const std::string& level);
    static void PushKey(SDL_Keycode key, bool down);
    static void PushMouse(bool down);

    TempFolder assets_;
    ScriptHostFolders folders_;
    MainWindow& window_;
    std::unique_ptr<Core> core_;
    std::unique_ptr<ObjectFactory> factory_;
    std::unique_ptr<MessagingSystem> messaging_;
};
