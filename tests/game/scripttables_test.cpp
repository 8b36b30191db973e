#include "aicharacter.h"
#include "allscripts.h"

#include "xmltext.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace property;

template <class T>
std::unique_ptr<MonoBehaviorInterface> Make()
{
    return std::unique_ptr<MonoBehaviorInterface>(CreateScript<T>(nullptr));
}

struct Described
{
    std::function<std::unique_ptr<MonoBehaviorInterface>()> make;
    const char* className;
    // Inspector name and saved key of each property, in saved order.
    std::vector<std::pair<const char*, const char*>> properties;
};

const std::vector<Described>& AllDescribed()
{
    static const std::vector<Described> all = {
        {Make<TestMono>, "TestMono", {{"x", "x"}, {"y", "y"}, {"z", "z"}, {"a", "a"}, {"b", "b"}}},
        {Make<Turret>, "Turret", {{"range", "Range"}, {"timeBetweenShots", "TimeBetweenShots"}}},
        {Make<TurretFollowing>, "TurretFollowing", {{"range", "Range"}, {"timeBetweenShots", "TimeBetweenShots"}}},
        {Make<ChargingEnemy>,
         "ChargingEnemy",
         {{"chargingDist_", "ChargingDistance"},
          {"chargingSpeed_", "ChargingSpeed"},
          {"maxTimer", "MaxTimer"},
          {"timeTillRespawn_", "TimeTillRespawn"}}},
        {Make<BridgeScript>, "BridgeScript", {{"switchCount_", "SwitchCount"}}},
        {Make<BreakableObject>, "BreakableObject", {{"hits", "HitsToBreak"}}},
        {Make<CrumblingFloor>, "CrumblingFloor", {{"timer", "Timer"}, {"rewind", "Rewind"}, {"rewindTime", "TimeToRewind"}}},
        {Make<TargetSwitch>, "TargetSwitch", {{"bridgeName_", "BridgeName"}}},
        {Make<DestroyAfterSeconds>, "DestroyAfterSeconds", {{"timer", "Timer"}}},
        {Make<BossSwitch>, "BossSwitch", {{"healthMax_", "Health"}}},
        {Make<BossBehaviour>,
         "BossBehaviour",
         {{"range_", "Range"}, {"timeBetweenShots_", "TimeBetweenShots"}, {"chargeUpTime_", "ChargeUpTime"}}},
        {Make<SplashScreen>, "SplashScreen", {{"nextLevel", "NextLevel"}}},
        {Make<MainMenuVisuals>, "MainMenuVisuals", {{"speed", "ScrollSpeed"}}},
        {Make<CreditsRolling>, "CreditsRolling", {{"speed", "Speed"}}},
        {Make<Cutscene2D>, "Cutscene2D", {{"cutscene", "Cutscene"}, {"nextLevel", "NextLevel"}}},
        {Make<CutsceneCamera>,
         "CutsceneCamera",
         {{"transitionIn", "TransitionIn"},
          {"transitionOut", "TransitionOut"},
          {"cutsceneTime", "CutsceneTime"},
          {"nextCamera", "NextCamera"},
          {"subtitleName", "SubtitleName"},
          {"audioName", "AudioName"},
          {"panning", "Panning"},
          {"panSpeed", "PanSpeed"},
          {"panDirection", "PanDirection"},
          {"shake", "Shake"},
          {"shakeAmount", "ShakeAmount"}}},
        {Make<CutsceneTrigger>, "CutsceneTrigger", {{"cameraName", "CameraName"}}},
        {Make<Cutscene_L1S3>, "Cutscene_L1S3", {{"setName", "Set"}, {"coffinName", "Coffin"}, {"flashName", "Flash"}}},
        {Make<Cutscene_L2S3>, "Cutscene_L2S3", {{"setName", "Set"}, {"flashName", "Flash"}}},
        {Make<Cutscene_Final>, "Cutscene_Final", {{"setName", "Set"}, {"coffinName", "Coffin"}, {"sourceName", "Source"}}},
    };
    return all;
}

TEST(ScriptTables, EveryDescribedClassListsItsPropertiesAfterTheLink)
{
    std::size_t properties = 0;
    for (const Described& described : AllDescribed())
    {
        const auto script = described.make();
        const table& own = script->GetPropertyTable();
        SCOPED_TRACE(described.className);
        EXPECT_STREQ(own.className, described.className);
        EXPECT_EQ(own.classHash, PropertyNameHash(described.className));
        ASSERT_EQ(own.count, described.properties.size() + 1);
        EXPECT_STREQ(own.entries[0].info.name, "MonoBehaviorInterface");
        EXPECT_EQ(own.entries[0].kind, PropertyKind::Table);
        for (std::size_t n = 0; n < described.properties.size(); ++n)
        {
            const PropertyEntry& entry = own.entries[n + 1];
            EXPECT_STREQ(entry.info.name, described.properties[n].first);
            EXPECT_EQ(FlagsOf(entry, script.get()) & 0xF, 0u);
            EXPECT_EQ(Find(own, entry.info.name), &entry);
        }
        // The saved keys, in the same order, as WriteXml writes them.
        std::string expected = std::string("<") + described.className + ">\n";
        const std::string written = XmlText().Written([&](XMLWriter& writer) {
            int counter = 0;
            script->WriteXml(writer, counter, "ignored");
            EXPECT_EQ(counter, 0);
        });
        std::size_t at = 0;
        for (const auto& [name, key] : described.properties)
        {
            at = written.find(std::string("\t<") + key + ">", at);
            EXPECT_NE(at, std::string::npos) << key << " in\n" << written;
        }
        EXPECT_TRUE(written.starts_with(expected)) << written;
        EXPECT_TRUE(written.ends_with(std::string("</") + described.className + ">\n")) << written;
        properties += described.properties.size();
    }
    EXPECT_EQ(AllDescribed().size(), 20u);
    EXPECT_EQ(properties, 49u);
}

