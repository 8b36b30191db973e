#pragma once
#include <cstdint>

// What scripts see of the engine core: time, cameras, gamma and the running and paused flags.
class CoreInterface
{
public:
    // Changes only the frame-rate cap; the frame time stays measured wall-clock time.
    virtual void SetTimeScale(float scale) = 0;
    virtual void AddTimeScale(float delta) = 0;
    virtual float GetTimeScale() const = 0;
    virtual float GetTotalTime() const = 0;
    virtual void ResetEditorCamera() = 0;
    virtual void SetMainCamera(const std::uint64_t& objectId) = 0;
    virtual void SetGamma(const float& gamma) = 0;
    virtual float GetGamma() const = 0;
    // False ends the main loop after the current pass.
    virtual void SetRunning(bool running) = 0;
    virtual bool IsRunning() const = 0;
    // Frames keep running while paused; every system hears of each call through a "Paused" message.
    virtual void SetPaused(bool paused) = 0;
    virtual bool IsPaused() const = 0;

protected:
    // The engine owns its core; scripts never delete it.
    ~CoreInterface() = default;
};
