#include "audioworld.h"
#include "c_audiolistener.h"
#include "c_audiosource.h"
#include "c_transform.h"
#include "childprocess.h"
#include "objectfactory.h"
#include "platform/childprocess.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <vector>

namespace
{
using AudioSystemTest = AudioWorld;

std::vector<std::string> Names(const AudioSystem& audio)
{
    std::vector<std::string> names;
    for (const auto& [name, sound] : audio.GetSounds())
        names.push_back(name);
    return names;
}
} // namespace

TEST_F(AudioSystemTest, LoadsEveryFileThatDecodesUnderItsStemOnceAndSaysSo)
{
    EXPECT_EQ(Names(audio), (std::vector<std::string>{"Clash", "Default", "Dir", "Line", "Music", "Same", "Shot"}));
    const auto& sounds = audio.GetSounds();
    EXPECT_EQ(sounds.at("Music")->type, Sound::BGM);
    EXPECT_EQ(sounds.at("Shot")->type, Sound::SFX);
    EXPECT_EQ(sounds.at("Line")->type, Sound::VO);
    EXPECT_EQ(sounds.at("Clash")->type, Sound::SFX) << "the BGM file of that name does not decode";
    EXPECT_EQ(sounds.at("Dir")->type, Sound::SFX) << "the BGM entry of that name is a folder";

    testing::internal::CaptureStdout();
    AudioSystem another("/no/such/root/", kRate);
    another.Init();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\tAudio: Loading sounds ...done\nSystem: Audio \t\t- OK\n");
    EXPECT_TRUE(another.GetSounds().empty());
    EXPECT_EQ(another.FindSound("Default"), nullptr);
}

TEST_F(AudioSystemTest, OneShotsPlayByNameAndUnknownNamesPlayDefault)
{
    const struct
    {
        const char* name;
        float level;
    } cases[] = {{"Music", AudioLevels::Music}, {"Line", AudioLevels::Line}, {"Nothing", AudioLevels::Default},
                 {"", AudioLevels::Default}};
    for (const auto& each : cases)
    {
        audio.PlayOneShot(each.name, 0.5f, {});
        EXPECT_NEAR(Render(960), each.level * 0.5f, kTolerance) << each.name;
        audio.StopAll();
    }
    // Effects are placed: twice the reference distance halves them.
    audio.PlayOneShot("Shot", 1.0f, {30.0f, 0.0f, 0.0f});
    EXPECT_NEAR(Render(960), AudioLevels::Shot * 0.5f, kTolerance);
}

TEST_F(AudioSystemTest, TheSlotAfterTheLastIsTakenAndAFullPoolReusesSlot255)
{
    EXPECT_EQ(audio.AllocateChannel(), 0);
    EXPECT_EQ(audio.AllocateChannel(), 1);
    audio.RefreshChannels();
    EXPECT_EQ(audio.AllocateChannel(), 2) << "the search goes on from the last slot taken";
    audio.RefreshChannels();

    for (std::size_t count = 0; count < AudioSystem::kChannelCount; ++count)
        audio.PlayOneShot("Music", 1.0f, {});
    const platform::ChannelHandle replaced = audio.SlotChannel(255);
    ASSERT_TRUE(audio.Engine().IsPlaying(replaced));
    testing::internal::CaptureStdout();
    audio.PlayOneShot("Line", 1.0f, {});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "All channels in use! WTF ARE YOU DOING?");
    EXPECT_FALSE(audio.Engine().IsPlaying(replaced)) << "the replaced sound is stopped, not orphaned";
    EXPECT_TRUE(audio.Engine().IsPlaying(audio.SlotChannel(255)));
    EXPECT_TRUE(audio.Engine().IsPlaying(audio.SlotChannel(254)));
}

