#include "platform/audioengine.h"

#include "tempfolder.h"
#include "wavfile.h"

#include <gtest/gtest.h>

#include <vector>

using platform::AudioEngine;
using platform::ChannelHandle;
using platform::LoopMode;
using platform::SoundSpace;

namespace
{
constexpr int kRate = 48000;
// Sounds hold this level; what a render shows is it times the channel's gain.
constexpr float kLevel = 0.5f;
constexpr float kTolerance = 2e-3f;

class AudioEngineTest : public ::testing::Test
{
protected:
    AudioEngineTest()
    {
        WriteLevelWav(folder.Folder() + "tenth.wav", kRate, kRate / 10);
        tenth = engine.CreateSound(folder.Folder() + "tenth.wav", SoundSpace::Flat);
        positional = engine.CreateSound(folder.Folder() + "tenth.wav", SoundSpace::Positional);
        group = engine.CreateGroup();
    }

    // Renders the frames, updating the engine every hundredth of a second as the frame loop would, and gives
    // the last sample (gain changes are smoothed over the first few samples of a block).
    float Render(int frames)
    {
        std::vector<float> block;
        for (int done = 0; done < frames; done += static_cast<int>(block.size()))
        {
            block.assign(static_cast<std::size_t>(std::min(kRate / 100, frames - done)), 0.0f);
            engine.Render(block);
            engine.Update();
        }
        return block.empty() ? 0.0f : block.back();
    }

    ChannelHandle Start(const platform::Sound& sound, LoopMode loop = LoopMode::Off)
    {
        return engine.Play(sound, group, loop, false);
    }

    TempFolder folder;
    AudioEngine engine{AudioEngine::Loopback{kRate}};
    std::unique_ptr<platform::Sound> tenth;
    std::unique_ptr<platform::Sound> positional;
    platform::GroupId group = 0;
};
} // namespace

TEST_F(AudioEngineTest, PlaysPausesResumesAndEnds)
{
    ASSERT_TRUE(tenth);
    const ChannelHandle channel = Start(*tenth);
    EXPECT_TRUE(engine.IsPlaying(channel));
    EXPECT_NEAR(Render(960), kLevel, kTolerance);

    engine.SetPaused(channel, true);
    EXPECT_NEAR(Render(9600), 0.0f, kTolerance);
    EXPECT_TRUE(engine.IsPlaying(channel)) << "a paused channel still plays";
    engine.SetPaused(channel, false);
    EXPECT_NEAR(Render(960), kLevel, kTolerance);

    Render(kRate / 10);
    EXPECT_FALSE(engine.IsPlaying(channel));
    engine.SetPaused(channel, false);
    EXPECT_FALSE(engine.IsPlaying(channel)) << "resuming never restarts an ended channel";
    EXPECT_NEAR(Render(960), 0.0f, kTolerance);
}

TEST_F(AudioEngineTest, StopEndsAtOnceAndLoopingGoesOn)
{
    const ChannelHandle stopped = Start(*tenth);
    const ChannelHandle looping = Start(*tenth, LoopMode::Forever);
    Render(960);
    engine.Stop(stopped);
    EXPECT_FALSE(engine.IsPlaying(stopped));
    EXPECT_NEAR(Render(kRate / 2), kLevel, kTolerance) << "only the looping channel is left";
    EXPECT_TRUE(engine.IsPlaying(looping));
}

TEST_F(AudioEngineTest, AStaleHandleControlsNothingOnItsReusedVoice)
{
    const ChannelHandle old = Start(*tenth);
    engine.Stop(old);
    const ChannelHandle reused = Start(*tenth, LoopMode::Forever);
    ASSERT_EQ(reused.voice, old.voice);
    EXPECT_NE(reused.generation, old.generation);

    engine.SetVolume(old, 0.0f);
    engine.SetPaused(old, true);
    engine.Stop(old);
    EXPECT_FALSE(engine.IsPlaying(old));
    EXPECT_TRUE(engine.IsPlaying(reused));
    EXPECT_FALSE(engine.IsPaused(reused));
    EXPECT_NEAR(Render(960), kLevel, kTolerance);
    EXPECT_FALSE(engine.IsPlaying(ChannelHandle{})) << "the default handle is no channel";
}

