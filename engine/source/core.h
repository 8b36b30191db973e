#pragma once
#include "coreinterface.h"
#include "helpers.h"
#include "system.h"

#include <array>
#include <cstddef>
#include <functional>
#include <future>
#include <list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform
{
class Window;
}

class InputSystem;
class Logic;
class Graphics;
class PhysicsSystem;
class AudioSystem;
class Editor;
class AIController;

// A piece of work running on another thread that the frame waits for once it is done.
struct AsyncTask
{
    std::string name;
    std::future<void> future;
};

// Owns the engine systems, runs the main loop and the frame, and keeps the frame time every system reads.
class Core final : public CoreInterface
{
public:
    // Makes the system with the given id; Core asks in creation order.
    using SystemCreator = std::function<std::unique_ptr<System>(SystemId)>;

    static constexpr float kDefaultFrameRate = 60.0f;
    static constexpr float kMinTimeScale = 0.01f;

    // The engine's systems for this main window, with the script library and sounds under rootFolder.
    explicit Core(platform::Window& window, const std::string& rootFolder = GetExecutableFolder());
    // Systems from `create`; without a window there are no events and the window counts as active.
    explicit Core(const SystemCreator& create, platform::Window* window = nullptr);
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // CoreInterface
    void SetTimeScale(float scale) override;
    void AddTimeScale(float delta) override;
    float GetTimeScale() const override { return timeScale_; }
    float GetTotalTime() const override { return totalTime_; }
    void ResetEditorCamera() override;
    void SetMainCamera(const std::uint64_t& objectId) override;
    void SetGamma(const float& gamma) override;
    float GetGamma() const override;
    void SetRunning(bool running) override { running_ = running; }
    bool IsRunning() const override { return running_; }
    void SetPaused(bool paused) override;
    bool IsPaused() const override { return paused_; }

    void Init();
    // Waits for the start-up loads, sounds before models, then lets `processModels` finish the models.
    void WaitForLoading(std::span<std::future<void>> soundLoads, std::span<std::future<void>> modelLoads,
                        const std::function<void()>& processModels);
    // The main loop, until running is switched off or the window is closed.
    void Run();
    void Frame();
    // Updates one system, timing it for the profiler.
    void UpdateSystem(System& system);
    // Handles the window's waiting events; closing the window switches running off.
    void PumpMessages();

    void AddAsyncTask(std::string name, std::future<void> future);
    // Collects finished tasks (every task, waiting, with `waitForAll`); a task's exception is raised again.
    void PollAsyncTasks(bool waitForAll);
    std::size_t AsyncTaskCount() const { return tasks_.size(); }

    // The editor's Play state; locks and captures the cursor while playing.
    void SetPlaying(bool playing);
    bool IsPlaying() const { return playing_; }
    void SetEditorMode(bool on) { editorMode_ = on; }
    bool IsEditorMode() const { return editorMode_; }

    // Seconds of the current frame.
    float GetFrameTime() const { return frameTime_; }
    void SetTargetFrameRate(float framesPerSecond);
    float GetTargetFrameRate() const { return targetFrameRate_; }
    float GetTargetFrameTime() const { return targetFrameTime_; }
    // Keeps the time since the last frame (loading, moving the window) out of the next one.
    void ResetFrameTimer();

    void SetTitlePrefix(std::string prefix) { titlePrefix_ = std::move(prefix); }
    // How the object factory's destroy queue is flushed; the frame calls it where destroyed objects may go.
    void SetFlushDestroyed(std::function<void()> flush) { flushDestroyed_ = std::move(flush); }

    // The systems that receive messages, in delivery order: Input, Logic, Graphics, Physics, Audio, AI.
    std::vector<System*> MessageReceivers() const;
    // Accumulated update seconds of every system updated so far.
    const std::map<SystemId, double>& SystemTimes() const { return systemTimes_; }

    // The engine's systems; null when Core was given other systems in their place.
    InputSystem* GetInput() const { return input_; }
    Logic* GetLogic() const { return logic_; }
    Graphics* GetGraphics() const { return graphics_; }
    PhysicsSystem* GetPhysics() const { return physics_; }
    AudioSystem* GetAudio() const { return audio_; }
    Editor* GetEditor() const { return editor_; }
    AIController* GetAI() const { return ai_; }

private:
    enum Slot : std::size_t
    {
        InputSlot,
        LogicSlot,
        GraphicsSlot,
        PhysicsSlot,
        AudioSlot,
        EditorSlot,
        AISlot,
        SlotCount
    };

    System& At(Slot slot) const { return *systems_[slot]; }
    void MeasureFrameTime();
    bool WindowIsActive() const;
    void RunActiveFrame();
    // Waits out the rest of the target frame time; the seconds since frameStart.
    double CapFrame(double frameStart) const;
    void FlushDestroyed();
    void EndInputFrame();
    void UpdateTargetFrameTime();

    platform::Window* window_;
    // In creation order; destroyed in the reverse order.
    std::array<std::unique_ptr<System>, SlotCount> systems_;
    InputSystem* input_ = nullptr;
    Logic* logic_ = nullptr;
    Graphics* graphics_ = nullptr;
    PhysicsSystem* physics_ = nullptr;
    AudioSystem* audio_ = nullptr;
    Editor* editor_ = nullptr;
    AIController* ai_ = nullptr;

    bool running_ = true;
    bool paused_ = false;
    bool editorMode_ = false;
    bool playing_ = false;

    float targetFrameRate_ = 0.0f;
    float targetFrameTime_ = 0.0f;
    float timeScale_ = 1.0f;
    float frameTime_ = 0.0f;
    float totalTime_ = 0.0f;
    double lastStamp_;
    bool frameTimerReset_ = false;

    std::list<AsyncTask> tasks_;
    std::map<SystemId, double> systemTimes_;
    std::string titlePrefix_;
    std::function<void()> flushDestroyed_;
};

// The one Core; set last by its constructor, null once it is destroyed.
extern Core* gCore;

// The engine's own systems. Input and the renderer use the main window; without one there are no events
// and the renderer starts at the default window size. The script library and the sounds are found under
// rootFolder (ending in a separator).
Core::SystemCreator EngineSystems(platform::Window* window, const std::string& rootFolder = GetExecutableFolder());

// The window title: the prefix, the frame rate of the last frame and the time the frame left unused.
std::string FrameTitle(const std::string& prefix, float frameTime, float wastedTime);

// True when the command line asks for the editor ("--editor").
bool EditorModeRequested(std::span<const char* const> arguments);
