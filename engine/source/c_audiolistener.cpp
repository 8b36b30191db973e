#include "c_audiolistener.h"

namespace
{
const auto kMembers = MemberTable<AudioListener, float>{
    ValueAccessors<AudioListener>("Radius", &AudioListener::GetRadius, &AudioListener::SetRadius),
};
} // namespace

AudioListener::AudioListener() : ComponentBase(CompEnum::AudioListener)
{
}

void AudioListener::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kMembers);
}

void AudioListener::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kMembers);
}

std::unique_ptr<Component> AudioListener::Clone() const
{
    return std::make_unique<AudioListener>(*this);
}

bool AudioListener::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kMembers);
}