TEST_F(AudioSystemTest, OneShotsThatFillTheVoicesNeverCutASource)
{
    AudioSource& music = LoopingSource("Radio", "Music");
    music.Play();
    Deliver();

    testing::internal::CaptureStdout();
    for (std::size_t count = 0; count <= AudioSystem::kChannelCount; ++count)
        audio.PlayOneShot("Shot", 1.0f, {});
    EXPECT_NE(testing::internal::GetCapturedStdout().find("All channels in use! WTF ARE YOU DOING?"),
              std::string::npos);
    EXPECT_TRUE(audio.Engine().IsPlaying(music.GetChannel()));
    EXPECT_TRUE(audio.Engine().IsPlaying(audio.SlotChannel(255)));
    EXPECT_NEAR(Render(kRate), AudioLevels::Music, kTolerance) << "the one-shots are over, the music plays on";

    // Sources holding every voice leave nothing to take, for a source or a one-shot.
    music.Stop();
    Deliver();
    const Sound& shot = *audio.FindSound("Shot");
    while (audio.Engine().HasFreeVoice())
        audio.Engine().Play(*shot.sound, 0, platform::LoopMode::Forever, false, platform::VoiceClaim::Held);
    testing::internal::CaptureStdout();
    music.Play();
    Deliver();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "All channels in use! WTF ARE YOU DOING?");
    EXPECT_FALSE(audio.Engine().IsPlaying(music.GetChannel()));
}

TEST_F(AudioSystemTest, GroupAndMasterVolumesMultiplyAndMutingKeepsTheMasterVolume)
{
    audio.SetGroupVolume(0.5f, Sound::BGM);
    audio.SetMasterVolume(0.5f);
    audio.PlayOneShot("Music", 0.8f, {});
    EXPECT_NEAR(Render(960), AudioLevels::Music * 0.8f * 0.5f * 0.5f, kTolerance);
    EXPECT_FLOAT_EQ(audio.GetGroupVolume(Sound::BGM), 0.5f);
    EXPECT_FLOAT_EQ(audio.GetGroupVolume(Sound::SFX), 1.0f);
    EXPECT_FLOAT_EQ(audio.GetGroupVolume(static_cast<Sound::AUDIO_TYPE>(7)), 0.0f);
    audio.SetGroupVolume(0.1f, static_cast<Sound::AUDIO_TYPE>(-1));

    audio.SetMasterMuted(true);
    EXPECT_NEAR(Render(960), 0.0f, kTolerance);
    EXPECT_FLOAT_EQ(audio.GetMasterVolume(), 0.5f);
    audio.SetMasterMuted(false);
    EXPECT_NEAR(Render(960), AudioLevels::Music * 0.2f, kTolerance);
}

TEST_F(AudioSystemTest, TheMasterGroupPlaysOnlyWhenNeitherTheWindowNorTheEditorPausesIt)
{
    audio.PlayOneShot("Music", 1.0f, {});
    audio.SetMasterPaused(true, MasterPauseReason::Editor);
    audio.SetMasterPaused(true);
    audio.SetMasterPaused(false);
    EXPECT_TRUE(audio.IsMasterPaused()) << "regaining the focus keeps the editor's pause";
    EXPECT_NEAR(Render(960), 0.0f, kTolerance);
    audio.SetMasterPaused(false, MasterPauseReason::Editor);
    EXPECT_FALSE(audio.IsMasterPaused());
    EXPECT_NEAR(Render(960), AudioLevels::Music, kTolerance);
}

