#include "monobehavior.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "c_transform.h"
#include "componentregistry.h"
#include "scriptworld.h"

using testing::ElementsAre;

namespace
{
class MonoBehaviorTest : public testing::Test
{
protected:
    void Read(MonoBehaviorDLL& holder, const std::string& text) const
    {
        const auto reader = world.xml.Parsed(text);
        holder.Deserialize(*reader->GetRoot());
    }
    // As a file does it: no "DisableComponent" is sent.
    void Disable(MonoBehaviorDLL& holder) const
    {
        Read(holder, "<MonoBehavior>\n\t<Enabled>false</Enabled>\n</MonoBehavior>\n");
    }

    ScriptWorld world;
};

TEST_F(MonoBehaviorTest, IsTheRegisteredMonoBehaviorElement)
{
    const auto created = ComponentCreators().at("MonoBehavior")();
    ASSERT_NE(dynamic_cast<MonoBehaviorDLL*>(created.get()), nullptr);
    EXPECT_EQ(created->GetKind(), CompEnum::MonoBehavior);
    EXPECT_EQ(created->GetName(), "MonoBehaviorDLL");
    EXPECT_EQ(created->GetElementName(), "MonoBehavior");
    EXPECT_TRUE(created->IsEnabled());
}

TEST_F(MonoBehaviorTest, WritesLeavesForPlainScriptsAndNamesAndElementsForScriptsWithProperties)
{
    GameObject& prefab = world.Object("Prefab", {"Alpha", "Props", "Remover"});
    const auto cloned = ScriptWorld::Holder(prefab).Clone();
    auto& holder = dynamic_cast<MonoBehaviorDLL&>(*cloned);
    EXPECT_THAT(holder.GetAttachedScriptNames(), ElementsAre("Alpha", "Props", "Remover"));
    EXPECT_EQ(holder.GetScript("Alpha"), nullptr) << "a clone holds names only";

    holder.SetScript("Props", world.logic->FindScript("Props"));
    world.SetProps(*holder.FindExact("Props"), "7", "kept");
    holder.SetScript("Alpha", world.logic->FindScript("Alpha"));
    EXPECT_EQ(world.Written(holder), "<MonoBehavior>\n"
                               "\t<Enabled>true</Enabled>\n"
                               "\t<Monos>\n"
                               "\t\t<Monos0>Alpha</Monos0>\n"
                               "\t\t<Props>\n"
                               "\t\t\t<Hits>7</Hits>\n"
                               "\t\t\t<Speed>2.5</Speed>\n"
                               "\t\t\t<Label>kept</Label>\n"
                               "\t\t</Props>\n"
                               "\t\t<Monos1>Remover</Monos1>\n"
                               "\t</Monos>\n"
                               "</MonoBehavior>\n");
}

TEST_F(MonoBehaviorTest, ReadsBackWhatItWroteWithTheOwnerSetAndEveryScriptCreated)
{
    GameObject& source = world.Object("Source", {"Alpha", "Props"});
    world.SetProps(*ScriptWorld::Holder(source).FindExact("Props"), "7", "kept");
    Disable(ScriptWorld::Holder(source));
    const std::string text = world.Written(ScriptWorld::Holder(source));

    GameObject& target = world.objects->Live("Target", 99);
    auto& holder = dynamic_cast<MonoBehaviorDLL&>(*target.AddComponent("MonoBehavior"));
    Read(holder, text);
    EXPECT_FALSE(holder.IsEnabled());
    EXPECT_THAT(holder.GetAttachedScriptNames(), ElementsAre("Alpha", "Props"));
    for (const char* name : {"Alpha", "Props"})
    {
        EXPECT_EQ(holder.FindExact(name)->owner, &target);
        EXPECT_EQ(holder.FindExact(name)->state, ScriptState::Created);
    }
    EXPECT_EQ(world.Written(holder), text);
}

TEST_F(MonoBehaviorTest, ANameTwiceInAFileKeepsTheFirstInstanceAndMissingScriptsAreDropped)
{
    MonoBehaviorDLL holder;
    testing::internal::CaptureStdout();
    Read(holder, "<MonoBehavior>\n"
                 "\t<Monos>\n"
                 "\t\t<Monos0>Alpha</Monos0>\n"
                 "\t\t<Props>\n\t\t\t<Hits>3</Hits>\n\t\t</Props>\n"
                 "\t\t<Monos1>Alpha</Monos1>\n"
                 "\t\t<Monos2>Turret</Monos2>\n"
                 "\t\t<Props>\n\t\t\t<Label>second</Label>\n\t\t</Props>\n"
                 "\t</Monos>\n"
                 "</MonoBehavior>\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can't find script 'Turret'\n");
    EXPECT_THAT(holder.GetAttachedScriptNames(), ElementsAre("Alpha", "Props"));
    const std::string written = world.Written(holder);
    EXPECT_NE(written.find("<Hits>3</Hits>"), std::string::npos) << written;
    EXPECT_NE(written.find("<Label>second</Label>"), std::string::npos) << written;
}

TEST_F(MonoBehaviorTest, AgainstItsPrefabWritesOnlyADifferentFlagAndAnyScripts)
{
    MonoBehaviorDLL prefab;
    MonoBehaviorDLL empty;
    EXPECT_EQ(world.Written(empty, &prefab), "<MonoBehavior>\n</MonoBehavior>\n");
    Disable(empty);
    EXPECT_EQ(world.Written(empty, &prefab), "<MonoBehavior>\n\t<Enabled>false</Enabled>\n</MonoBehavior>\n");
}

TEST_F(MonoBehaviorTest, ComparesTheSetsOfNamesAndClonesKeepTheFlag)
{
    GameObject& first = world.Object("First", {"Alpha", "Beta"});
    GameObject& second = world.Object("Second", {"Beta"});
    MonoBehaviorDLL& one = ScriptWorld::Holder(first);
    MonoBehaviorDLL& other = ScriptWorld::Holder(second);
    EXPECT_FALSE(one.Compare(other));
    other.SetScript("Alpha", world.logic->FindScript("Alpha"));
    EXPECT_TRUE(one.Compare(other));

    Disable(one);
    const auto clone = one.Clone();
    EXPECT_TRUE(clone->Compare(one)) << "pending names count as names";
    EXPECT_FALSE(clone->IsEnabled());

    Transform transform;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(one.Compare(transform));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("MonoBehaviorDLL compare function kena nullptr"),
              std::string::npos);
}

TEST_F(MonoBehaviorTest, FindsScriptsByPartOfTheirNameAndErasesWithoutOnDestroy)
{
    GameObject& object = world.Object("Object", {"Alpha", "Props"});
    MonoBehaviorDLL& holder = ScriptWorld::Holder(object);
    EXPECT_EQ(holder.GetScript("lph"), holder.FindExact("Alpha"));
    EXPECT_EQ(object.GetScript("rop"), holder.FindExact("Props"));
    EXPECT_EQ(holder.GetScript("Turret"), nullptr);

    holder.FindExact("Alpha")->state = ScriptState::Running;
    holder.EraseScript("Alpha");
    EXPECT_THAT(holder.GetAttachedScriptNames(), ElementsAre("Props"));
    EXPECT_TRUE(world.TakeLog().empty());
}
}