TEST_F(AudioEngineTest, GainIsChannelTimesGroupTimesMasterAndAnyPauseHolds)
{
    const ChannelHandle channel = Start(*tenth, LoopMode::Forever);
    engine.SetVolume(channel, 0.8f);
    engine.SetGroupVolume(group, 0.5f);
    engine.SetGroupVolume(AudioEngine::kMaster, 0.25f);
    EXPECT_NEAR(Render(960), kLevel * 0.8f * 0.5f * 0.25f, kTolerance);
    EXPECT_FLOAT_EQ(engine.GetGroupVolume(group), 0.5f);

    engine.SetGroupPaused(AudioEngine::kMaster, true);
    engine.SetGroupPaused(group, true);
    engine.SetGroupPaused(group, false);
    EXPECT_NEAR(Render(960), 0.0f, kTolerance) << "the master pause still holds";
    engine.SetGroupPaused(AudioEngine::kMaster, false);
    EXPECT_NEAR(Render(960), kLevel * 0.1f, kTolerance);

    engine.StopGroup(AudioEngine::kMaster);
    EXPECT_FALSE(engine.IsPlaying(channel));
}

TEST_F(AudioEngineTest, AOneSecondFadeOutRampsDownAndHoldsAtZero)
{
    const ChannelHandle channel = Start(*tenth, LoopMode::Forever);
    engine.SetVolume(channel, 0.8f);
    const std::uint64_t clock = engine.DspClock();
    engine.AddFadePoint(channel, clock, 1.0f);
    engine.AddFadePoint(channel, clock + static_cast<std::uint64_t>(engine.OutputRate()), 0.0f);
    // The gain follows the clock at each update, a hundredth of a second apart, so a block lags one step.
    const float step = kLevel * 0.8f / 100.0f + kTolerance;
    EXPECT_NEAR(Render(kRate / 4), kLevel * 0.8f * 0.75f, step);
    EXPECT_NEAR(Render(kRate / 4), kLevel * 0.8f * 0.5f, step);
    EXPECT_NEAR(Render(kRate / 2), 0.0f, step);
    EXPECT_NEAR(Render(kRate), 0.0f, kTolerance);
    EXPECT_TRUE(engine.IsPlaying(channel)) << "a channel faded out goes on at zero";
}

TEST_F(AudioEngineTest, PositionalSoundsFallOffByInverseDistanceFromFifteenUnits)
{
    engine.SetListener({0.0f, 0.0f, 0.0f}, {}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f});
    const struct
    {
        Vector3 position;
        float gain;
    } cases[] = {
        {{0.0f, 0.0f, -7.5f}, 1.0f},   {{0.0f, 0.0f, -15.0f}, 1.0f}, {{0.0f, 0.0f, -30.0f}, 0.5f},
        {{60.0f, 0.0f, 0.0f}, 0.25f},  {{0.0f, -150.0f, 0.0f}, 0.1f},
    };
    const ChannelHandle channel = Start(*positional, LoopMode::Forever);
    for (const auto& each : cases)
    {
        engine.SetPosition(channel, each.position);
        EXPECT_NEAR(Render(960), kLevel * each.gain, kTolerance) << each.position.x << ", " << each.position.z;
    }
    const ChannelHandle flat = Start(*tenth, LoopMode::Forever);
    engine.Stop(channel);
    engine.SetPosition(flat, {0.0f, 0.0f, -300.0f});
    EXPECT_NEAR(Render(960), kLevel, kTolerance) << "a flat sound is not positioned";
}

TEST_F(AudioEngineTest, ManyChannelFilesPlayedPositionedAreMixedToMono)
{
    std::vector<float> stereo;
    for (int frame = 0; frame < kRate / 10; ++frame)
        stereo.insert(stereo.end(), {0.6f, 0.2f});
    WriteWav(folder.Folder() + "stereo.wav", 2, kRate, stereo);
    const auto sound = engine.CreateSound(folder.Folder() + "stereo.wav", SoundSpace::Positional);
    ASSERT_TRUE(sound);
    Start(*sound);
    EXPECT_NEAR(Render(960), 0.4f, kTolerance);
}