TEST_F(AudioSystemTest, ASecondListenerIsUsedAndDestroyingItReturnsToTheFirst)
{
    GameObject& first = Object("Camera", {"AudioListener"});
    GameObject& second = Object("Player", {"AudioListener"});
    first.GetComponent<Transform>()->SetPosition({30.0f, 0.0f, 0.0f});
    audio.RegisterObject(&first);
    testing::internal::CaptureStdout();
    audio.RegisterObject(&second);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Multiple Audio Listeners in use. Currently using Audio Listener from [Player].\n");
    EXPECT_EQ(audio.GetCurrentListener(), second.GetComponent<AudioListener>());

    audio.PlayOneShot("Shot", 1.0f, {});
    EXPECT_NEAR(Render(960), AudioLevels::Shot, kTolerance);

    // A listener taken off its object before the object goes is dropped with the object.
    GameObject& drone = Object("Drone", {"AudioListener"});
    testing::internal::CaptureStdout();
    audio.RegisterObject(&drone);
    testing::internal::GetCapturedStdout();
    drone.RemoveComponent(drone.GetComponent<AudioListener>());
    audio.UnregisterObject(&drone);
    world.live.pop_back();
    EXPECT_EQ(audio.GetCurrentListener(), second.GetComponent<AudioListener>());
    Render(960);

    audio.UnregisterObject(&second);
    EXPECT_EQ(audio.GetCurrentListener(), first.GetComponent<AudioListener>());
    EXPECT_NEAR(Render(960), AudioLevels::Shot * 0.5f, kTolerance) << "heard from the first listener, 30 away";
    audio.UnregisterObject(&first);
    EXPECT_EQ(audio.GetCurrentListener(), nullptr);
}

TEST_F(AudioSystemTest, RegistrationKeepsTheClipAndStartsSourcesThatPlayOnAwake)
{
    GameObject& quiet = Object("Quiet", {"AudioSource"});
    GameObject& music = Object("Music", {"AudioSource"});
    Get<AudioSource>(quiet).LoadClip("Line");
    Get<AudioSource>(music).LoadClip("Music");
    Get<AudioSource>(music).SetPlayOnAwake(true);
    Get<AudioSource>(music).SetLooping(true);
    Register(quiet);
    Register(music);
    Deliver();
    EXPECT_EQ(Get<AudioSource>(quiet).GetSound(), audio.FindSound("Line"));
    EXPECT_FALSE(audio.Engine().IsPlaying(Get<AudioSource>(quiet).GetChannel()));
    EXPECT_NEAR(Render(kRate), AudioLevels::Music, kTolerance) << "looping past the sound's end";

    PostMessage(SystemId::None, SystemId::All, MessageNames::Destroy, &music);
    Deliver();
    EXPECT_FALSE(audio.Engine().IsPlaying(Get<AudioSource>(music).GetChannel()));
}

TEST_F(AudioSystemTest, PausedSourcesStayPausedUntilPlayAndLoopingBelongsToTheChannel)
{
    AudioSource& source = LoopingSource("Radio", "Shot");
    source.Play();
    audio.PlayOneShot("Shot", 1.0f, {});
    Deliver();
    EXPECT_NEAR(Render(kRate), AudioLevels::Shot, kTolerance) << "the one-shot has ended, the source loops";
    EXPECT_FALSE(audio.Engine().IsPlaying(audio.SlotChannel(0)));

    source.Pause(true);
    Deliver();
    EXPECT_NEAR(Render(9600), 0.0f, kTolerance) << "the frame's update does not undo the pause";
    source.Play();
    Deliver();
    EXPECT_NEAR(Render(960), AudioLevels::Shot, kTolerance);

    source.Stop();
    Deliver();
    EXPECT_NEAR(Render(960), 0.0f, kTolerance);
}

TEST_F(AudioSystemTest, EffectSourcesAreHeardWhereTheirObjectIsAndFollowIt)
{
    GameObject& object = Object("Bell", {"AudioSource"});
    AudioSource& source = Get<AudioSource>(object);
    source.LoadClip("Shot");
    source.SetLooping(true);
    object.GetComponent<Transform>()->SetPosition({30.0f, 0.0f, 0.0f});
    Register(object);
    source.Play();
    Deliver();
    EXPECT_NEAR(Render(960), AudioLevels::Shot * 0.5f, kTolerance);
    object.GetComponent<Transform>()->SetPosition({0.0f, 0.0f, 60.0f});
    EXPECT_NEAR(Render(960), AudioLevels::Shot * 0.25f, kTolerance);
}

