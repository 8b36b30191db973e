#pragma once
// An AudioSystem on a loopback device over a fixture tree of sounds, in a Core whose other systems idle,
// with the message queue and an object world, so tests hear what the whole system plays.
#include "audiosystem.h"
#include "c_audiosource.h"
#include "core.h"
#include "idlesystem.h"
#include "messagingsystem.h"
#include "objectworld.h"
#include "tempfolder.h"
#include "wavfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Every fixture sound holds one level, so a render shows which one plays and at what gain.
namespace AudioLevels
{
inline constexpr float Default = 0.1f;
inline constexpr float Music = 0.2f;
inline constexpr float Shot = 0.3f;
inline constexpr float Line = 0.4f;
inline constexpr float Clash = 0.35f;
inline constexpr float Dir = 0.05f;
}

class AudioWorld : public ::testing::Test
{
protected:
    static constexpr int kRate = 48000;
    // Half a second of every sound.
    static constexpr int kSoundFrames = kRate / 2;
    static constexpr float kTolerance = 2e-3f;

    AudioWorld()
        : sounds_(WriteSounds()),
          core([this](SystemId id) -> std::unique_ptr<System> {
              if (id == SystemId::Audio)
                  return std::make_unique<AudioSystem>(sounds_->Folder(), kRate);
              return std::make_unique<IdleSystem>(id);
          }),
          messaging(core.MessageReceivers()), audio(*core.GetAudio())
    {
        core.WaitForLoading(audio.GetLoadTasks(), {}, {});
    }

    // Renders the frames with an audio update every hundredth of a second and gives the last sample.
    float Render(int frames)
    {
        std::vector<float> block;
        for (int done = 0; done < frames; done += static_cast<int>(block.size()))
        {
            block.assign(static_cast<std::size_t>(std::min(kRate / 100, frames - done)), 0.0f);
            audio.Engine().Render(block);
            audio.Update();
        }
        return block.empty() ? 0.0f : block.back();
    }

    // A live object with a transform and the named components.
    GameObject& Object(const std::string& name, const std::vector<std::string>& components = {})
    {
        GameObject& object = world.Live(name, ++lastId_);
        object.EnsureTransform();
        for (const std::string& component : components)
            object.AddComponent(component);
        return object;
    }
    template <class C>
    static C& Get(GameObject& object)
    {
        return *object.GetComponent<C>();
    }

    void Register(GameObject& object) { PostMessage(SystemId::None, SystemId::All, MessageNames::Register, &object); }

    // A registered object whose source loops the clip, not started yet.
    AudioSource& LoopingSource(const std::string& name, const std::string& clip)
    {
        GameObject& object = Object(name, {"AudioSource"});
        AudioSource& source = Get<AudioSource>(object);
        source.LoadClip(clip);
        source.SetLooping(true);
        Register(object);
        return source;
    }
    void Deliver() { messaging.Update(); }

private:
    static std::unique_ptr<TempFolder> WriteSounds()
    {
        auto folder = std::make_unique<TempFolder>();
        const std::string audio = folder->Folder() + "Assets/Audio/";
        for (const char* sub : {"BGM", "SFX", "Voiceovers"})
            std::filesystem::create_directories(audio + sub);
        const auto level = [&](const std::string& path, float value) {
            WriteLevelWav(audio + path, kRate, kSoundFrames, value);
        };
        level("BGM/Default.wav", AudioLevels::Default);
        level("BGM/Music.wav", AudioLevels::Music);
        level("SFX/Shot.wav", AudioLevels::Shot);
        level("Voiceovers/Line.wav", AudioLevels::Line);
        level("BGM/Same.wav", 0.5f);
        level("SFX/Same.wav", 0.6f);
        // A file that does not decode and a folder do not keep a good file of their name out.
        folder->Write("Assets/Audio/BGM/Clash.wav", "not a sound");
        level("SFX/Clash.wav", AudioLevels::Clash);
        folder->Write("Assets/Audio/BGM/Dir.wav/inside.wav", "");
        level("SFX/Dir.wav", AudioLevels::Dir);
        return folder;
    }

    std::unique_ptr<TempFolder> sounds_;
    ObjectId lastId_ = 0;

protected:
    Core core;
    MessagingSystem messaging;
    AudioSystem& audio;
    ObjectWorld world;
};