TEST_F(AudioEngineTest, FilesThatDoNotDecodeGiveNoSound)
{
    folder.Write("noise.wav", "RIFF this is no wave file");
    folder.Write("empty.ogg", "");
    EXPECT_FALSE(engine.CreateSound(folder.Folder() + "noise.wav", SoundSpace::Flat));
    EXPECT_FALSE(engine.CreateSound(folder.Folder() + "empty.ogg", SoundSpace::Flat));
    EXPECT_FALSE(engine.CreateSound(folder.Folder() + "missing.flac", SoundSpace::Flat));
}

TEST_F(AudioEngineTest, WhenEveryVoiceIsBusyTheOldestChannelMakesRoom)
{
    std::vector<ChannelHandle> channels;
    for (std::size_t count = 0; count < AudioEngine::kVoiceCount; ++count)
        channels.push_back(Start(*tenth, LoopMode::Forever));
    ASSERT_TRUE(engine.IsPlaying(channels.back()));
    const ChannelHandle extra = Start(*tenth);
    EXPECT_TRUE(engine.IsPlaying(extra));
    EXPECT_EQ(extra.voice, channels.front().voice);
    EXPECT_FALSE(engine.IsPlaying(channels.front()));
    EXPECT_TRUE(engine.IsPlaying(channels[1]));
}

TEST_F(AudioEngineTest, AFullEngineNeverTakesTheVoiceOfAHeldChannel)
{
    const ChannelHandle held = engine.Play(*tenth, group, LoopMode::Forever, false, platform::VoiceClaim::Held);
    std::vector<ChannelHandle> yielding;
    while (engine.HasFreeVoice())
        yielding.push_back(Start(*tenth, LoopMode::Forever));
    ASSERT_EQ(yielding.size(), AudioEngine::kVoiceCount - 1);
    const ChannelHandle extra = Start(*tenth);
    EXPECT_EQ(extra.voice, yielding.front().voice) << "the oldest yielding channel makes room";
    EXPECT_TRUE(engine.IsPlaying(held));

    for (const ChannelHandle& channel : yielding)
        engine.Stop(channel);
    engine.Stop(extra);
    while (engine.HasFreeVoice())
        engine.Play(*tenth, group, LoopMode::Forever, false, platform::VoiceClaim::Held);
    EXPECT_EQ(Start(*tenth), ChannelHandle{}) << "every voice held: no channel";
    EXPECT_TRUE(engine.IsPlaying(held));
}

TEST_F(AudioEngineTest, AnEndedChannelFreesItsVoiceBeforeTheUpdate)
{
    std::vector<ChannelHandle> channels;
    for (std::size_t count = 0; count < AudioEngine::kVoiceCount; ++count)
        channels.push_back(Start(*tenth, count == 0 ? LoopMode::Off : LoopMode::Forever));
    EXPECT_FALSE(engine.HasFreeVoice());
    std::vector<float> block(kRate / 5);
    engine.Render(block);
    EXPECT_TRUE(engine.HasFreeVoice()) << "the first channel has ended";
    EXPECT_EQ(Start(*tenth).voice, channels.front().voice);
    EXPECT_TRUE(engine.IsPlaying(channels[1]));
}

TEST_F(AudioEngineTest, ReleasingASoundStopsItsChannels)
{
    const ChannelHandle channel = Start(*tenth, LoopMode::Forever);
    tenth.reset();
    EXPECT_FALSE(engine.IsPlaying(channel));
    EXPECT_NEAR(Render(960), 0.0f, kTolerance);
}

TEST(AudioEngineDevice, WithoutTheNamedDeviceItSaysSoOnceAndStillPlays)
{
    TempFolder folder;
    WriteLevelWav(folder.Folder() + "level.wav", kRate, kRate / 10);
    testing::internal::CaptureStdout();
    AudioEngine engine("no such sound device");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("Audio: no sound device could be opened"), std::string::npos);
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;

    const auto sound = engine.CreateSound(folder.Folder() + "level.wav", SoundSpace::Positional);
    ASSERT_TRUE(sound);
    const ChannelHandle channel = engine.Play(*sound, AudioEngine::kMaster, LoopMode::Forever, false);
    engine.SetPosition(channel, {1.0f, 2.0f, 3.0f});
    engine.Update();
    EXPECT_TRUE(engine.IsPlaying(channel));
    EXPECT_GT(engine.OutputRate(), 0);
}
