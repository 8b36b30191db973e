#include "c_audiosource.h"

#include "audiosystem.h"
#include "core.h"
#include "messagingsystem.h"

#include <utility>

namespace
{
const auto kMembers = MemberTable<AudioSource, bool, std::string, float, bool, bool, bool, bool>{
    EnabledMember<AudioSource>(),
    RefAccessors<AudioSource>("AudioClip", &AudioSource::GetClipName, &AudioSource::LoadClip),
    ValueAccessors<AudioSource>("Volume", &AudioSource::GetVolume, &AudioSource::SetVolume),
    ValueAccessors<AudioSource>("Is3D", &AudioSource::Is3D, &AudioSource::Set3D),
    ValueAccessors<AudioSource>("Loop", &AudioSource::IsLooping, &AudioSource::SetLooping),
    ValueAccessors<AudioSource>("PlayOnAwake", &AudioSource::PlaysOnAwake, &AudioSource::SetPlayOnAwake),
    ValueAccessors<AudioSource>("MuteInEditor", &AudioSource::IsMutedInEditor, &AudioSource::SetMuteInEditor),
};

AudioSystem* Audio()
{
    return gCore ? gCore->GetAudio() : nullptr;
}

Sound* FindSound(const std::string& name)
{
    AudioSystem* audio = Audio();
    return audio ? audio->FindSound(name) : nullptr;
}

template <class Payload>
void Request(MessageName name, Payload payload)
{
    PostMessage(SystemId::None, SystemId::Audio, name, std::move(payload));
}
} // namespace

AudioSource::AudioSource() : ComponentBase(CompEnum::AudioSource), sound_(FindSound(""))
{
}

AudioSource::AudioSource(const AudioSource& source)
    : ComponentBase(source), clipName_(source.clipName_), volume_(source.volume_), loop_(source.loop_),
      playOnAwake_(source.playOnAwake_), is3D_(source.is3D_)
{
    StoreEnabled(true);
    sound_ = clipName_.empty() ? source.sound_ : FindSound(clipName_);
}

AudioSource::~AudioSource()
{
    if (AudioSystem* audio = Audio())
        audio->StopSource(*this);
}

void AudioSource::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void AudioSource::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

std::unique_ptr<Component> AudioSource::Clone() const
{
    return std::make_unique<AudioSource>(*this);
}

bool AudioSource::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kMembers);
}

void AudioSource::Play()
{
    paused_ = false;
    Request(MessageNames::Play, this);
}

void AudioSource::Pause(bool paused)
{
    paused_ = paused;
    Request(MessageNames::Pause, std::pair<AudioSource*, bool>(this, paused));
}

void AudioSource::Stop()
{
    paused_ = false;
    Request(MessageNames::Stop, this);
}

void AudioSource::Fade(bool fadeIn)
{
    Request(MessageNames::Fade, std::pair<AudioSource*, bool>(this, fadeIn));
}

void AudioSource::SetClip(const std::string& name)
{
    AudioSystem* audio = Audio();
    Sound* sound = name.empty() || !audio ? nullptr : audio->FindNamedSound(name);
    if (!sound)
        return;
    sound_ = sound;
    clipName_ = name;
}

void AudioSource::LoadClip(const std::string& name)
{
    clipName_ = name;
    SetClip(name);
}
