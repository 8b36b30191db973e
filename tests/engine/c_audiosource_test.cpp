#include "audioworld.h"
#include "c_audiolistener.h"
#include "c_audiosource.h"
#include "componentregistry.h"
#include "xmltext.h"

#include <gtest/gtest.h>

namespace
{
class AudioComponents : public AudioWorld
{
protected:
    std::string Saved(const Component& component, const Component* prefab = nullptr) const
    {
        return xml.Written([&](XMLWriter& writer) { component.Serialize(writer, prefab); });
    }
    void Load(Component& component, const std::string& text) const
    {
        const auto reader = xml.Parsed(text);
        component.Deserialize(*reader->GetRoot());
    }
    // Name, receiver and source of every queued request, oldest first.
    std::vector<std::string> Requests()
    {
        std::vector<std::string> taken;
        while (messaging.QueuedCount() > 0)
        {
            const auto message = messaging.PopMessage();
            EXPECT_EQ(message->receiver, SystemId::Audio);
            const auto* flagged = PayloadOf<std::pair<AudioSource*, bool>>(*message);
            const std::string flag = flagged ? (flagged->second ? " true" : " false") : "";
            taken.push_back(std::string(message->name.View()) + flag);
        }
        return taken;
    }

    XmlText xml;
};
} // namespace

TEST_F(AudioComponents, ANewSourceWritesEveryMemberInTableOrder)
{
    const auto created = ComponentCreators().at("AudioSource")();
    EXPECT_EQ(created->GetKind(), CompEnum::AudioSource);
    EXPECT_EQ(static_cast<AudioSource&>(*created).GetSound(), audio.FindSound("Default"));
    EXPECT_EQ(Saved(*created), "<AudioSource>\n"
                               "\t<Enabled>true</Enabled>\n"
                               "\t<AudioClip>Default</AudioClip>\n"
                               "\t<Volume>1</Volume>\n"
                               "\t<Is3D>false</Is3D>\n"
                               "\t<Loop>false</Loop>\n"
                               "\t<PlayOnAwake>false</PlayOnAwake>\n"
                               "\t<MuteInEditor>false</MuteInEditor>\n"
                               "</AudioSource>\n");

    AudioSource prefab;
    EXPECT_EQ(Saved(*created, &prefab), "");
    prefab.SetVolume(0.5f);
    prefab.SetLooping(true);
    EXPECT_EQ(Saved(*created, &prefab), "<AudioSource>\n"
                                        "\t<Volume>1</Volume>\n"
                                        "\t<Loop>false</Loop>\n"
                                        "</AudioSource>\n");
}

TEST_F(AudioComponents, LoadingBindsTheClipByNameAndKeepsANameNotLoaded)
{
    AudioSource source;
    Load(source, "<AudioSource>\n"
                 "\t<Loop>true</Loop>\n"
                 "\t<AudioClip>Music</AudioClip>\n"
                 "\t<Volume>0.25</Volume>\n"
                 "\t<PlayOnAwake>true</PlayOnAwake>\n"
                 "\t<Is3D>true</Is3D>\n"
                 "\t<MuteInEditor>true</MuteInEditor>\n"
                 "\t<Pitch>2</Pitch>\n"
                 "</AudioSource>\n");
    EXPECT_EQ(source.GetClipName(), "Music");
    EXPECT_EQ(source.GetSound(), audio.FindSound("Music"));
    EXPECT_FLOAT_EQ(source.GetVolume(), 0.25f);
    EXPECT_TRUE(source.IsLooping() && source.PlaysOnAwake() && source.Is3D() && source.IsMutedInEditor());

    AudioSource later;
    Load(later, "<AudioSource>\n\t<AudioClip>NotYetLoaded</AudioClip>\n</AudioSource>\n");
    EXPECT_EQ(later.GetClipName(), "NotYetLoaded");
    EXPECT_EQ(later.GetSound(), audio.FindSound("Default"));

    AudioSource other;
    Load(other, "<AudioListener>\n\t<AudioClip>Music</AudioClip>\n</AudioListener>\n");
    EXPECT_EQ(other.GetClipName(), "Default");
}

