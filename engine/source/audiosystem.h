#pragma once
#include "audiointerface.h"
#include "objectset.h"
#include "platform/audioengine.h"
#include "system.h"

#include <array>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class AudioSource;
class AudioListener;
class TransformInterface;

// Why the master group is paused. It plays only while no reason holds, so regaining the window's focus never
// resumes what the editor paused.
enum class MasterPauseReason : std::uint8_t
{
    WindowInactive,
    Editor,
};

// Plays music, effects and voice-over: loads the sounds of the three audio folders in background tasks, keeps
// them by name, plays the sources of registered objects and one-shots from a pool of channel slots, and keeps
// the one listener and the sources' positions up to date.
class AudioSystem : public System, public AudioInterface
{
public:
    static constexpr std::size_t kChannelCount = 256;
    static constexpr const char* kDefaultSoundName = "Default";

    // Loads from <rootFolder>Assets/Audio/...; `loopbackRate` above 0 mixes into a loopback device the caller
    // renders with Render, in place of the sound device.
    explicit AudioSystem(std::string rootFolder, int loopbackRate = 0);
    // Waits for its own loading tasks first.
    ~AudioSystem() override;

    void Init() override;
    void Update() override;
    void RegisterObject(GameObject* object) override;
    void UnregisterObject(GameObject* object) override;
    std::string GetName() const override { return "Audio"; }
    void HandleMessage(const BaseMessage& message) override;

    // AudioInterface
    void PlayOneShot(std::string name, float volume, const Vector3& position) override;
    void SetGroupVolume(float volume, Sound::AUDIO_TYPE type) override;
    float GetGroupVolume(Sound::AUDIO_TYPE type) override;
    void SetMasterVolume(float volume) override;
    float GetMasterVolume() override;
    void StopAll() override;

    // The named sound, else "Default" (null before it is loaded).
    Sound* FindSound(const std::string& name);
    // The named sound only.
    Sound* FindNamedSound(const std::string& name);
    // The sound table by name; only the main thread may read it once loading is over.
    const std::map<std::string, std::unique_ptr<Sound>>& GetSounds() const { return sounds_; }
    // The loading tasks still to wait for; waiting takes their results.
    std::vector<std::future<void>>& GetLoadTasks() { return loadTasks_; }

    // A slot of the one-shot pool: the next free one from where the last search ended while the engine has a
    // free voice, else slot 255, whose sound is then stopped.
    int AllocateChannel();
    // Frees the slots whose channels have ended.
    void RefreshChannels();
    void PlaySource(AudioSource& source);
    void StopSource(const AudioSource& source);

    // Window activation (by default) and the editor pause the master group; muting silences it whatever its
    // volume (the automated test run).
    void SetMasterPaused(bool paused, MasterPauseReason reason = MasterPauseReason::WindowInactive);
    bool IsMasterPaused() const;
    void SetMasterMuted(bool muted);
    bool IsMasterMuted() const { return masterMuted_; }

    platform::AudioEngine& Engine() { return *engine_; }
    // The channel in a slot of the one-shot pool.
    platform::ChannelHandle SlotChannel(int slot) const { return channels_[static_cast<std::size_t>(slot)]; }
    AudioListener* GetCurrentListener() const { return currentListener_; }

private:
    void LoadSounds();
    void LoadSound(const std::string& path, Sound::AUDIO_TYPE type);
    void WaitForLoadTasks();
    platform::GroupId GroupOf(Sound::AUDIO_TYPE type) const;
    void ApplyMasterVolume();
    void HandleBroadcast(const BaseMessage& message);
    void HandleSourceRequest(const BaseMessage& message);
    void Fade(AudioSource& source, bool fadeIn);
    // The registered object's source, null for any other object.
    AudioSource* RegisteredSource(GameObject* object) const;
    // Binds the clip by name again and starts the registered object's source when it plays on awake.
    void PlayOnAwake(GameObject* object);
    void RemoveListeners(const GameObject* object);
    void UpdateListener();

    std::string rootFolder_;
    // Declared before the sounds, which it must outlive.
    std::unique_ptr<platform::AudioEngine> engine_;
    std::array<platform::GroupId, 3> groups_{};

    std::mutex soundsLock_;
    std::map<std::string, std::unique_ptr<Sound>> sounds_;
    Sound* defaultSound_ = nullptr;
    std::vector<std::future<void>> loadTasks_;
    // Sounds of a name another task inserted first, kept until the table goes.
    std::vector<std::unique_ptr<Sound>> unused_;

    // In registration order, so every run updates the sources alike.
    ObjectSet sourceObjects_;
    std::array<platform::ChannelHandle, kChannelCount> channels_{};
    std::array<bool, kChannelCount> inUse_{};
    std::uint32_t nextChannel_ = 0;

    struct ListenerEntry
    {
        AudioListener* listener;
        GameObject* object;
    };
    void UseListener(const ListenerEntry& entry);
    // In registration order; the last one is current.
    std::vector<ListenerEntry> listeners_;
    AudioListener* currentListener_ = nullptr;
    TransformInterface* listenerTransform_ = nullptr;
    // Its rigid body, if any, gives the listener's velocity.
    GameObject* listenerObject_ = nullptr;
    Vector3 listenerPosition_;

    float masterVolume_ = 1.0f;
    bool masterMuted_ = false;
    std::array<bool, 2> masterPauses_{};
};
