#pragma once
#include "component.h"
#include "particlesysteminterface.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

// count × cycles particles at the start of every emission cycle; interval and time are stored only.
struct ParticleBurst
{
    int count = 0;
    int cycles = 0;
    float interval = 0.0f;
    float time = 0.0f;
};

// One record of the pool. Free when its life (seconds left) is 0 or less; depth is the squared distance to
// the camera, -1 for a dead particle.
struct Particle
{
    Vector3 position;
    Vector3 velocity;
    Vector4 colour; // 0 to 255
    float life = -1.0f;
    float depth = -1.0f;
};

enum class EmitterShape : int
{
    Sphere,
    Hemisphere,
    Cone,
    ConeVolume,
    Box,
    BoxShell,
    BoxEdge,
    Circle,
};

// The saved settings of a particle system (file keys in the source); the editor edits them in place.
// Angles are degrees, colours 0 to 255.
struct ParticleSettings
{
    float duration = 5.0f;
    bool loop = true;
    // As read; the pool grows to it when loaded larger, and SetMaxParticles sets both.
    int maxParticles = 1000;
    float startLifetime = 5.0f;
    float startRotation = 0.0f; // stored only
    float startSize = 1.0f;
    float startSpeed = 10.0f;
    // As read; files are written with the length of the list.
    int burstCount = 0;
    int emissionRate = 0;
    bool emissionEnabled = true; // stored only
    std::vector<ParticleBurst> bursts;
    // At birth and at death when the colour changes over the lifetime.
    Vector4 colourMax{0.0f, 0.0f, 0.0f, 255.0f};
    Vector4 colourMin{0.0f, 0.0f, 0.0f, 255.0f};
    bool colourOverLifetime = false;
    float sizeMax = 5.0f;
    float sizeMin = 1.0f;
    bool sizeOverLifetime = false;
    // Off: the emission tick passes the system over.
    bool shapeEnabled = true;
    float shapeRadius = 1.0f;
    float shapeAngle = 25.0f;
    float shapeArc = 360.0f;
    Vector3 shapePosition{0.0f, 0.0f, 0.0f};
    Vector3 shapeRotation{0.0f, 0.0f, 0.0f};
    Vector3 shapeScale{1.0f, 1.0f, 1.0f};
    // BoxShell: emit along the face's normal.
    bool shapeFaceNormal = false;
    // An EmitterShape; other values spawn particles that stay where their record was.
    int shapeType = static_cast<int>(EmitterShape::Circle);
    std::string textureName = "normal.dds";
    // 0 billboard, 1 horizontal billboard, 2 billboard along the object's own axes.
    int renderMode = 0;
};

// Emits, simulates and hands the renderer a pool of camera-facing particles. Each frame the renderer runs
// EmissionTick, then draws the live particles from the two streams: position and size (four floats a
// particle) and colour (four bytes), far ones first.
class ParticleSystem : public ComponentBase<ParticleSystemInterface>
{
public:
    // Emission ticks assume this rate for their arithmetic, whatever the frame time.
    static constexpr int kTicksPerSecond = 60;
    // A pool larger than this is refused: a file could otherwise ask for any amount of memory.
    static constexpr int kMaxPoolSize = 100000;