TEST_F(AudioSystemTest, AFadeOutFromPointEightRampsToZeroOverOneSecondAndPlaysOn)
{
    GameObject& object = Object("Radio", {"AudioSource"});
    AudioSource& source = Get<AudioSource>(object);
    source.LoadClip("Music");
    source.SetLooping(true);
    source.SetVolume(0.8f);
    Register(object);
    source.Play();
    Deliver();
    source.Fade(false);
    Deliver();
    const float full = AudioLevels::Music * 0.8f;
    const float step = full / 100.0f + kTolerance;
    EXPECT_NEAR(Render(kRate / 2), full * 0.5f, step);
    EXPECT_NEAR(Render(kRate / 2), 0.0f, step);
    EXPECT_NEAR(Render(kRate / 2), 0.0f, kTolerance);
    EXPECT_TRUE(audio.Engine().IsPlaying(source.GetChannel()));

    // A fade is heard: it resumes a paused source, and the frame's update does not pause it again.
    source.Pause(true);
    source.Fade(true);
    Deliver();
    EXPECT_FALSE(source.IsPaused());
    EXPECT_NEAR(Render(kRate / 2), full * 0.5f, step);
    EXPECT_NEAR(Render(kRate / 2 + 960), full, kTolerance);
}

TEST_F(AudioSystemTest, DisablingStopsASourceAndEnablingRestartsOneThatPlaysOnAwake)
{
    GameObject& object = Object("Radio", {"AudioSource"});
    AudioSource& source = Get<AudioSource>(object);
    source.LoadClip("Music");
    source.SetPlayOnAwake(true);
    Register(object);
    Deliver();
    const platform::ChannelHandle first = source.GetChannel();
    ASSERT_TRUE(audio.Engine().IsPlaying(first));

    object.SetActive(false);
    Deliver();
    EXPECT_FALSE(audio.Engine().IsPlaying(first));
    object.SetActive(true);
    Deliver();
    EXPECT_TRUE(audio.Engine().IsPlaying(source.GetChannel()));

    source.SetEnabled(false);
    Deliver();
    EXPECT_FALSE(audio.Engine().IsPlaying(source.GetChannel()));
    source.SetEnabled(true);
    Deliver();
    EXPECT_TRUE(audio.Engine().IsPlaying(source.GetChannel()));

    source.Pause(true);
    object.SetActive(false);
    object.SetActive(true);
    Deliver();
    EXPECT_FALSE(source.IsPaused()) << "a restart is a new start";
    EXPECT_NEAR(Render(960), AudioLevels::Music, kTolerance);

    audio.PlayOneShot("Line", 1.0f, {});
    audio.StopAll();
    EXPECT_FALSE(audio.Engine().IsPlaying(source.GetChannel()));
    EXPECT_NEAR(Render(960), 0.0f, kTolerance);
}

TEST_F(AudioSystemTest, SourcesThatPlayOnAwakeWaitWhileDisabledOrOnAnInactiveObject)
{
    GameObject& inactive = Object("Inactive", {"AudioSource"});
    GameObject& disabled = Object("Disabled", {"AudioSource"});
    for (GameObject* object : {&inactive, &disabled})
    {
        Get<AudioSource>(*object).LoadClip("Music");
        Get<AudioSource>(*object).SetPlayOnAwake(true);
    }
    inactive.SetActive(false);
    Get<AudioSource>(disabled).SetEnabled(false);
    Deliver();
    Register(inactive);
    Register(disabled);
    Deliver();
    EXPECT_NEAR(Render(960), 0.0f, kTolerance);

    inactive.SetActive(true);
    Deliver();
    EXPECT_NEAR(Render(960), AudioLevels::Music, kTolerance);
    Get<AudioSource>(disabled).SetEnabled(true);
    Deliver();
    EXPECT_NEAR(Render(960), AudioLevels::Music * 2.0f, kTolerance);
}

