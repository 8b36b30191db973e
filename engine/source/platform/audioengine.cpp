#include "platform/audioengine.h"

#include "console.h"
#include "platform/clock.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

namespace platform
{
namespace
{
// The library's own output that mixes in real time and plays nothing.
constexpr const char* kNullOutputName = "No Output";
constexpr int kSilentRate = 44100;
// The silent output catches up at most this much time per update, so a long stall costs no long mix.
constexpr double kSilentCatchUpSeconds = 0.25;
// Distances are in world units, 15 to the metre; sound travels 343 m/s.
constexpr float kUnitsPerMetre = 15.0f;
constexpr float kSpeedOfSound = 343.3f * kUnitsPerMetre;

constexpr sf_count_t kMaxDecodedSamples = AudioEngine::kMaxDecodedBytes / sizeof(ALshort);

// Interleaved 16-bit samples of a whole file.
struct Pcm
{
    std::unique_ptr<ALshort[]> samples;
    sf_count_t frames = 0;
    int channels = 0;
    int rate = 0;
};

struct FileCloser
{
    SNDFILE* file;
    ~FileCloser() { sf_close(file); }
};

// The size is taken from the header and checked before anything is allocated: a small compressed file can
// name hours of many channels. The allocation may fail without ending the program.
SoundFailure DecodeFile(const std::string& path, Pcm& pcm)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return SoundFailure::Unreadable;
    const FileCloser closer{file};
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames <= 0)
        return SoundFailure::Unreadable;
    if (info.frames > kMaxDecodedSamples / info.channels)
        return SoundFailure::TooLarge;
    pcm.samples.reset(new (std::nothrow) ALshort[static_cast<std::size_t>(info.frames * info.channels)]);
    if (!pcm.samples)
        return SoundFailure::OutOfMemory;
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    pcm.frames = sf_readf_short(file, pcm.samples.get(), info.frames);
    pcm.channels = info.channels;
    pcm.rate = info.samplerate;
    return pcm.frames > 0 ? SoundFailure::None : SoundFailure::Unreadable;
}

// Positioned sounds and sounds of more channels than stereo are mixed down to mono, in place.
void MixDown(Pcm& pcm, SoundSpace space)
{
    if (space == SoundSpace::Flat && pcm.channels <= 2)
        return;
    const auto width = static_cast<std::size_t>(pcm.channels);
    for (std::size_t frame = 0; frame < static_cast<std::size_t>(pcm.frames); ++frame)
    {
        long sum = 0;
        for (std::size_t channel = 0; channel < width; ++channel)
            sum += pcm.samples[frame * width + channel];
        pcm.samples[frame] = static_cast<ALshort>(std::lround(static_cast<double>(sum) / pcm.channels));
    }
    pcm.channels = 1;
}

float SafeVolume(float volume)
{
    // Gains below zero or not numbers are errors to the library.
    return volume > 0.0f ? volume : 0.0f;
}

struct ThreadContextRestore
{
    ALCcontext* previous;
    ~ThreadContextRestore() { alcSetThreadContext(previous); }
};

ALint StateOf(ALuint source)
{
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}
}

struct AudioEngine::Voice
{
    ALuint source = 0;
    std::uint32_t generation = 1;
    bool active = false;
    bool paused = false;
    VoiceClaim claim = VoiceClaim::Yielding;
    GroupId group = kMaster;
    float volume = 1.0f;
    ALuint buffer = 0;
    std::uint64_t started = 0;
    // Clock and volume, in clock order.
    std::vector<std::pair<std::uint64_t, float>> fades;
};

Sound::~Sound()
{
    engine_.ForgetSound(buffer_);
}

AudioEngine::AudioEngine(const std::string& deviceName)
{
    OpenOutput(deviceName);
    CreateVoices();
}

AudioEngine::AudioEngine(Loopback loopback)
{
    OpenLoopback(loopback.sampleRate);
    CreateVoices();
}

