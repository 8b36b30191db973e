#include "allscripts.h"

#include "xmltext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

class GameObjectInterface;

namespace
{
std::string Written(const MonoBehaviorInterface& script, const std::string& name = "name")
{
    return XmlText().Written([&](XMLWriter& writer) {
        int counter = 0;
        script.WriteXml(writer, counter, name);
    });
}

// Reads the first element of a text into the script.
void Read(MonoBehaviorInterface& script, const std::string& text)
{
    const auto reader = XmlText().Parsed(text);
    script.ReadXml(*reader->GetRoot());
}

TEST(ScriptPattern, FactoriesGiveConstructionValues)
{
    auto* owner = reinterpret_cast<GameObjectInterface*>(0x1000);
    const std::unique_ptr<MonoBehaviorInterface> made(CreateScript<CrumblingFloor>(owner));
    const auto& floor = dynamic_cast<const CrumblingFloor&>(*made);
    EXPECT_EQ(floor.owner, owner);
    EXPECT_EQ(floor.state, ScriptState::Created);
    EXPECT_EQ(floor.dummy, 0);
    EXPECT_EQ(floor.timer, 0.5f);
    EXPECT_FALSE(floor.rewind);
    EXPECT_EQ(floor.rewindTime, 0.0f);

    const CutsceneCamera camera;
    EXPECT_TRUE(camera.transitionIn);
    EXPECT_TRUE(camera.transitionOut);
    EXPECT_FALSE(camera.panning);
    EXPECT_EQ(camera.panDirection, Vector3());
    EXPECT_EQ(camera.nextCamera, "");
}

TEST(ScriptPattern, CloneCopiesEveryField)
{
    Cutscene_Final original;
    original.owner = reinterpret_cast<GameObjectInterface*>(0x2000);
    original.state = ScriptState::Running;
    original.setName = "Set";
    original.sourceName = std::string(100, 's');
    const auto clone = original.Clone();
    const auto& copy = dynamic_cast<const Cutscene_Final&>(*clone);
    EXPECT_EQ(copy.owner, original.owner);
    EXPECT_EQ(copy.state, ScriptState::Running);
    EXPECT_EQ(copy.setName, "Set");
    EXPECT_EQ(copy.sourceName, original.sourceName);
    EXPECT_NE(copy.sourceName.data(), original.sourceName.data());
    EXPECT_NE(dynamic_cast<const Heart*>(Heart().Clone().get()), nullptr);
}

TEST(ScriptPattern, TestMonoRoundTripsEveryValueKind)
{
    TestMono saved;
    saved.x = -42;
    saved.y = 2.5f;
    saved.z = "a text";
    saved.a = {1.5f, -2.0f};
    saved.b = {0.25f, 0.0f, 1e-07f};
    const std::string text = Written(saved);
    EXPECT_EQ(text, "<TestMono>\n\t<x>-42</x>\n\t<y>2.5</y>\n\t<z>a text</z>\n\t<a>1.5, -2</a>\n"
                    "\t<b>0.25, 0, 1e-07</b>\n</TestMono>\n");
    TestMono loaded;
    Read(loaded, text);
    EXPECT_EQ(loaded.x, -42);
    EXPECT_EQ(loaded.y, 2.5f);
    EXPECT_EQ(loaded.z, "a text");
    EXPECT_EQ(loaded.a, Vector2(1.5f, -2.0f));
    EXPECT_EQ(loaded.b, Vector3(0.25f, 0.0f, 1e-07f));
    EXPECT_TRUE(loaded.Equals(saved));
    EXPECT_EQ(Written(loaded), text);
}

TEST(ScriptPattern, MonosLeavesCountOnlyScriptsWithoutProperties)
{
    Heart heart;
    Turret turret;
    turret.range = 5.0f;
    Keys keys;
    const std::string text = XmlText().Written([&](XMLWriter& writer) {
        int counter = 0;
        writer.BeginElement("Monos");
        heart.WriteXml(writer, counter, "Heart");
        turret.WriteXml(writer, counter, "Turret");
        keys.WriteXml(writer, counter, "Keys");
        writer.EndElement();
        EXPECT_EQ(counter, 2);
    });
    EXPECT_EQ(text, "<Monos>\n\t<Monos0>Heart</Monos0>\n\t<Turret>\n\t\t<Range>5</Range>\n"
                    "\t\t<TimeBetweenShots>0</TimeBetweenShots>\n\t</Turret>\n\t<Monos1>Keys</Monos1>\n</Monos>\n");
}

TEST(ScriptPattern, ReadingTakesOnlyItsOwnElementAndExactKeys)
{
    Turret turret;
    turret.range = 1.0f;
    turret.timeBetweenShots = 2.0f;
    // Another class's element, even with the same keys.
    Read(turret, "<TurretFollowing>\n\t<Range>9</Range>\n</TurretFollowing>\n");
    EXPECT_EQ(turret.range, 1.0f);
    // A missing key keeps its value; a key in another letter case and a stranger are ignored.
    Read(turret, "<Turret>\n\t<range>7</range>\n\t<Other>3</Other>\n\t<TimeBetweenShots>4</TimeBetweenShots>\n</Turret>\n");
    EXPECT_EQ(turret.range, 1.0f);
    EXPECT_EQ(turret.timeBetweenShots, 4.0f);

    // A scene that leaves a transition out keeps it on.
    CutsceneCamera camera;
    Read(camera, "<CutsceneCamera>\n\t<TransitionOut>false</TransitionOut>\n\t<PanDirection>0, 1, 0</PanDirection>\n"
                 "</CutsceneCamera>\n");
    EXPECT_TRUE(camera.transitionIn);
    EXPECT_FALSE(camera.transitionOut);
    EXPECT_EQ(camera.panDirection, Vector3(0, 1, 0));
}

TEST(ScriptPattern, BadSavedValuesAreReportedAndKept)
{
    CrumblingFloor floor;
    floor.rewind = true;
    floor.rewindTime = 3.0f;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Read(floor, "<CrumblingFloor>\n\t<Timer>soon</Timer>\n\t<Rewind>True</Rewind>\n\t<TimeToRewind>6</TimeToRewind>\n"
                "</CrumblingFloor>\n");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Boolean field in xml file is neither True nor False\n");
    EXPECT_NE(errors.find("'Timer'"), std::string::npos) << errors;
    EXPECT_NE(errors.find("'soon'"), std::string::npos) << errors;
    EXPECT_EQ(floor.timer, 0.5f);
    EXPECT_TRUE(floor.rewind);
    EXPECT_EQ(floor.rewindTime, 6.0f);
}

TEST(ScriptPattern, ComparisonFollowsEveryProperty)
{
    BossBehaviour prototype;
    prototype.range_ = 10.0f;
    const auto first = prototype.Clone();
    const auto second = prototype.Clone();
    EXPECT_TRUE(first->Equals(*second));
    EXPECT_FALSE(first->NotEquals(*second));
    dynamic_cast<BossBehaviour&>(*second).chargeUpTime_ = 0.5f;
    EXPECT_FALSE(first->Equals(*second));
    EXPECT_TRUE(first->NotEquals(*second));

    // A NaN is equal to nothing, not even to its own copy.
    DestroyAfterSeconds timed;
    timed.timer = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(timed.Clone()->Equals(timed));

    // Scripts without properties are always equal.
    EXPECT_TRUE(Heart().Equals(Keys()));
    EXPECT_FALSE(Heart().NotEquals(Keys()));
}

TEST(ScriptPattern, VectorsCompareWithinOneMillionth)
{
    CutsceneCamera camera;
    camera.panDirection = {1.0f, 0.0f, 0.0f};
    CutsceneCamera close = camera;
    close.panDirection.y = 5e-7f;
    EXPECT_TRUE(camera.Equals(close));
    CutsceneCamera apart = camera;
    apart.panDirection.y = 1e-5f;
    EXPECT_FALSE(camera.Equals(apart));
    EXPECT_TRUE(camera.NotEquals(apart));
}

TEST(ScriptPattern, ComparingWithAnotherClassAssertsWithTheClassHeader)
{
    const Turret turret;
    const TurretFollowing following;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(turret.Equals(following));
    EXPECT_TRUE(turret.NotEquals(following));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Turret compare function kena nullptr"), std::string::npos) << errors;
    EXPECT_NE(errors.find("turret.h"), std::string::npos) << errors;
}
} // namespace
