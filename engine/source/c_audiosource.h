#pragma once
#include "audiosourceinterface.h"
#include "component.h"
#include "platform/audioengine.h"

#include <string>

struct Sound;

// Gives an object one sound to play, with its volume and flags. Requests go to the audio system as messages;
// the channel the sound plays on is the source's own.
class AudioSource : public ComponentBase<AudioSourceInterface>
{
public:
    // Clip "Default", bound to the audio system's default sound.
    AudioSource();
    // An enabled copy with a channel of its own, not paused and not muted in the editor, its clip bound again.
    AudioSource(const AudioSource& source);
    AudioSource& operator=(const AudioSource&) = delete;
    // Stops its channel.
    ~AudioSource() override;

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "AudioSource"; }
    std::unique_ptr<Component> Clone() const override;
    bool Compare(const Component& other) const override;

    void Play() override;
    void Pause(bool paused) override;
    void Stop() override;
    void Fade(bool fadeIn) override;
    bool IsPaused() const override { return paused_; }
    void SetClip(const std::string& name) override;

    const std::string& GetClipName() const { return clipName_; }
    // Loading a clip name keeps the name even when no sound of it is loaded yet, then binds it.
    void LoadClip(const std::string& name);
    Sound* GetSound() const { return sound_; }
    void BindSound(Sound* sound) { sound_ = sound; }
    float GetVolume() const { return volume_; }
    void SetVolume(float volume) { volume_ = volume; }
    bool IsLooping() const { return loop_; }
    void SetLooping(bool loop) { loop_ = loop; }
    bool PlaysOnAwake() const { return playOnAwake_; }
    void SetPlayOnAwake(bool playOnAwake) { playOnAwake_ = playOnAwake; }
    bool Is3D() const { return is3D_; }
    void Set3D(bool is3D) { is3D_ = is3D; }
    bool IsMutedInEditor() const { return muteInEditor_; }
    void SetMuteInEditor(bool mute) { muteInEditor_ = mute; }

    platform::ChannelHandle GetChannel() const { return channel_; }
    void SetChannel(platform::ChannelHandle channel) { channel_ = channel; }
    // The audio system's own changes of the flag, told no one.
    void StorePaused(bool paused) { paused_ = paused; }

private:
    std::string clipName_ = "Default";
    Sound* sound_ = nullptr;
    float volume_ = 1.0f;
    bool loop_ = false;
    bool playOnAwake_ = false;
    bool is3D_ = false;
    bool muteInEditor_ = false;
    bool paused_ = false;
    platform::ChannelHandle channel_;
};