AudioEngine::~AudioEngine()
{
    MakeCurrent();
    for (Voice& voice : voices_)
    {
        alSourceStop(voice.source);
        alDeleteSources(1, &voice.source);
    }
    alcSetThreadContext(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

void AudioEngine::OpenOutput(const std::string& deviceName)
{
    device_ = alcOpenDevice(deviceName.empty() ? nullptr : deviceName.c_str());
    if (!device_)
    {
        device_ = alcOpenDevice(kNullOutputName);
        PrintColoredLine(ConsoleColor::Yellow, device_ ? "Audio: no sound device could be opened, playing to no output"
                                                       : "Audio: no sound device could be opened, running silent");
    }
    if (!device_)
    {
        silent_ = true;
        OpenLoopback(kSilentRate);
        silentSince_ = MonotonicSeconds();
        return;
    }
    const ALCint attributes[] = {ALC_MONO_SOURCES, static_cast<ALCint>(kVoiceCount), 0};
    context_ = alcCreateContext(device_, attributes);
    alcGetIntegerv(device_, ALC_FREQUENCY, 1, &rate_);
    deviceClock_ = alcIsExtensionPresent(device_, "ALC_SOFT_device_clock");
    openedAt_ = MonotonicSeconds();
}

void AudioEngine::OpenLoopback(int sampleRate)
{
    loopback_ = true;
    device_ = alcLoopbackOpenDeviceSOFT(nullptr);
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_MONO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY,            sampleRate,
                                 ALC_MONO_SOURCES,         static_cast<ALCint>(kVoiceCount),
                                 ALC_HRTF_SOFT,            ALC_FALSE,
                                 ALC_OUTPUT_LIMITER_SOFT,  ALC_FALSE,
                                 0};
    context_ = alcCreateContext(device_, attributes);
    rate_ = sampleRate;
}

void AudioEngine::CreateVoices()
{
    MakeCurrent();
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alSpeedOfSound(kSpeedOfSound);
    groups_.push_back(Group{});
    voices_.reserve(kVoiceCount);
    while (voices_.size() < kVoiceCount)
    {
        Voice voice;
        alGenSources(1, &voice.source);
        if (alGetError() != AL_NO_ERROR)
            break;
        alSourcef(voice.source, AL_REFERENCE_DISTANCE, kReferenceDistance);
        alSourcef(voice.source, AL_MAX_DISTANCE, kMaxDistance);
        voices_.push_back(std::move(voice));
    }
}

void AudioEngine::MakeCurrent() const
{
    // Each thread names its own context, so engines side by side and the loading threads never trade it.
    if (alcGetThreadContext() != context_)
        alcSetThreadContext(context_);
}

std::unique_ptr<Sound> AudioEngine::CreateSound(const std::string& path, SoundSpace space, SoundFailure* failure)
{
    Pcm pcm;
    const SoundFailure decoded = DecodeFile(path, pcm);
    if (failure)
        *failure = decoded;
    if (decoded != SoundFailure::None)
        return nullptr;
    MixDown(pcm, space);
    // A loading thread must not end with the context still named; the library would warn of a leak.
    ALCcontext* previous = alcGetThreadContext();
    alcSetThreadContext(context_);
    const ThreadContextRestore restore{previous};
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, pcm.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, pcm.samples.get(),
                 static_cast<ALsizei>(pcm.frames * pcm.channels * static_cast<sf_count_t>(sizeof(ALshort))),
                 pcm.rate);
    if (alGetError() != AL_NO_ERROR)
    {
        alDeleteBuffers(1, &buffer);
        if (failure)
            *failure = SoundFailure::Unreadable;
        return nullptr;
    }
    return std::make_unique<Sound>(*this, buffer, space);
}

void AudioEngine::ForgetSound(unsigned buffer)
{
    MakeCurrent();
    for (Voice& voice : voices_)
        if (voice.active && voice.buffer == buffer)
            Release(voice);
    alDeleteBuffers(1, &buffer);
}

GroupId AudioEngine::CreateGroup()
{
    groups_.push_back(Group{});
    return groups_.size() - 1;
}

void AudioEngine::SetGroupVolume(GroupId group, float volume)
{
    if (group >= groups_.size())
        return;
    groups_[group].volume = SafeVolume(volume);
    ApplyAll();
}

float AudioEngine::GetGroupVolume(GroupId group) const
{
    return group < groups_.size() ? groups_[group].volume : 0.0f;
}

void AudioEngine::SetGroupPaused(GroupId group, bool paused)
{
    if (group >= groups_.size())
        return;
    groups_[group].paused = paused;
    ApplyAll();
}

void AudioEngine::StopGroup(GroupId group)
{
    MakeCurrent();
    for (Voice& voice : voices_)
        if (voice.active && (group == kMaster || voice.group == group))
            Release(voice);
}

