#include "audiosystem.h"

#include "assertion.h"
#include "c_audiolistener.h"
#include "c_audiosource.h"
#include "compenum.h"
#include "console.h"
#include "gameobject.h"
#include "helpers.h"
#include "message.h"
#include "rigidbodyinterface.h"
#include "startup.h"
#include "transforminterface.h"

#include <algorithm>
#include <exception>
#include <iostream>

namespace
{
struct AudioFolder
{
    const char* path;
    Sound::AUDIO_TYPE type;
};
constexpr AudioFolder kAudioFolders[] = {
    {"Assets/Audio/BGM", Sound::BGM},
    {"Assets/Audio/SFX", Sound::SFX},
    {"Assets/Audio/Voiceovers", Sound::VO},
};

bool IsKnownType(Sound::AUDIO_TYPE type)
{
    return type == Sound::BGM || type == Sound::SFX || type == Sound::VO;
}

void ReportChannelsInUse()
{
    std::cout << "All channels in use! WTF ARE YOU DOING?";
}

// A file that is no sound is skipped silently; one that is too big to hold is worth a word.
void ReportSoundFailure(const std::string& path, platform::SoundFailure failure)
{
    const std::string file = GetFileName(path);
    const std::string limit = std::to_string(platform::AudioEngine::kMaxDecodedBytes >> 20) + " MB";
    if (failure == platform::SoundFailure::TooLarge)
        PrintColoredLine(ConsoleColor::Red, "\n\tAudio: " + file + " decodes to more than " + limit + ", skipped");
    else if (failure == platform::SoundFailure::OutOfMemory)
        PrintColoredLine(ConsoleColor::Red, "\n\tAudio: not enough memory to decode " + file + ", skipped");
}

Vector3 PositionOf(const AudioSource& source)
{
    const GameObject* object = source.GetGameObject(false);
    const TransformInterface* transform = object ? object->GetTransform() : nullptr;
    return transform ? transform->GetPosition() : Vector3();
}
} // namespace

AudioSystem::AudioSystem(std::string rootFolder, int loopbackRate)
    : System(SystemId::Audio), rootFolder_(std::move(rootFolder)),
      engine_(loopbackRate > 0 ? std::make_unique<platform::AudioEngine>(platform::AudioEngine::Loopback{loopbackRate})
                               : std::make_unique<platform::AudioEngine>())
{
    for (platform::GroupId& group : groups_)
        group = engine_->CreateGroup();
    loadTasks_.reserve(100);
    LoadSounds();
}

AudioSystem::~AudioSystem()
{
    // Headless cores never wait for the loading tasks; they must not outlive the table they fill.
    WaitForLoadTasks();
    StopAll();
}

void AudioSystem::WaitForLoadTasks()
{
    for (std::future<void>& task : loadTasks_)
    {
        if (!task.valid())
            continue;
        try
        {
            task.get();
        }
        catch (const std::exception& error)
        {
            ASSERT(false, std::string("Loading a sound failed: ") + error.what());
        }
    }
}

void AudioSystem::LoadSounds()
{
    std::cout << "\tAudio: Loading sounds ...";
    // A folder of more files than the system gives threads loads the rest when it is waited for.
    constexpr auto kPolicy = std::launch::async | std::launch::deferred;
    for (const AudioFolder& folder : kAudioFolders)
        for (const std::string& path : ListFolderFiles(rootFolder_ + folder.path))
            loadTasks_.push_back(std::async(kPolicy, [this, path, type = folder.type] { LoadSound(path, type); }));
    PrintColoredLine(ConsoleColor::Green, "done");
}

void AudioSystem::LoadSound(const std::string& path, Sound::AUDIO_TYPE type)
{
    std::string name = GetFileStem(path);
    // The first record of a name stays, so a later file of it need not be decoded.
    if (FindNamedSound(name))
        return;
    auto record = std::make_unique<Sound>();
    platform::SoundFailure failure = platform::SoundFailure::None;
    record->sound = engine_->CreateSound(
        path, type == Sound::SFX ? platform::SoundSpace::Positional : platform::SoundSpace::Flat, &failure);
    ReportSoundFailure(path, failure);
    if (!record->sound)
        return;
    record->name = std::move(name);
    record->type = type;
    const std::lock_guard lock(soundsLock_);
    const auto [entry, added] = sounds_.try_emplace(record->name, std::move(record));
    // A name that another task inserted meanwhile: the sound is released with the others, on the main thread.
    if (!added)
        unused_.push_back(std::move(record));
}

