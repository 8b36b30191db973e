#pragma once
#include "TorvaneMath.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct ALCdevice_struct;
struct ALCcontext_struct;

namespace platform
{
class AudioEngine;

// Flat sounds play as they are; positional ones are mono and placed relative to the listener.
enum class SoundSpace : std::uint8_t
{
    Flat,
    Positional,
};

enum class LoopMode : std::uint8_t
{
    Off,
    Forever,
};

// Why a file gave no sound.
enum class SoundFailure : std::uint8_t
{
    None,
    // Missing, not a sound, or empty.
    Unreadable,
    // It decodes to more than AudioEngine::kMaxDecodedBytes.
    TooLarge,
    // Its samples could not be allocated.
    OutOfMemory,
};

// A file decoded whole into the output device's memory, ready to be played by any number of channels at once.
// It must be released before its engine; releasing it stops the channels that play it.
class Sound
{
public:
    Sound(AudioEngine& engine, unsigned buffer, SoundSpace space) : engine_(engine), buffer_(buffer), space_(space) {}
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    SoundSpace Space() const { return space_; }
    unsigned Buffer() const { return buffer_; }

private:
    AudioEngine& engine_;
    unsigned buffer_;
    SoundSpace space_;
};

// One playing sound. A voice that is stopped and played again gets a new generation, so an old handle of it
// controls nothing any more; the default handle is no channel at all.
struct ChannelHandle
{
    std::uint32_t voice = 0;
    std::uint32_t generation = 0;
    bool operator==(const ChannelHandle&) const = default;
};

// Whether a full engine may take the channel's voice for a new channel.
enum class VoiceClaim : std::uint8_t
{
    Yielding,
    Held,
};

// Channel groups: the master group and the groups made under it.
using GroupId = std::size_t;

// Mixes up to kVoiceCount channels into one output device through channel groups under a master group, with
// one 3D listener, inverse-distance attenuation and linear fades on the device's sample clock.
// A channel's gain is its volume x its fade x its group's volume x the master volume; it is paused when it,
// its group or the master group is paused. Every call may be made with any handle, stale or not.
class AudioEngine
{
public:
    static constexpr std::size_t kVoiceCount = 256;
    static constexpr GroupId kMaster = 0;
    static constexpr float kReferenceDistance = 15.0f;
    static constexpr float kMaxDistance = 10000.0f;

    // A device the caller renders itself (mono, 32-bit float samples), so what is heard can be checked.
    struct Loopback
    {
        int sampleRate = 48000;
    };

    // Opens the named output device (the default one for an empty name). When none can be opened it says so
    // once and plays to the library's null output, or else to nothing; every call still works.
    explicit AudioEngine(const std::string& deviceName = {});
    explicit AudioEngine(Loopback loopback);
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // Decoded 16-bit samples a file may take.
    static constexpr std::size_t kMaxDecodedBytes = std::size_t{512} << 20;

    // Decodes a WAV, OGG/Vorbis or FLAC file whole; positional sounds are mixed down to mono. Null, with the
    // reason in `failure`, when the file cannot be read, decoded or held. Safe to call from any thread.
    std::unique_ptr<Sound> CreateSound(const std::string& path, SoundSpace space, SoundFailure* failure = nullptr);

    // A new group under the master group, at volume 1, not paused.
    GroupId CreateGroup();
    void SetGroupVolume(GroupId group, float volume);
    float GetGroupVolume(GroupId group) const;
    void SetGroupPaused(GroupId group, bool paused);
    // Stops every channel of the group (of every group, for the master group).
    void StopGroup(GroupId group);

    // Starts the sound on a free voice, else on the oldest yielding channel's voice, at volume 1 and at the
    // listener until placed; a paused start is silent until it is resumed. No channel when every voice is held.
    ChannelHandle Play(const Sound& sound, GroupId group, LoopMode loop, bool paused,
                       VoiceClaim claim = VoiceClaim::Yielding);
    // A voice is free or its channel has ended.
    bool HasFreeVoice() const;
    void Stop(ChannelHandle channel);
    // Resuming never restarts a channel that has ended.
    void SetPaused(ChannelHandle channel, bool paused);
    bool IsPaused(ChannelHandle channel) const;
    // True from Play until the channel ends or is stopped, paused or not.
    bool IsPlaying(ChannelHandle channel) const;
    void SetVolume(ChannelHandle channel, float volume);
    // Where a positional channel sounds from; flat channels ignore it.
    void SetPosition(ChannelHandle channel, const Vector3& position);
    // The fade is linear between points and holds the last point's volume after it; a new point replaces
    // the points after its clock.
    void AddFadePoint(ChannelHandle channel, std::uint64_t clock, float volume);

    void SetListener(const Vector3& position, const Vector3& velocity, const Vector3& forward, const Vector3& up);

    // Samples the output has played so far, and how many it plays per second.
    std::uint64_t DspClock() const;
    int OutputRate() const { return rate_; }

    // Advances fades, frees ended voices and, without an output device, lets the silent output's time pass.
    void Update();
    // Mixes the next samples of a loopback engine into `mono`.
    void Render(std::span<float> mono);

private:
    struct Voice;
    struct Group
    {
        float volume = 1.0f;
        bool paused = false;
    };

    void OpenOutput(const std::string& deviceName);
    void OpenLoopback(int sampleRate);
    void CreateVoices();
    void MakeCurrent() const;
    Voice* Find(ChannelHandle channel);
    const Voice* Find(ChannelHandle channel) const;
    // Null when every voice is held.
    Voice* TakeVoice();
    bool IsFree(const Voice& voice) const;
    void Release(Voice& voice);
    void Apply(Voice& voice);
    void Apply(Voice& voice, std::uint64_t clock);
    void ApplyAll();
    float FadeAt(const Voice& voice, std::uint64_t clock) const;
    void RenderSilently();
    friend class Sound;
    void ForgetSound(unsigned buffer);

    ALCdevice_struct* device_ = nullptr;
    ALCcontext_struct* context_ = nullptr;
    bool loopback_ = false;
    // No device could be opened: a loopback device that Update renders into nothing.
    bool silent_ = false;
    bool deviceClock_ = false;
    int rate_ = 0;
    // Samples rendered by hand, the clock where the device has none of its own.
    std::uint64_t renderedSamples_ = 0;
    double silentSince_ = 0.0;
    // Kept between updates so the silent output's mix allocates nothing per frame.
    std::vector<float> silentMix_;
    double openedAt_ = 0.0;
    std::vector<Group> groups_;
    std::vector<Voice> voices_;
    std::uint64_t startCount_ = 0;
};
}
