#pragma once
#include "TorvaneMath.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform
{
class Sound;
}

// A loaded sound: its name (the file name without folder and extension), the decoded sound, and the folder
// it came from. Scripts use only its kinds.
struct Sound
{
    enum AUDIO_TYPE : std::int32_t
    {
        BGM = 0,
        SFX = 1,
        VO = 2,
    };

    std::string name;
    std::unique_ptr<platform::Sound> sound;
    AUDIO_TYPE type = BGM;
};

// The audio system as scripts see it.
class AudioInterface
{
public:
    // Plays the named sound once at the position; a name that is not loaded plays "Default".
    virtual void PlayOneShot(std::string name, float volume, const Vector3& position) = 0;
    virtual void SetGroupVolume(float volume, Sound::AUDIO_TYPE type) = 0;
    virtual float GetGroupVolume(Sound::AUDIO_TYPE type) = 0;
    virtual void SetMasterVolume(float volume) = 0;
    virtual float GetMasterVolume() = 0;
    virtual void StopAll() = 0;

protected:
    ~AudioInterface() = default;
};