TEST_F(AudioComponents, SetClipChangesOnlyForALoadedName)
{
    AudioSource source;
    source.SetClip("Line");
    EXPECT_EQ(source.GetClipName(), "Line");
    EXPECT_EQ(source.GetSound(), audio.FindSound("Line"));
    for (const char* unchanged : {"", "Nothing"})
    {
        source.SetClip(unchanged);
        EXPECT_EQ(source.GetClipName(), "Line") << unchanged;
        EXPECT_EQ(source.GetSound(), audio.FindSound("Line")) << unchanged;
    }
}

TEST_F(AudioComponents, AClonePlaysOnItsOwnEnabledUnmutedAndRebound)
{
    AudioSource source;
    source.SetClip("Music");
    source.SetVolume(0.3f);
    source.SetLooping(true);
    source.Set3D(true);
    source.SetMuteInEditor(true);
    source.SetEnabled(false);
    source.SetChannel({4, 9});
    source.Pause(true);
    const auto clone = source.Clone();
    const auto& copy = static_cast<const AudioSource&>(*clone);
    EXPECT_TRUE(copy.IsEnabled());
    EXPECT_FALSE(copy.IsMutedInEditor());
    EXPECT_FALSE(copy.IsPaused());
    EXPECT_EQ(copy.GetChannel(), platform::ChannelHandle{});
    EXPECT_EQ(copy.GetClipName(), "Music");
    EXPECT_EQ(copy.GetSound(), audio.FindSound("Music"));
    EXPECT_TRUE(copy.IsLooping() && copy.Is3D());
    EXPECT_FLOAT_EQ(copy.GetVolume(), 0.3f);

    AudioSource unknown;
    unknown.LoadClip("Gone");
    unknown.BindSound(audio.FindSound("Line"));
    EXPECT_EQ(static_cast<const AudioSource&>(*unknown.Clone()).GetSound(), audio.FindSound("Default"));
}

TEST_F(AudioComponents, RequestsSetThePausedFlagAtOnceAndQueueForTheAudioSystem)
{
    AudioSource source;
    source.Pause(true);
    EXPECT_TRUE(source.IsPaused());
    source.Play();
    EXPECT_FALSE(source.IsPaused());
    source.Pause(true);
    source.Stop();
    EXPECT_FALSE(source.IsPaused());
    source.Fade(true);
    source.Fade(false);
    EXPECT_EQ(Requests(), (std::vector<std::string>{"Pause true", "Play", "Pause true", "Stop", "Fade true",
                                                    "Fade false"}));
}

TEST_F(AudioComponents, CompareGoesMemberByMemberAndRefusesOtherClasses)
{
    AudioSource source, same;
    EXPECT_TRUE(source.Compare(same));
    same.SetMuteInEditor(true);
    EXPECT_FALSE(source.Compare(same));

    AudioListener listener;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(source.Compare(listener));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("AudioSource compare function kena nullptr"),
              std::string::npos);
}

TEST_F(AudioComponents, AListenerHasRadiusFifteenAndStoresOnlyIt)
{
    const auto created = ComponentCreators().at("AudioListener")();
    EXPECT_EQ(created->GetKind(), CompEnum::AudioListener);
    EXPECT_EQ(Saved(*created), "<AudioListener>\n"
                               "\t<Radius>15</Radius>\n"
                               "</AudioListener>\n");
    AudioListener loaded;
    Load(loaded, "<AudioListener>\n\t<Radius>4.5</Radius>\n\t<Enabled>false</Enabled>\n</AudioListener>\n");
    EXPECT_TRUE(loaded.IsEnabled());
    EXPECT_FLOAT_EQ(loaded.GetRadius(), 4.5f);
    EXPECT_FALSE(loaded.Compare(*created));
    EXPECT_EQ(Saved(loaded, created.get()), "<AudioListener>\n"
                                            "\t<Radius>4.5</Radius>\n"
                                            "</AudioListener>\n");

    loaded.SetEnabled(false);
    const auto clone = loaded.Clone();
    EXPECT_FALSE(clone->IsEnabled());
    EXPECT_FLOAT_EQ(static_cast<const AudioListener&>(*clone).GetRadius(), 4.5f);
}