TEST(ScriptTables, LookupProbesPastTakenSlotsAndWraps)
{
    ChargingEnemy charging;
    CrumblingFloor crumbling;
    Turret turret;
    struct Case
    {
        const table& described;
        const char* name;
        int entry; // -1: absent
    };
    const Case cases[] = {
        // Its home slot 19 holds the link: it wraps to slot 0.
        {charging.GetPropertyTable(), "chargingSpeed_", 2},
        {charging.GetPropertyTable(), "timeTillRespawn_", 4},
        {charging.GetPropertyTable(), "MonoBehaviorInterface", 0},
        {charging.GetPropertyTable(), "ChargingSpeed", -1},
        // Shares its home slot with the link.
        {crumbling.GetPropertyTable(), "timer", 1},
        {crumbling.GetPropertyTable(), "rewindTime", 3},
        {crumbling.GetPropertyTable(), "Timer", -1},
        {turret.GetPropertyTable(), "dummy", -1},
        {turret.GetPropertyTable(), "", -1},
    };
    for (const Case& c : cases)
    {
        const PropertyEntry* found = Find(c.described, c.name);
        EXPECT_EQ(found, c.entry < 0 ? nullptr : &c.described.entries[c.entry]) << c.described.className << " " << c.name;
    }
    const table& chargingTable = charging.GetPropertyTable();
    EXPECT_STREQ(chargingTable.index[19].entry->info.name, "MonoBehaviorInterface");
    EXPECT_STREQ(chargingTable.index[0].entry->info.name, "chargingSpeed_");
    const table& crumblingTable = crumbling.GetPropertyTable();
    EXPECT_EQ(PropertyNameHash("timer") % 16, PropertyNameHash("MonoBehaviorInterface") % 16);
    EXPECT_STREQ(crumblingTable.index[8].entry->info.name, "timer");
}

TEST(ScriptTables, ValuesAreReadAndWrittenThroughTheTable)
{
    Turret turret;
    const table& own = turret.GetPropertyTable();
    EXPECT_TRUE(WriteProperty(own, AddressOf(turret), "timeBetweenShots", 2.5f));
    EXPECT_EQ(turret.timeBetweenShots, 2.5f);
    turret.range = 12.0f;
    EXPECT_EQ(std::get<float>(*ReadProperty(own, AddressOf(turret), "range")), 12.0f);

    CutsceneCamera camera;
    EXPECT_TRUE(WriteProperty(camera.GetPropertyTable(), AddressOf(camera), "nextCamera", std::string("Cam2")));
    EXPECT_TRUE(WriteProperty(camera.GetPropertyTable(), AddressOf(camera), "panDirection", Vector3(0, 1, 0)));
    EXPECT_EQ(camera.nextCamera, "Cam2");
    EXPECT_EQ(camera.panDirection, Vector3(0, 1, 0));
}

TEST(ScriptTables, DummyIsReadOnlyEverywhere)
{
    // A script without properties answers with the base table.
    Heart heart;
    const table& base = heart.GetPropertyTable();
    EXPECT_EQ(&base, &MonoBehaviorInterface::StaticPropertyTable());
    EXPECT_STREQ(base.className, "MonoBehaviorInterface");
    ASSERT_EQ(base.count, 1u);
    EXPECT_EQ(FlagsOf(base.entries[0], &heart) & 0xF, flags::kReadOnly);
    EXPECT_EQ(std::get<int>(*ReadProperty(base, AddressOf(heart), "dummy")), 0);
    EXPECT_FALSE(WriteProperty(base, AddressOf(heart), "dummy", 5));
    EXPECT_EQ(heart.dummy, 0);

    // A described class reaches it through its link, on its own base part.
    Turret turret;
    const NestedTable link = OpenTable(turret.GetPropertyTable().entries[0], AddressOf(turret));
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.nested, &base);
    EXPECT_EQ(link.object, static_cast<MonoBehaviorInterface*>(&turret));
    turret.dummy = 3;
    EXPECT_EQ(std::get<int>(*ReadProperty(*link.nested, link.object, "dummy")), 3);
    EXPECT_FALSE(WriteProperty(*link.nested, link.object, "dummy", 5));
    EXPECT_EQ(turret.dummy, 3);
}

TEST(ScriptTables, AICharacterHidesDummy2)
{
    const table& own = AICharacter::StaticPropertyTable();
    EXPECT_STREQ(own.className, "AICharacter");
    ASSERT_EQ(own.count, 1u);
    EXPECT_STREQ(own.entries[0].info.name, "dummy2");
    EXPECT_EQ(own.entries[0].kind, PropertyKind::Int);
    EXPECT_EQ(FlagsOf(own.entries[0], nullptr) & 0xF, flags::kCarried | flags::kHidden);
    EXPECT_STREQ(kAIStateNames[0], "None");
    EXPECT_STREQ(kAIStateNames[7], "OnHit");
    EXPECT_STREQ(kAIStateNames[13], "Spawn");
}

TEST(ScriptTables, BaseFieldsFollowTheVirtualTablePointer)
{
    // Tools outside the library read them at these places.
    Turret turret;
    const char* start = reinterpret_cast<const char*>(&turret);
    EXPECT_EQ(reinterpret_cast<const char*>(&turret.owner) - start, 8);
    EXPECT_EQ(reinterpret_cast<const char*>(&turret.state) - start, 16);
    EXPECT_EQ(reinterpret_cast<const char*>(&turret.dummy) - start, 20);
}
} // namespace