void AudioSystem::Init()
{
    if (Sound* found = FindNamedSound(kDefaultSoundName))
        defaultSound_ = found;
    std::cout << "System: Audio \t\t- OK" << std::endl;
}

Sound* AudioSystem::FindNamedSound(const std::string& name)
{
    const std::lock_guard lock(soundsLock_);
    const auto found = sounds_.find(name);
    return found == sounds_.end() ? nullptr : found->second.get();
}

Sound* AudioSystem::FindSound(const std::string& name)
{
    if (Sound* named = FindNamedSound(name))
        return named;
    // "Default" may still be loading when Init runs; it is picked up once it is there.
    if (!defaultSound_)
        defaultSound_ = FindNamedSound(kDefaultSoundName);
    return defaultSound_;
}

platform::GroupId AudioSystem::GroupOf(Sound::AUDIO_TYPE type) const
{
    return groups_[static_cast<std::size_t>(type)];
}

int AudioSystem::AllocateChannel()
{
    const auto take = [this](std::uint32_t slot) {
        inUse_[slot] = true;
        nextChannel_ = slot + 1;
        return static_cast<int>(slot);
    };
    // The sources play on voices of the same engine: a free slot without a free voice is no free channel.
    if (engine_->HasFreeVoice())
    {
        if (nextChannel_ < kChannelCount)
            for (std::uint32_t slot = nextChannel_; slot < kChannelCount; ++slot)
                if (!inUse_[slot])
                    return take(slot);
        nextChannel_ = 0;
        for (std::uint32_t slot = 0; slot < kChannelCount; ++slot)
            if (!inUse_[slot])
                return take(slot);
    }
    ReportChannelsInUse();
    return static_cast<int>(kChannelCount - 1);
}


void AudioSystem::RefreshChannels()
{
    for (std::size_t slot = 0; slot < kChannelCount; ++slot)
        if (!engine_->IsPlaying(channels_[slot]))
        {
            channels_[slot] = {};
            inUse_[slot] = false;
        }
}

void AudioSystem::PlaySource(AudioSource& source)
{
    if (engine_->IsPlaying(source.GetChannel()))
        return;
    const Sound* sound = source.GetSound();
    if (!sound || !sound->sound)
        return;
    // A source keeps its voice: a full engine takes a one-shot's for another channel, never a source's.
    const platform::ChannelHandle channel =
        engine_->Play(*sound->sound, GroupOf(sound->type),
                      source.IsLooping() ? platform::LoopMode::Forever : platform::LoopMode::Off, true,
                      platform::VoiceClaim::Held);
    if (channel == platform::ChannelHandle{})
        ReportChannelsInUse();
    engine_->SetPosition(channel, PositionOf(source));
    engine_->SetVolume(channel, source.GetVolume());
    engine_->SetPaused(channel, false);
    source.SetChannel(channel);
    // A new start is not held by a pause asked of the channel before it.
    source.StorePaused(false);
}

void AudioSystem::StopSource(const AudioSource& source)
{
    engine_->Stop(source.GetChannel());
}

void AudioSystem::PlayOneShot(std::string name, float volume, const Vector3& position)
{
    RefreshChannels();
    const int slot = AllocateChannel();
    const Sound* sound = FindSound(name);
    platform::ChannelHandle& channel = channels_[static_cast<std::size_t>(slot)];
    // Only a full pool hands out a busy slot; its sound gives way rather than playing on unreachable.
    engine_->Stop(channel);
    channel = {};
    if (!sound || !sound->sound)
        return;
    channel = engine_->Play(*sound->sound, GroupOf(sound->type), platform::LoopMode::Off, true);
    engine_->SetPosition(channel, position);
    engine_->SetVolume(channel, volume);
    engine_->SetPaused(channel, false);
}

