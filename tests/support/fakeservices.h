#pragma once
// The engine services a script reaches through gServices, faked for the fake world (fakeworld.h): input
// frames, scripted ray answers, a recording audio system and a core that keeps its flags.
#include "audiointerface.h"
#include "coreinterface.h"
#include "hitinfo.h"
#include "inputinterface.h"
#include "physicsinterface.h"

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

// Input by frames: what the test holds now is compared with what was held in the previous frame, so a key
// is triggered in the first frame it is held only. The world ends the frame after every step.
class FakeInput final : public InputInterface
{
public:
    static constexpr std::size_t kAxisCount = 8;

    struct Vibration
    {
        float left;
        float right;
        float seconds;
    };

    // Keys are virtual-key codes; the mouse buttons are the keys 1, 2 and 4.
    void Hold(std::uint16_t key) { keys_.insert(key); }
    void Release(std::uint16_t key) { keys_.erase(key); }
    // Gamepad buttons (masks); they read as up while no gamepad is connected.
    void HoldButton(std::uint32_t mask) { buttons_.insert(mask); }
    void ReleaseButton(std::uint32_t mask) { buttons_.erase(mask); }
    // Everything held is let go and every axis and the mouse are at rest.
    void ReleaseAll()
    {
        keys_.clear();
        buttons_.clear();
        axes.fill(0.0f);
        mouseDelta = {};
    }
    void EndFrame()
    {
        previousKeys_ = keys_;
        previousButtons_ = buttons_;
    }

    bool IsKeyTriggered(const std::uint16_t& key) override
    {
        return keys_.contains(key) && !previousKeys_.contains(key);
    }
    bool IsKeyPressed(const std::uint16_t& key) override { return keys_.contains(key); }
    bool IsKeyReleased(const std::uint16_t& key) override
    {
        return !keys_.contains(key) && previousKeys_.contains(key);
    }
    bool IsMouseTriggered(std::uint32_t button) override { return IsKeyTriggered(MouseKey(button)); }
    bool IsMousePressed(std::uint32_t button) override { return IsKeyPressed(MouseKey(button)); }
    bool IsMouseReleased(std::uint32_t button) override { return IsKeyReleased(MouseKey(button)); }
    Vector2 GetMouseDelta() override { return mouseDelta; }
    Vector2 GetMousePosition() override { return mousePosition; }
    void SetCursorLock(bool lock) override { cursorLocked = lock; }
    void SetCursorCapture(bool capture) override { cursorCaptured = capture; }
    bool IsButtonTriggered(const std::uint32_t& mask) override
    {
        return gamepadConnected && buttons_.contains(mask) && !previousButtons_.contains(mask);
    }
    bool IsButtonPressed(const std::uint32_t& mask) override { return gamepadConnected && buttons_.contains(mask); }
    bool IsButtonReleased(const std::uint32_t& mask) override
    {
        return gamepadConnected && !buttons_.contains(mask) && previousButtons_.contains(mask);
    }
    float GetAxis(const std::uint32_t& axis) override { return axis < kAxisCount ? axes[axis] : 0.0f; }
    void SetVibration(float left, float right, float seconds) override { vibrations.push_back({left, right, seconds}); }
    bool IsGamepadConnected() override { return gamepadConnected; }

    std::array<float, kAxisCount> axes{};
    Vector2 mouseDelta;
    Vector2 mousePosition;
    bool gamepadConnected = false;
    bool cursorLocked = false;
    bool cursorCaptured = false;
    std::vector<Vibration> vibrations;

private:
    // 0 left, 1 right, 2 middle; any other button is no key.
    static std::uint16_t MouseKey(std::uint32_t button)
    {
        constexpr std::uint16_t kKeys[] = {1, 2, 4};
        return button < 3 ? kKeys[button] : 0;
    }

    std::set<std::uint16_t> keys_;
    std::set<std::uint16_t> previousKeys_;
    std::set<std::uint32_t> buttons_;
    std::set<std::uint32_t> previousButtons_;
};

// The five ray queries, in the interface's slot order.
enum class RayKind
{
    OBB,
    AABB,
    Boxes,
    Spheres,
    All,
};

struct RayQuery
{
    RayKind kind;
    Vector3 origin;
    Vector3 direction;
    bool skipTriggers;
};

