#pragma once

class GameObjectInterface;

// A particle system as scripts see it: playing, pausing and stopping, and the settings scripts change.
class ParticleSystemInterface
{
public:
    virtual GameObjectInterface* GetGameObject() const = 0;
    // Emits from where it was (playing and emitting, neither paused nor stopped).
    virtual void Play() = 0;
    // Stops emitting and moving, keeping the particles.
    virtual void Pause() = 0;
    // Kills every particle and starts the next Play from a fresh cycle.
    virtual void Stop() = 0;

    // Particles per second; 0 lets no new particle come.
    virtual int GetEmissionRate() const = 0;
    virtual void SetEmissionRate(int particlesPerSecond) = 0;
    // Seconds of one emission cycle.
    virtual float GetDuration() const = 0;
    virtual void SetDuration(float seconds) = 0;
    // Seconds a new particle lives.
    virtual float GetStartLifetime() const = 0;
    virtual void SetStartLifetime(float seconds) = 0;
    // Alpha (0 to 255) of the colour over lifetime at death (minimum) and at birth (maximum).
    virtual float GetColourMinAlpha() const = 0;
    virtual void SetColourMinAlpha(float alpha) = 0;
    virtual float GetColourMaxAlpha() const = 0;
    virtual void SetColourMaxAlpha(float alpha) = 0;

    virtual bool IsPlaying() const = 0;
    virtual bool IsPaused() const = 0;
    virtual bool IsStopped() const = 0;
    virtual bool IsEmitting() const = 0;

protected:
    ~ParticleSystemInterface() = default;
};