TEST_F(AudioSystemTest, NullObjectsAndMessagesAreReportedAndIgnored)
{
    testing::internal::CaptureStderr();
    audio.RegisterObject(nullptr);
    audio.UnregisterObject(nullptr);
    PostMessage(SystemId::None, SystemId::All, MessageNames::Register, static_cast<GameObject*>(nullptr));
    Deliver();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Audio System registering nullptr. RegisterObject function call"), std::string::npos);
    EXPECT_NE(said.find("Audio System unregistering nullptr. RegisterObject function call"), std::string::npos);
    EXPECT_NE(said.find("Audio System registering/destroying nullptr. Message sent a nullptr"), std::string::npos);
}

namespace
{
// Names the sound folder in the child that loads it under a memory cap.
constexpr const char* kCappedRootVariable = "NEKTARU_CAPPED_SOUND_ROOT";
constexpr std::size_t kMemoryCap = std::size_t{128} << 20;
} // namespace

// Runs only as the child of the test below; disabled, so that a run of every test does not start it alone.
TEST(AudioSystemMemoryCap, DISABLED_ChildLoadsTheFolderUnderTheCap)
{
    const char* root = std::getenv(kCappedRootVariable);
    if (!root)
        GTEST_SKIP() << "started by SoundsTooBigToHoldAreReportedByNameAndTheOthersLoad";
    ASSERT_TRUE(platform::LimitThisProcess(kMemoryCap, 60));
    AudioSystem audio(root, 48000);
    for (std::future<void>& task : audio.GetLoadTasks())
        task.get();
    std::cout << "Loaded:";
    for (const std::string& name : Names(audio))
        std::cout << " " << name;
    std::cout << std::endl;
}

TEST(AudioSystemMemoryCap, SoundsTooBigToHoldAreReportedByNameAndTheOthersLoad)
{
    TempFolder root;
    const std::string audio = root.Folder() + "Assets/Audio/";
    for (const char* sub : {"BGM", "SFX", "Voiceovers"})
        std::filesystem::create_directories(audio + sub);
    constexpr int kRate = 48000;
    // Eight channels of silence: twenty minutes are past the limit, five minutes are under it but past the cap.
    WriteSilentWav(audio + "BGM/Endless.wav", 8, kRate, kRate * 60 * 20);
    WriteSilentWav(audio + "BGM/Long.wav", 8, kRate, kRate * 60 * 5);
    WriteLevelWav(audio + "SFX/Shot.wav", kRate, kRate / 10);

    // The sanitizer's allocator answers null, as the system's does, rather than ending the program.
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    const std::string options = (sanitizer ? std::string(sanitizer) + ":" : "") + "allocator_may_return_null=1";
    ChildProcess child(platform::ExecutablePath(), {"--gtest_also_run_disabled_tests",
                       "--gtest_filter=*.DISABLED_ChildLoadsTheFolderUnderTheCap"},
                       root.Folder(), root.Folder() + "stdout.txt", root.Folder() + "stderr.txt",
                       {{kCappedRootVariable, root.Folder()}, {"ASAN_OPTIONS", options}});
    ASSERT_EQ(child.Wait(), 0) << root.Read("stdout.txt") << root.Read("stderr.txt");
    const std::string said = root.Read("stdout.txt");
    EXPECT_THAT(said, testing::HasSubstr("\tAudio: Endless.wav decodes to more than 512 MB, skipped\n"));
    EXPECT_THAT(said, testing::HasSubstr("\tAudio: not enough memory to decode Long.wav, skipped\n"));
    EXPECT_THAT(said, testing::HasSubstr("Loaded: Shot\n"));
}

