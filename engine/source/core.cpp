#include "core.h"

#include "aicontroller.h"
#include "assertion.h"
#include "audiosystem.h"
#include "console.h"
#include "editor.h"
#include "graphics.h"
#include "helpers.h"
#include "inputsystem.h"
#include "logic.h"
#include "mainwindow.h"
#include "messagingsystem.h"
#include "physicssystem.h"
#include "platform/clock.h"
#include "platform/window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string_view>

Core* gCore = nullptr;

namespace
{
// While the window is inactive the loop sleeps in the event wait for at most this long.
constexpr double kInactiveWaitSeconds = 0.05;
// The frame cap sleeps until this close to the frame's end and spins for the rest.
constexpr double kCapSpinSeconds = 0.001;

constexpr SystemId kCreationOrder[] = {SystemId::Input,   SystemId::Logic,  SystemId::Graphics, SystemId::Physics,
                                       SystemId::Audio,   SystemId::Editor, SystemId::AI};

void WaitForEach(std::span<std::future<void>> futures)
{
    for (std::future<void>& future : futures)
    {
        if (Check(future.valid(), "A start-up load has no task to wait for"))
            future.get();
    }
}
}

Core::SystemCreator EngineSystems(platform::Window* window, const std::string& rootFolder)
{
    return [window, rootFolder](SystemId id) -> std::unique_ptr<System> {
        switch (id)
        {
        case SystemId::Input:
            return std::make_unique<InputSystem>(window, [] { return gCore ? gCore->GetFrameTime() : 0.0f; });
        case SystemId::Logic:
            return std::make_unique<Logic>(rootFolder, GetUserDataFolder());
        case SystemId::Graphics:
        {
            int width = MainWindow::DefaultWidth, height = MainWindow::DefaultHeight;
            if (window)
                window->ClientSize(width, height);
            return std::make_unique<Graphics>(window, width, height);
        }
        case SystemId::Physics:
            return std::make_unique<PhysicsSystem>();
        case SystemId::Audio:
            return std::make_unique<AudioSystem>(rootFolder);
        case SystemId::Editor:
            return std::make_unique<Editor>(window);
        case SystemId::AI:
            return std::make_unique<AIController>();
        default:
            return nullptr;
        }
    };
}

Core::Core(platform::Window& window, const std::string& rootFolder) : Core(EngineSystems(&window, rootFolder), &window)
{
}

Core::Core(const SystemCreator& create, platform::Window* window) : window_(window)
{
    for (std::size_t slot = 0; slot < SlotCount; ++slot)
    {
        systems_[slot] = create(kCreationOrder[slot]);
        if (!systems_[slot] || systems_[slot]->GetId() != kCreationOrder[slot])
            throw std::invalid_argument("Core: the system creator gave no system of the asked id");
    }
    input_ = dynamic_cast<InputSystem*>(systems_[InputSlot].get());
    logic_ = dynamic_cast<Logic*>(systems_[LogicSlot].get());
    graphics_ = dynamic_cast<Graphics*>(systems_[GraphicsSlot].get());
    physics_ = dynamic_cast<PhysicsSystem*>(systems_[PhysicsSlot].get());
    audio_ = dynamic_cast<AudioSystem*>(systems_[AudioSlot].get());
    editor_ = dynamic_cast<Editor*>(systems_[EditorSlot].get());
    ai_ = dynamic_cast<AIController*>(systems_[AISlot].get());
    lastStamp_ = platform::MonotonicSeconds();
    gCore = this;
}

Core::~Core()
{
    // A failed task is reported and the others are still waited for: none may outlive the systems.
    while (!tasks_.empty())
    {
        try
        {
            PollAsyncTasks(true);
        }
        catch (const std::exception& error)
        {
            ASSERT(false, std::string("An asynchronous task failed: ") + error.what());
        }
        catch (...)
        {
            ASSERT(false, "An asynchronous task failed");
        }
    }
    for (std::size_t slot = SlotCount; slot-- > 0;)
        systems_[slot].reset();
    if (gCore == this)
        gCore = nullptr;
}

void Core::SetTimeScale(float scale)
{
    // Zero would make the frame cap endless; a negative scale or one that is not a number would remove it.
    timeScale_ = scale >= kMinTimeScale ? scale : kMinTimeScale;
    UpdateTargetFrameTime();
}

void Core::AddTimeScale(float delta)
{
    SetTimeScale(timeScale_ + delta);
}

void Core::SetTargetFrameRate(float framesPerSecond)
{
    targetFrameRate_ = framesPerSecond;
    UpdateTargetFrameTime();
}

void Core::UpdateTargetFrameTime()
{
    targetFrameTime_ = targetFrameRate_ > 0.0f ? 1.0f / (timeScale_ * targetFrameRate_) : 0.0f;
}

void Core::ResetEditorCamera()
{
    if (graphics_)
        graphics_->ResetEditorCamera();
}

void Core::SetMainCamera(const std::uint64_t& objectId)
{
    if (graphics_)
        graphics_->SetMainCamera(objectId);
}

void Core::SetGamma(const float& gamma)
{
    if (graphics_)
        graphics_->SetGamma(gamma);
}

float Core::GetGamma() const
{
    return graphics_ ? graphics_->GetGamma() : 0.0f;
}

void Core::SetPaused(bool paused)
{
    paused_ = paused;
    PostMessage(SystemId::ScriptCalls, SystemId::All, MessageNames::Paused, paused);
}

void Core::SetPlaying(bool playing)
{
    playing_ = playing;
    if (input_)
    {
        input_->SetCursorLock(playing);
        input_->SetCursorCapture(playing);
    }
}