// Every query is recorded and answered by the answer the test set for its kind: a miss by default.
class FakePhysics final : public PhysicsInterface
{
public:
    using Answer = std::function<HitInfo(const RayQuery&)>;

    // Every later query of the kind gets this hit.
    void AnswerAlways(RayKind kind, HitInfo hit)
    {
        answers_[Index(kind)] = [hit](const RayQuery&) { return hit; };
    }
    void AnswerWith(RayKind kind, Answer answer) { answers_[Index(kind)] = std::move(answer); }
    void AnswerMiss(RayKind kind) { answers_[Index(kind)] = nullptr; }
    std::vector<RayQuery> QueriesOf(RayKind kind) const
    {
        std::vector<RayQuery> found;
        for (const RayQuery& query : queries)
            if (query.kind == kind)
                found.push_back(query);
        return found;
    }

    HitInfo RaycastOBB(const Vector3& origin, const Vector3& direction, bool skip) override
    {
        return Ask({RayKind::OBB, origin, direction, skip});
    }
    HitInfo RaycastAABB(const Vector3& origin, const Vector3& direction, bool skip) override
    {
        return Ask({RayKind::AABB, origin, direction, skip});
    }
    HitInfo RaycastBoxes(const Vector3& origin, const Vector3& direction, bool skip) override
    {
        return Ask({RayKind::Boxes, origin, direction, skip});
    }
    HitInfo RaycastSpheres(const Vector3& origin, const Vector3& direction, bool skip) override
    {
        return Ask({RayKind::Spheres, origin, direction, skip});
    }
    HitInfo RaycastAll(const Vector3& origin, const Vector3& direction, bool skip) override
    {
        return Ask({RayKind::All, origin, direction, skip});
    }

    std::vector<RayQuery> queries;

private:
    static std::size_t Index(RayKind kind) { return static_cast<std::size_t>(kind); }
    HitInfo Ask(const RayQuery& query)
    {
        queries.push_back(query);
        const Answer& answer = answers_[Index(query.kind)];
        return answer ? answer(query) : HitInfo{};
    }

    std::array<Answer, 5> answers_;
};

// Records every one-shot and keeps the volumes it is given.
class FakeAudio final : public AudioInterface
{
public:
    struct Played
    {
        std::string name;
        float volume;
        Vector3 position;
    };

    void PlayOneShot(std::string name, float volume, const Vector3& position) override
    {
        played.push_back({std::move(name), volume, position});
    }
    void SetGroupVolume(float volume, Sound::AUDIO_TYPE type) override { groupVolumes.at(type) = volume; }
    float GetGroupVolume(Sound::AUDIO_TYPE type) override { return groupVolumes.at(type); }
    void SetMasterVolume(float volume) override { masterVolume = volume; }
    float GetMasterVolume() override { return masterVolume; }
    void StopAll() override { ++stopAlls; }

    std::vector<std::string> PlayedNames() const
    {
        std::vector<std::string> names;
        for (const Played& sound : played)
            names.push_back(sound.name);
        return names;
    }

    std::vector<Played> played;
    // Music, effects, voice-over.
    std::array<float, 3> groupVolumes{1.0f, 1.0f, 1.0f};
    float masterVolume = 1.0f;
    int stopAlls = 0;
};

// Keeps what it is told; the world adds each step's frame time to the total time.
class FakeCore final : public CoreInterface
{
public:
    void SetTimeScale(float scale) override { timeScale = scale; }
    void AddTimeScale(float delta) override { timeScale += delta; }
    float GetTimeScale() const override { return timeScale; }
    float GetTotalTime() const override { return totalTime; }
    void ResetEditorCamera() override { ++editorCameraResets; }
    void SetMainCamera(const std::uint64_t& objectId) override { mainCamera = objectId; }
    void SetGamma(const float& value) override { gamma = value; }
    float GetGamma() const override { return gamma; }
    void SetRunning(bool value) override { running = value; }
    bool IsRunning() const override { return running; }
    void SetPaused(bool value) override { paused = value; }
    bool IsPaused() const override { return paused; }

    float timeScale = 1.0f;
    float totalTime = 0.0f;
    int editorCameraResets = 0;
    std::uint64_t mainCamera = 0;
    float gamma = 1.25f;
    bool running = true;
    bool paused = false;
};