AudioEngine::Voice* AudioEngine::Find(ChannelHandle channel)
{
    return const_cast<Voice*>(std::as_const(*this).Find(channel));
}

const AudioEngine::Voice* AudioEngine::Find(ChannelHandle channel) const
{
    if (channel.voice >= voices_.size())
        return nullptr;
    const Voice& voice = voices_[channel.voice];
    return voice.active && voice.generation == channel.generation ? &voice : nullptr;
}

bool AudioEngine::IsFree(const Voice& voice) const
{
    return !voice.active || StateOf(voice.source) == AL_STOPPED;
}

bool AudioEngine::HasFreeVoice() const
{
    MakeCurrent();
    return std::ranges::any_of(voices_, [this](const Voice& voice) { return IsFree(voice); });
}

AudioEngine::Voice* AudioEngine::TakeVoice()
{
    const auto free = std::ranges::find_if(voices_, [this](const Voice& voice) { return IsFree(voice); });
    if (free != voices_.end())
        return &*free;
    // Held channels (the sources' own) are never cut for another.
    Voice* oldest = nullptr;
    for (Voice& voice : voices_)
        if (voice.claim == VoiceClaim::Yielding && (!oldest || voice.started < oldest->started))
            oldest = &voice;
    return oldest;
}

void AudioEngine::Release(Voice& voice)
{
    alSourceStop(voice.source);
    alSourcei(voice.source, AL_BUFFER, 0);
    voice.active = false;
    voice.fades.clear();
    ++voice.generation;
}

