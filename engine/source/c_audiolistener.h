#pragma once
#include "audiolistenerinterface.h"
#include "component.h"

// Marks the object whose transform the audio system hears from. The radius is stored and shown only.
class AudioListener : public ComponentBase<AudioListenerInterface>
{
public:
    static constexpr float kDefaultRadius = 15.0f;

    AudioListener();
    AudioListener(const AudioListener& source) = default;
    AudioListener& operator=(const AudioListener&) = delete;

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "AudioListener"; }
    std::unique_ptr<Component> Clone() const override;
    bool Compare(const Component& other) const override;

    float GetRadius() const { return radius_; }
    void SetRadius(float radius) { radius_ = radius; }

private:
    float radius_ = kDefaultRadius;
};