void AudioSystem::SetGroupVolume(float volume, Sound::AUDIO_TYPE type)
{
    if (IsKnownType(type))
        engine_->SetGroupVolume(GroupOf(type), volume);
}

float AudioSystem::GetGroupVolume(Sound::AUDIO_TYPE type)
{
    return IsKnownType(type) ? engine_->GetGroupVolume(GroupOf(type)) : 0.0f;
}

void AudioSystem::SetMasterVolume(float volume)
{
    masterVolume_ = volume;
    ApplyMasterVolume();
}

float AudioSystem::GetMasterVolume()
{
    if (!masterMuted_)
        masterVolume_ = engine_->GetGroupVolume(platform::AudioEngine::kMaster);
    return masterVolume_;
}

void AudioSystem::StopAll()
{
    for (const platform::ChannelHandle& channel : channels_)
        engine_->Stop(channel);
    engine_->StopGroup(platform::AudioEngine::kMaster);
    RefreshChannels();
}

void AudioSystem::ApplyMasterVolume()
{
    engine_->SetGroupVolume(platform::AudioEngine::kMaster, masterMuted_ ? 0.0f : masterVolume_);
}

void AudioSystem::SetMasterPaused(bool paused, MasterPauseReason reason)
{
    masterPauses_[static_cast<std::size_t>(reason)] = paused;
    engine_->SetGroupPaused(platform::AudioEngine::kMaster, IsMasterPaused());
}

bool AudioSystem::IsMasterPaused() const
{
    return std::ranges::any_of(masterPauses_, [](bool paused) { return paused; });
}

void AudioSystem::SetMasterMuted(bool muted)
{
    masterMuted_ = muted;
    ApplyMasterVolume();
}

void AudioSystem::Update()
{
    UpdateListener();
    for (GameObject* object : sourceObjects_)
    {
        AudioSource* source = object->GetComponent<AudioSource>();
        if (!source || !source->GetSound())
            continue;
        const bool positioned = source->GetSound()->type == Sound::SFX;
        engine_->SetPosition(source->GetChannel(), positioned ? PositionOf(*source) : listenerPosition_);
        // A source paused by request stays paused.
        engine_->SetPaused(source->GetChannel(), source->IsPaused());
    }
    engine_->Update();
    RefreshChannels();
}

void AudioSystem::UpdateListener()
{
    // Without a listener the sound is heard from the origin, facing the way the library faces by default.
    Vector3 forward(0.0f, 0.0f, -1.0f), up(0.0f, 1.0f, 0.0f), velocity;
    listenerPosition_ = Vector3();
    if (listenerTransform_)
    {
        listenerPosition_ = listenerTransform_->GetPosition();
        forward = listenerTransform_->GetForward();
        up = listenerTransform_->GetUp();
    }
    if (RigidBodyInterface* body = listenerObject_ ? listenerObject_->GetRigidBody() : nullptr)
        velocity = body->GetVelocity();
    engine_->SetListener(listenerPosition_, velocity, forward, up);
}

void AudioSystem::RegisterObject(GameObject* object)
{
    ASSERT(object, "Audio System registering nullptr. RegisterObject function call");
    if (!object || object->IsDestroyed())
        return;
    AudioListener* listener = object->GetComponent<AudioListener>();
    if (listener && std::ranges::find(listeners_, listener, &ListenerEntry::listener) == listeners_.end())
    {
        listeners_.push_back({listener, object});
        UseListener(listeners_.back());
        if (listeners_.size() >= 2)
            std::cout << "Multiple Audio Listeners in use. Currently using Audio Listener from [" << object->GetName()
                      << "]." << std::endl;
    }
    AudioSource* source = object->GetComponent<AudioSource>();
    if (!source || sourceObjects_.Contains(object))
        return;
    source->BindSound(FindSound(source->GetClipName()));
    sourceObjects_.Add(object);
    PlayOnAwake(object);
}