    ParticleSystem();
    // Settings, flags and pool; new streams and a new emission cycle.
    ParticleSystem(const ParticleSystem& source);
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Always the whole element, whatever the prefab's.
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    // A file's "EmissionBursts" replace the bursts; every four of their values, in any order, make one.
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "ParticleSystem"; }
    std::unique_ptr<Component> Clone() const override;
    // Any two particle systems compare equal.
    bool Compare(const Component& other) const override;

    void Play() override;
    void Pause() override;
    void Stop() override;
    int GetEmissionRate() const override { return settings.emissionRate; }
    void SetEmissionRate(int particlesPerSecond) override { settings.emissionRate = particlesPerSecond; }
    float GetDuration() const override { return settings.duration; }
    void SetDuration(float seconds) override { settings.duration = seconds; }
    float GetStartLifetime() const override { return settings.startLifetime; }
    void SetStartLifetime(float seconds) override { settings.startLifetime = seconds; }
    float GetColourMinAlpha() const override { return settings.colourMin.w; }
    void SetColourMinAlpha(float alpha) override { settings.colourMin.w = alpha; }
    float GetColourMaxAlpha() const override { return settings.colourMax.w; }
    void SetColourMaxAlpha(float alpha) override { settings.colourMax.w = alpha; }
    bool IsPlaying() const override { return playing_; }
    bool IsPaused() const override { return paused_; }
    bool IsStopped() const override { return stopped_; }
    bool IsEmitting() const override { return emitting_; }

    // A pool and streams of count particles (within 0 and kMaxPoolSize), all dead.
    void SetMaxParticles(int count);
    // Every particle dead, and the emission back at the start of a cycle.
    void ResetParticles();

    // One frame of the renderer's emission tick, for a playing system with its shape enabled that belongs
    // to an object: bursts and the rate's particles while the cycle runs (or loops), then the simulation.
    // The camera is where the depths are measured from; without one they are 0.
    void EmissionTick(float frameTime, const Vector3* camera);
    // Starts one particle on the emitter shape, in the first free record (record 0 when none is free).
    void SpawnParticle();
    // Ages and moves the live particles, fills the streams and orders the pool far to near.
    void SimulateParticles(float frameTime, const Vector3* camera);
    // a + (b - a) × (a 32-bit draw / 2^32), with the bounds put in order.
    float RandomRange(float a, float b);
    // Particles come from one engine per system, seeded from the random device; tests seed it.
    void SeedRandom(std::uint32_t seed) { random_.seed(seed); }

    const std::vector<Particle>& GetParticles() const { return particles_; }
    const std::vector<float>& GetPositionSizeStream() const { return positionSizeStream_; }
    const std::vector<std::uint8_t>& GetColourStream() const { return colourStream_; }
    int GetLiveCount() const { return liveCount_; }
    // Seconds since play began, and seconds during which particles have been alive.
    float GetElapsed() const { return elapsed_; }
    float GetAliveTime() const { return aliveTime_; }
    // The rows that turn a vector of the emitter into the world, as the last spawn left them.
    const std::array<Vector3, 3>& GetEmitterBasis() const { return emitterBasis_; }

    ParticleSettings settings;
    // Where the particles simulate, as the editor offers it: 0, the world. Not saved.
    int simulationSpace = 0;

private:
    // At most the pool's size: more would only restart the same records.
    void SpawnParticles(long long count);
    // The next free record from where the last search stopped; none when every record is alive.
    std::optional<std::size_t> FreeRecord();
    static bool IsFree(const Particle& particle) { return particle.life <= 0.0f; }
    void UpdateEmitterBasis(const Vector3& objectRotation);
    // Sets the emitter basis from the owner's transform; the owner's world position.
    Vector3 PlaceEmitter();
    // Starts the record with the emitter already placed.
    void SpawnParticleFrom(const Vector3& origin, std::size_t record);
    Vector3 ToWorld(const Vector3& local) const;
    std::uint32_t Draw() { return static_cast<std::uint32_t>(random_()); }
    // A uniform draw below count, without the bias of a plain modulo.
    std::uint32_t DrawBelow(std::uint32_t count);
    void WriteStreams(const Particle& particle, std::size_t slot);

    std::vector<Particle> particles_;
    std::vector<float> positionSizeStream_;
    std::vector<std::uint8_t> colourStream_;
    std::array<Vector3, 3> emitterBasis_{Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1)};
    std::mt19937 random_;
    float elapsed_ = 0.0f;
    int liveCount_ = 0;
    float aliveTime_ = 0.0f;
    bool paused_ = false;
    bool playing_ = true;
    bool stopped_ = false;
    bool emitting_ = false;
    std::size_t lastIndex_ = 0;
    bool burstDone_ = false;
    float cycleTime_ = 0.0f;
    float rateAccumulator_ = 0.0f;
};