TEST(AudioDemo, TheGeneratedSoundsLoadAndTheSplashLevelPlaysItsMusic)
{
    Core core([](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Audio)
            return std::make_unique<AudioSystem>(NEKTARU_ASSETS_ROOT, 48000);
        return std::make_unique<IdleSystem>(id);
    });
    MessagingSystem messaging(core.MessageReceivers());
    AudioSystem& audio = *core.GetAudio();
    core.WaitForLoading(audio.GetLoadTasks(), {}, {});
    std::vector<std::string> voices;
    for (const auto& [cutscene, panels] : {std::pair{1, 6}, {2, 5}, {3, 5}, {4, 4}})
        for (int panel = 1; panel <= panels; ++panel)
            voices.push_back("CutScene_" + std::to_string(cutscene) + "_Panel_" + std::to_string(panel));
    std::vector<std::string> expected = voices;
    expected.insert(expected.end(),
                    {"CutScene_BGM", "Default", "bgm_boss", "bgm_credits", "bgm_menu", "bgm_respawn", "bgm_splash",
                     "bgm_tomb", "bgm_truedeath", "sfx_BombTicking", "sfx_BossAttack", "sfx_BossChargeAttack",
                     "sfx_BossCharging", "sfx_BoxBreak", "sfx_BoxHit", "sfx_CheckPointSound", "sfx_CoffinDrop",
                     "sfx_DoorCrumble", "sfx_GroundBreaking", "sfx_GroundShake", "sfx_ItemPickUp",
                     "sfx_MenuButtonClick", "sfx_MenuButtonRollOver", "sfx_PauseMenuPopUp", "sfx_PlayerAttackSound_1",
                     "sfx_PlayerAttackSound_2", "sfx_PlayerAttackSound_3", "sfx_PlayerDash_3", "sfx_PlayerHurt",
                     "sfx_SetScream", "sfx_Sparks", "sfx_SpellBreak", "sfx_ThrowEnemy", "sfx_TurretAttack",
                     "sfx_chargerSpawn", "sfx_construction", "sfx_dash", "sfx_doorbreak", "sfx_dooropen", "sfx_drop",
                     "sfx_fire", "sfx_firedeath", "sfx_footsteps", "sfx_icedeath", "sfx_jump", "sfx_melt",
                     "sfx_pylonBreak", "sfx_pylonHit", "sfx_pylonHitWithShield", "vo_welcome"});
    EXPECT_EQ(Names(audio), expected);
    EXPECT_EQ(audio.GetSounds().at("Default")->type, Sound::SFX);
    // The voice-over slider acts on every panel's line, the music slider on the cutscenes' music.
    for (const std::string& voice : voices)
        EXPECT_EQ(audio.GetSounds().at(voice)->type, Sound::VO) << voice;
    EXPECT_EQ(audio.GetSounds().at("CutScene_BGM")->type, Sound::BGM);

    ObjectFactory factory(std::string(NEKTARU_SOURCE_DIR) + "/Bin/");
    factory.LoadLevelFile(std::string(NEKTARU_SOURCE_DIR) + "/Bin/Assets/XML/SplashCalvorn.xml", true);
    messaging.Update();
    ASSERT_NE(audio.GetCurrentListener(), nullptr);
    const GameObject* music = factory.FindObject("SplashMusic");
    ASSERT_NE(music, nullptr);
    const auto* source = music->GetComponent<AudioSource>();
    EXPECT_EQ(source->GetSound(), audio.FindSound("bgm_splash"));
    EXPECT_TRUE(audio.Engine().IsPlaying(source->GetChannel()));

    // The sparks crackle where they are.
    const GameObject* sparks = factory.FindObject("SplashSparks");
    ASSERT_NE(sparks, nullptr);
    const auto* crackle = sparks->GetComponent<AudioSource>();
    ASSERT_NE(crackle, nullptr);
    EXPECT_EQ(crackle->GetSound(), audio.FindSound("sfx_Sparks"));
    EXPECT_TRUE(audio.Engine().IsPlaying(crackle->GetChannel()));
}