void Core::Init()
{
    std::cout << " >>> INITIALIZING SYSTEMS!" << std::endl;
    std::cout << "System: Messaging \t- OK" << std::endl;
    for (std::size_t slot = 0; slot < SlotCount; ++slot)
    {
        if (slot == LogicSlot)
            std::cout << "System: Logic Initializing" << std::endl;
        systems_[slot]->Init();
    }
    std::cout << " >>> ALL SYSTEMS INITIALIZED!" << std::endl;
}

void Core::WaitForLoading(std::span<std::future<void>> soundLoads, std::span<std::future<void>> modelLoads,
                          const std::function<void()>& processModels)
{
    WaitForEach(soundLoads);
    WaitForEach(modelLoads);
    std::cout << "\tResourceManager: Processing models ... ";
    if (processModels)
        processModels();
    PrintColoredLine(ConsoleColor::Green, "done");
}

void Core::ResetFrameTimer()
{
    lastStamp_ = platform::MonotonicSeconds();
    // Never zero: bodies divide by the frame time.
    frameTime_ = targetFrameTime_ > 0.0f ? targetFrameTime_ : 1.0f / kDefaultFrameRate;
    frameTimerReset_ = true;
}

void Core::MeasureFrameTime()
{
    const double now = platform::MonotonicSeconds();
    if (!frameTimerReset_)
        frameTime_ = static_cast<float>(now - lastStamp_);
    frameTimerReset_ = false;
    lastStamp_ = now;
}

void Core::Run()
{
    ResetFrameTimer();
    while (running_)
    {
        PumpMessages();
        MeasureFrameTime();
        if (WindowIsActive())
            RunActiveFrame();
        else if (window_)
            window_->WaitForEvents(kInactiveWaitSeconds);
    }
}

bool Core::WindowIsActive() const
{
    return !window_ || window_->IsActive();
}

void Core::RunActiveFrame()
{
    Frame();
    const float dt = frameTime_;
    // Read after the frame: a load inside it reset the timer, and the cap counts from that reset.
    const double frameStart = lastStamp_;
    const float wasted = targetFrameTime_ - static_cast<float>(platform::MonotonicSeconds() - frameStart);
    const double elapsed = CapFrame(frameStart);
    totalTime_ += static_cast<float>(elapsed);
    // After a reset the next frame keeps the target frame time the reset gave it.
    if (!frameTimerReset_)
        frameTime_ = static_cast<float>(elapsed);
    if (window_)
        window_->SetTitle(FrameTitle(titlePrefix_, dt, wasted));
}

double Core::CapFrame(double frameStart) const
{
    double elapsed = platform::MonotonicSeconds() - frameStart;
    if (targetFrameTime_ - elapsed > kCapSpinSeconds)
        platform::SleepSeconds(targetFrameTime_ - elapsed - kCapSpinSeconds);
    do
        elapsed = platform::MonotonicSeconds() - frameStart;
    while (targetFrameTime_ > elapsed);
    return elapsed;
}

void Core::PumpMessages()
{
    if (window_ && !window_->PumpEvents())
        running_ = false;
}

void Core::Frame()
{
    PollAsyncTasks(false);
    UpdateSystem(At(InputSlot));
    if (gMessaging)
        UpdateSystem(*gMessaging);
    // The editor keeps destroyed objects for undo until the scene plays.
    const bool editing = editorMode_ && !playing_;
    if (!editing)
        FlushDestroyed();
    UpdateSystem(At(AISlot));
    if (editing)
    {
        UpdateSystem(At(EditorSlot));
        UpdateSystem(At(GraphicsSlot));
        EndInputFrame();
        return;
    }
    FlushDestroyed();
    UpdateSystem(At(LogicSlot));
    UpdateSystem(At(AudioSlot));
    UpdateSystem(At(PhysicsSlot));
    if (editorMode_)
        UpdateSystem(At(EditorSlot));
    UpdateSystem(At(GraphicsSlot));
    EndInputFrame();
}

void Core::FlushDestroyed()
{
    if (flushDestroyed_)
        flushDestroyed_();
}

void Core::EndInputFrame()
{
    if (input_)
        input_->EndFrame();
}

void Core::UpdateSystem(System& system)
{
    const double start = platform::MonotonicSeconds();
    system.Update();
    const double seconds = platform::MonotonicSeconds() - start;
    systemTimes_[system.GetId()] += seconds;
    if (editor_)
        editor_->RecordSystemTime(system.GetId(), static_cast<float>(seconds), frameTime_);
}

void Core::AddAsyncTask(std::string name, std::future<void> future)
{
    tasks_.push_back(AsyncTask{std::move(name), std::move(future)});
}

void Core::PollAsyncTasks(bool waitForAll)
{
    for (auto task = tasks_.begin(); task != tasks_.end();)
    {
        const bool ready = task->future.valid() &&
                           task->future.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        if (!waitForAll && !ready)
        {
            ++task;
            continue;
        }
        // Unlinked before the result is taken, so a failed task is reported once.
        std::future<void> future = std::move(task->future);
        task = tasks_.erase(task);
        if (Check(future.valid(), "An asynchronous task has no result to wait for"))
            future.get();
    }
}

std::vector<System*> Core::MessageReceivers() const
{
    return {&At(InputSlot), &At(LogicSlot), &At(GraphicsSlot), &At(PhysicsSlot), &At(AudioSlot), &At(AISlot)};
}

std::string FrameTitle(const std::string& prefix, float frameTime, float wastedTime)
{
    char figures[128];
    std::snprintf(figures, sizeof figures, "    FPS: %f     Frame time wasted: %fseconds", 1.0 / frameTime,
                  static_cast<double>(wastedTime));
    return prefix + figures;
}

bool EditorModeRequested(std::span<const char* const> arguments)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [](const char* argument) { return std::string_view(argument) == "--editor"; });
}