ChannelHandle AudioEngine::Play(const Sound& sound, GroupId group, LoopMode loop, bool paused, VoiceClaim claim)
{
    if (group >= groups_.size())
        return {};
    MakeCurrent();
    Voice* taken = TakeVoice();
    if (!taken)
        return {};
    Voice& voice = *taken;
    if (voice.active)
        Release(voice);
    voice.active = true;
    voice.claim = claim;
    voice.paused = paused;
    voice.group = group;
    voice.volume = 1.0f;
    voice.buffer = sound.Buffer();
    voice.started = ++startCount_;
    const bool flat = sound.Space() == SoundSpace::Flat;
    alSourceRewind(voice.source);
    alSourcei(voice.source, AL_BUFFER, static_cast<ALint>(voice.buffer));
    alSourcei(voice.source, AL_LOOPING, loop == LoopMode::Forever ? AL_TRUE : AL_FALSE);
    // A flat sound sits on the listener, so distance and direction leave it as it is.
    alSourcei(voice.source, AL_SOURCE_RELATIVE, flat ? AL_TRUE : AL_FALSE);
    alSource3f(voice.source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    if (!flat)
    {
        ALfloat listener[3];
        alGetListenerfv(AL_POSITION, listener);
        alSourcefv(voice.source, AL_POSITION, listener);
    }
    Apply(voice);
    const auto index = static_cast<std::uint32_t>(&voice - voices_.data());
    return {index, voice.generation};
}

void AudioEngine::Stop(ChannelHandle channel)
{
    if (Voice* voice = Find(channel))
    {
        MakeCurrent();
        Release(*voice);
    }
}

void AudioEngine::SetPaused(ChannelHandle channel, bool paused)
{
    if (Voice* voice = Find(channel))
    {
        voice->paused = paused;
        Apply(*voice);
    }
}

bool AudioEngine::IsPaused(ChannelHandle channel) const
{
    const Voice* voice = Find(channel);
    return voice && voice->paused;
}

bool AudioEngine::IsPlaying(ChannelHandle channel) const
{
    const Voice* voice = Find(channel);
    if (!voice)
        return false;
    MakeCurrent();
    return StateOf(voice->source) != AL_STOPPED;
}

void AudioEngine::SetVolume(ChannelHandle channel, float volume)
{
    if (Voice* voice = Find(channel))
    {
        voice->volume = SafeVolume(volume);
        Apply(*voice);
    }
}

void AudioEngine::SetPosition(ChannelHandle channel, const Vector3& position)
{
    Voice* voice = Find(channel);
    if (!voice)
        return;
    MakeCurrent();
    ALint relative = AL_FALSE;
    alGetSourcei(voice->source, AL_SOURCE_RELATIVE, &relative);
    if (!relative)
        alSource3f(voice->source, AL_POSITION, position.x, position.y, position.z);
}

void AudioEngine::AddFadePoint(ChannelHandle channel, std::uint64_t clock, float volume)
{
    Voice* voice = Find(channel);
    if (!voice)
        return;
    auto& fades = voice->fades;
    fades.erase(std::ranges::upper_bound(fades, clock, {}, &std::pair<std::uint64_t, float>::first), fades.end());
    fades.emplace_back(clock, SafeVolume(volume));
    Apply(*voice);
}

float AudioEngine::FadeAt(const Voice& voice, std::uint64_t clock) const
{
    const auto& fades = voice.fades;
    if (fades.empty())
        return 1.0f;
    const auto next = std::ranges::upper_bound(fades, clock, {}, &std::pair<std::uint64_t, float>::first);
    if (next == fades.begin())
        return fades.front().second;
    if (next == fades.end())
        return fades.back().second;
    const auto& [fromClock, fromVolume] = *(next - 1);
    const auto& [toClock, toVolume] = *next;
    const double along = static_cast<double>(clock - fromClock) / static_cast<double>(toClock - fromClock);
    return static_cast<float>(fromVolume + (toVolume - fromVolume) * along);
}

void AudioEngine::Apply(Voice& voice)
{
    Apply(voice, DspClock());
}

void AudioEngine::Apply(Voice& voice, std::uint64_t clock)
{
    MakeCurrent();
    const Group& group = groups_[voice.group];
    const Group& master = groups_[kMaster];
    const float gain = voice.volume * FadeAt(voice, clock) * group.volume * master.volume;
    alSourcef(voice.source, AL_GAIN, SafeVolume(gain));
    const bool paused = voice.paused || group.paused || master.paused;
    const ALint state = StateOf(voice.source);
    if (paused && state == AL_PLAYING)
        alSourcePause(voice.source);
    else if (!paused && (state == AL_PAUSED || state == AL_INITIAL))
        alSourcePlay(voice.source);
}

void AudioEngine::ApplyAll()
{
    const std::uint64_t clock = DspClock();
    for (Voice& voice : voices_)
        if (voice.active)
            Apply(voice, clock);
}

void AudioEngine::SetListener(const Vector3& position, const Vector3& velocity, const Vector3& forward,
                              const Vector3& up)
{
    MakeCurrent();
    alListener3f(AL_POSITION, position.x, position.y, position.z);
    alListener3f(AL_VELOCITY, velocity.x, velocity.y, velocity.z);
    const ALfloat orientation[] = {forward.x, forward.y, forward.z, up.x, up.y, up.z};
    alListenerfv(AL_ORIENTATION, orientation);
}

std::uint64_t AudioEngine::DspClock() const
{
    if (deviceClock_)
    {
        ALCint64SOFT nanoseconds = 0;
        alcGetInteger64vSOFT(device_, ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
        return static_cast<std::uint64_t>(nanoseconds / 1000) * static_cast<std::uint64_t>(rate_) / 1000000u;
    }
    if (loopback_)
        return renderedSamples_;
    return static_cast<std::uint64_t>((MonotonicSeconds() - openedAt_) * rate_);
}

void AudioEngine::Update()
{
    MakeCurrent();
    if (silent_)
        RenderSilently();
    const std::uint64_t clock = DspClock();
    for (Voice& voice : voices_)
    {
        if (!voice.active)
            continue;
        if (StateOf(voice.source) == AL_STOPPED)
        {
            Release(voice);
            continue;
        }
        if (voice.fades.empty())
            continue;
        Apply(voice, clock);
        // Points behind the clock but the last one no longer shape the fade.
        const auto past = std::ranges::upper_bound(voice.fades, clock, {}, &std::pair<std::uint64_t, float>::first);
        if (past - voice.fades.begin() > 1)
            voice.fades.erase(voice.fades.begin(), past - 1);
    }
}

void AudioEngine::RenderSilently()
{
    const double now = MonotonicSeconds();
    const double seconds = std::min(now - silentSince_, kSilentCatchUpSeconds);
    silentSince_ = now;
    silentMix_.resize(static_cast<std::size_t>(seconds * rate_));
    Render(silentMix_);
}

void AudioEngine::Render(std::span<float> mono)
{
    if (!loopback_ || mono.empty())
        return;
    alcRenderSamplesSOFT(device_, mono.data(), static_cast<ALCsizei>(mono.size()));
    renderedSamples_ += mono.size();
}
}