void AudioSystem::UnregisterObject(GameObject* object)
{
    if (!Check(object, "Audio System unregistering nullptr. RegisterObject function call"))
        return;
    if (const AudioSource* source = object->GetComponent<AudioSource>())
        StopSource(*source);
    sourceObjects_.Remove(object);
    RemoveListeners(object);
}

void AudioSystem::RemoveListeners(const GameObject* object)
{
    // By object: a listener taken off the object still names it as the one to hear from.
    std::erase_if(listeners_, [object](const ListenerEntry& entry) { return entry.object == object; });
    UseListener(listeners_.empty() ? ListenerEntry{nullptr, nullptr} : listeners_.back());
}

void AudioSystem::UseListener(const ListenerEntry& entry)
{
    currentListener_ = entry.listener;
    listenerObject_ = entry.object;
    listenerTransform_ = entry.object ? entry.object->GetTransform() : nullptr;
}

AudioSource* AudioSystem::RegisteredSource(GameObject* object) const
{
    return object && sourceObjects_.Contains(object) ? object->GetComponent<AudioSource>() : nullptr;
}

void AudioSystem::PlayOnAwake(GameObject* object)
{
    AudioSource* source = RegisteredSource(object);
    // A disabled source, or one on an inactive object, waits until it is enabled.
    if (!source || !source->PlaysOnAwake() || !source->IsEnabled() || !object->IsActive())
        return;
    source->SetClip(source->GetClipName());
    PlaySource(*source);
}

void AudioSystem::HandleMessage(const BaseMessage& message)
{
    if (message.receiver == SystemId::All)
        HandleBroadcast(message);
    else if (message.receiver == SystemId::Audio)
        HandleSourceRequest(message);
}

void AudioSystem::HandleBroadcast(const BaseMessage& message)
{
    const MessageName name = message.name;
    if (name == MessageNames::Register || name == MessageNames::Destroy)
    {
        const auto* object = PayloadOf<GameObject*>(message);
        if (Check(object && *object, "Audio System registering/destroying nullptr. Message sent a nullptr"))
            name == MessageNames::Register ? RegisterObject(*object) : UnregisterObject(*object);
    }
    else if (name == MessageNames::Enable || name == MessageNames::Disable)
    {
        GameObject* object = PayloadObject<GameObject>(message);
        if (name == MessageNames::Enable)
            PlayOnAwake(object);
        else if (const AudioSource* source = RegisteredSource(object))
            StopSource(*source);
    }
    else if (name == MessageNames::EnableComponent || name == MessageNames::DisableComponent)
    {
        const auto* change = PayloadOf<std::pair<CompEnum, GameObject*>>(message);
        if (!change || change->first != CompEnum::AudioSource)
            return;
        if (name == MessageNames::EnableComponent)
            PlayOnAwake(change->second);
        else if (const AudioSource* source = RegisteredSource(change->second))
            StopSource(*source);
    }
}

void AudioSystem::HandleSourceRequest(const BaseMessage& message)
{
    const MessageName name = message.name;
    if (name == MessageNames::Play || name == MessageNames::Stop)
    {
        AudioSource* source = PayloadObject<AudioSource>(message);
        if (source && name == MessageNames::Play)
            PlaySource(*source);
        else if (source)
            StopSource(*source);
        return;
    }
    const auto* request = PayloadOf<std::pair<AudioSource*, bool>>(message);
    if (!request || !request->first)
        return;
    if (name == MessageNames::Pause)
        engine_->SetPaused(request->first->GetChannel(), request->second);
    else if (name == MessageNames::Fade)
        Fade(*request->first, request->second);
}

void AudioSystem::Fade(AudioSource& source, bool fadeIn)
{
    const platform::ChannelHandle channel = source.GetChannel();
    const std::uint64_t now = engine_->DspClock();
    const std::uint64_t end = now + static_cast<std::uint64_t>(engine_->OutputRate());
    engine_->AddFadePoint(channel, now, fadeIn ? 0.0f : 1.0f);
    engine_->AddFadePoint(channel, end, fadeIn ? 1.0f : 0.0f);
    // A fade is meant to be heard: it resumes a paused source.
    source.StorePaused(false);
    engine_->SetPaused(channel, false);
}
