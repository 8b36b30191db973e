#include "c_collider.h"
#include "componentregistry.h"
#include "objectworld.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using ComponentSwitch = std::pair<CompEnum, GameObject*>;

std::string Saved(const Collider& collider, const Component* prefab)
{
    return XmlText().Written([&](XMLWriter& writer) { collider.Serialize(writer, prefab); });
}

template <class C>
C Loaded(const std::string& text)
{
    C collider;
    const auto reader = XmlText().Parsed(text);
    collider.Deserialize(*reader->GetRoot());
    return collider;
}
} // namespace

TEST(Collider, EachShapeAnswersOnlyItsOwnMeasures)
{
    BoxCollider box;
    SphereCollider sphere;
    CapsuleCollider capsule;
    const Collider plain(ColliderType::Box);
    EXPECT_EQ(box.GetType(), ColliderType::Box);
    EXPECT_EQ(sphere.GetType(), ColliderType::Sphere);
    EXPECT_EQ(capsule.GetType(), ColliderType::Capsule);
    for (const Component* component : std::vector<const Component*>{&box, &sphere, &capsule, &plain})
        EXPECT_EQ(component->GetKind(), CompEnum::Collider);

    EXPECT_EQ(box.GetSize(), Vector3(1, 1, 1));
    box.SetSize({2, 0, 2});
    EXPECT_EQ(box.GetSize(), Vector3(1, 1, 1));
    box.SetSize({2, 3, -4});
    EXPECT_EQ(box.GetSize(), Vector3(1, 1, 1));
    box.SetSize({2, 3, 4});
    EXPECT_EQ(box.GetSize(), Vector3(2, 3, 4));
    box.SetRadius(3);
    box.SetHeight(3);
    EXPECT_EQ(box.GetRadius(), -1.0f);
    EXPECT_EQ(box.GetHeight(), -1.0f);

    EXPECT_EQ(sphere.GetRadius(), 0.5f);
    sphere.SetRadius(0);
    sphere.SetRadius(-1);
    EXPECT_EQ(sphere.GetRadius(), 0.5f);
    sphere.SetRadius(0.75f);
    sphere.SetHeight(5);
    sphere.SetSize({2, 2, 2});
    EXPECT_EQ(sphere.GetRadius(), 0.75f);
    EXPECT_EQ(sphere.GetHeight(), -1.0f);
    EXPECT_EQ(sphere.GetSize(), Vector3());

    EXPECT_EQ(capsule.GetRadius(), 0.5f);
    EXPECT_EQ(capsule.GetHeight(), 2.0f);
    capsule.SetHeight(0);
    capsule.SetRadius(-0.5f);
    EXPECT_EQ(capsule.GetHeight(), 2.0f);
    EXPECT_EQ(capsule.GetRadius(), 0.5f);
    capsule.SetHeight(3);
    capsule.SetRadius(0.25f);
    EXPECT_EQ(capsule.GetHeight(), 3.0f);
    EXPECT_EQ(capsule.GetRadius(), 0.25f);
    EXPECT_EQ(capsule.GetSize(), Vector3());

    EXPECT_EQ(plain.GetRadius(), -1.0f);
    EXPECT_EQ(plain.GetSize(), Vector3());
}

TEST(Collider, RegistryNamesAndClassNames)
{
    struct NameCase
    {
        const char* element;
        const char* name;
        ColliderType type;
    };
    for (const NameCase& c : {NameCase{"AABBCollider", "BoxCollider", ColliderType::Box},
                              NameCase{"SphereCollider", "SphereCollider", ColliderType::Sphere},
                              NameCase{"CapsuleCollider", "CapsuleCollider", ColliderType::Capsule}})
    {
        SCOPED_TRACE(c.element);
        const auto created = ComponentCreators().at(c.element)();
        EXPECT_EQ(created->GetName(), c.name);
        EXPECT_EQ(created->GetElementName(), c.element);
        const auto* collider = dynamic_cast<const Collider*>(created.get());
        ASSERT_NE(collider, nullptr);
        EXPECT_EQ(collider->GetType(), c.type);
    }
    EXPECT_EQ(ComponentCreators().count("BoxCollider"), 0u);
    EXPECT_EQ(ComponentCreators().count("Collider"), 0u);
    EXPECT_EQ(Collider(ColliderType::Sphere).GetName(), "Collider");

    ObjectWorld world;
    GameObject& object = world.Live("crate", 1);
    const auto reader = XmlText().Parsed("<Components>\n\t<AABBCollider>\n\t\t<Size>2, 3, 4</Size>\n"
                                         "\t</AABBCollider>\n</Components>\n");
    object.DeserializeComponents(*reader->GetRoot());
    const auto* box = object.GetComponent<BoxCollider>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetSize(), Vector3(2, 3, 4));
    EXPECT_EQ(object.GetCollider(), box);
}

TEST(Collider, SavesEveryMemberWithoutAPrefab)
{
    BoxCollider box;
    box.SetOffset({0, 1, 0});
    box.SetTrigger(true);
    EXPECT_EQ(Saved(box, nullptr), "<AABBCollider>\n\t<Enabled>true</Enabled>\n\t<Offset>0, 1, 0</Offset>\n"
                                   "\t<Trigger>true</Trigger>\n\t<Size>1, 1, 1</Size>\n</AABBCollider>\n");
    EXPECT_EQ(Saved(SphereCollider(), nullptr),
              "<SphereCollider>\n\t<Enabled>true</Enabled>\n\t<Offset>0, 0, 0</Offset>\n\t<Trigger>false</Trigger>\n"
              "\t<Radius>0.5</Radius>\n</SphereCollider>\n");
    EXPECT_EQ(Saved(CapsuleCollider(), nullptr),
              "<CapsuleCollider>\n\t<Enabled>true</Enabled>\n\t<Offset>0, 0, 0</Offset>\n\t<Trigger>false</Trigger>\n"
              "\t<Radius>0.5</Radius>\n\t<Height>2</Height>\n</CapsuleCollider>\n");
    EXPECT_EQ(Saved(Collider(ColliderType::Box), nullptr), "");
}

TEST(Collider, SavesOnlyWhatDiffersFromThePrefab)
{
    ObjectWorld world;
    PostedMessages posted;
    const SphereCollider prefab;
    struct DiffCase
    {
        const char* name;
        void (*change)(SphereCollider&);
        const char* expected;
    };
    const DiffCase cases[] = {
        {"nothing", [](SphereCollider&) {}, ""},
        {"radius within the tolerance", [](SphereCollider& s) { s.SetRadius(0.5000005f); }, ""},
        {"radius", [](SphereCollider& s) { s.SetRadius(1.0f); },
         "<SphereCollider>\n\t<Radius>1</Radius>\n</SphereCollider>\n"},
        {"offset", [](SphereCollider& s) { s.SetOffset({0, 1, 0}); },
         "<SphereCollider>\n\t<Offset>0, 1, 0</Offset>\n</SphereCollider>\n"},
        // A switched-off collider keeps its element, so it loads switched off again.
        {"enabled flag", [](SphereCollider& s) { s.SetEnabled(false); },
         "<SphereCollider>\n\t<Enabled>false</Enabled>\n</SphereCollider>\n"},
        {"trigger and a tiny radius change",
         [](SphereCollider& s) {
             s.SetTrigger(true);
             s.SetRadius(0.5000005f);
         },
         "<SphereCollider>\n\t<Trigger>true</Trigger>\n\t<Radius>0.5</Radius>\n</SphereCollider>\n"},
    };
    for (const DiffCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        SphereCollider sphere;
        c.change(sphere);
        EXPECT_EQ(Saved(sphere, &prefab), c.expected);
        EXPECT_EQ(prefab.Compare(sphere), std::string(c.expected).empty());
    }

    CapsuleCollider capsule;
    capsule.SetHeight(3);
    EXPECT_EQ(Saved(capsule, std::make_unique<CapsuleCollider>().get()),
              "<CapsuleCollider>\n\t<Height>3</Height>\n</CapsuleCollider>\n");
    BoxCollider box;
    box.SetSize({1, 1, 1.0000005f});
    EXPECT_EQ(Saved(box, std::make_unique<BoxCollider>().get()), "");
    box.SetSize({1, 2, 1});
    EXPECT_EQ(Saved(box, std::make_unique<BoxCollider>().get()),
              "<AABBCollider>\n\t<Size>1, 2, 1</Size>\n</AABBCollider>\n");
}

TEST(Collider, LoadsMeasuresAsTheFileGivesThemAndSwitchesQuietly)
{
    ObjectWorld world;
    PostedMessages posted;
    const auto box = Loaded<BoxCollider>("<AABBCollider>\n\t<Enabled>false</Enabled>\n\t<Size>0, 1, 1</Size>\n"
                                         "\t<Radius>4</Radius>\n\t<Offset>1, 2, 3</Offset>\n</AABBCollider>\n");
    EXPECT_EQ(box.GetSize(), Vector3(0, 1, 1));
    EXPECT_EQ(box.GetOffset(), Vector3(1, 2, 3));
    EXPECT_FALSE(box.IsEnabled());
    EXPECT_TRUE(posted.Take<ComponentSwitch>().empty());

    const auto capsule = Loaded<CapsuleCollider>("<CapsuleCollider>\n\t<Radius>-1</Radius>\n\t<Height>5</Height>\n"
                                                 "\t<Trigger>true</Trigger>\n</CapsuleCollider>\n");
    EXPECT_EQ(capsule.GetRadius(), -1.0f);
    EXPECT_EQ(capsule.GetHeight(), 5.0f);
    EXPECT_TRUE(capsule.IsTrigger());

    // Bad text is reported and leaves the member as it was; an element of another name is not read. Numbers
    // that are no numbers count as bad text: they would make every body they touch NaN.
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const auto sphere = Loaded<SphereCollider>("<SphereCollider>\n\t<Radius>wide</Radius>\n\t<Trigger>yes</Trigger>\n"
                                               "\t<Offset>1, x, 3</Offset>\n</SphereCollider>\n");
    const auto odd = Loaded<CapsuleCollider>("<CapsuleCollider>\n\t<Radius>nan</Radius>\n\t<Height>inf</Height>\n"
                                             "\t<Offset>0, nan, 0</Offset>\n</CapsuleCollider>\n");
    const std::string report = testing::internal::GetCapturedStderr() + testing::internal::GetCapturedStdout();
    EXPECT_EQ(sphere.GetRadius(), 0.5f);
    EXPECT_FALSE(sphere.IsTrigger());
    EXPECT_EQ(sphere.GetOffset(), Vector3());
    EXPECT_NE(report.find("Boolean field in xml file is neither True nor False"), std::string::npos);
    EXPECT_NE(report.find("wide"), std::string::npos);
    EXPECT_EQ(odd.GetRadius(), 0.5f);
    EXPECT_EQ(odd.GetHeight(), 2.0f);
    EXPECT_EQ(odd.GetOffset(), Vector3());
    EXPECT_NE(report.find("'nan'"), std::string::npos);
    EXPECT_EQ(Loaded<BoxCollider>("<BoxCollider>\n\t<Size>3, 3, 3</Size>\n</BoxCollider>\n").GetSize(),
              Vector3(1, 1, 1));
}

TEST(Collider, ComparesAndCopiesEveryField)
{
    ObjectWorld world;
    PostedMessages posted;
    CapsuleCollider capsule;
    capsule.SetHeight(4);
    capsule.SetTrigger(true);
    capsule.SetOffset({0, 2, 0});
    capsule.SetEnabled(false);
    const auto copy = capsule.Clone();
    EXPECT_TRUE(copy->Compare(capsule));
    const auto& copied = dynamic_cast<const CapsuleCollider&>(*copy);
    EXPECT_FALSE(copied.IsEnabled());
    EXPECT_EQ(copied.GetHeight(), 4.0f);
    EXPECT_EQ(copied.GetOffset(), Vector3(0, 2, 0));
    EXPECT_EQ(copy->GetKind(), CompEnum::Collider);

    CapsuleCollider shorter = copied;
    shorter.SetHeight(3.9999995f);
    EXPECT_TRUE(shorter.Compare(capsule));
    shorter.SetHeight(3.5f);
    EXPECT_FALSE(shorter.Compare(capsule));

    testing::internal::CaptureStderr();
    EXPECT_FALSE(SphereCollider().Compare(capsule));
    EXPECT_FALSE(Collider(ColliderType::Capsule).Compare(capsule));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("SphereCollider compare function kena nullptr"), std::string::npos);
    EXPECT_NE(report.find("Collider compare function kena nullptr"), std::string::npos);
    EXPECT_NE(report.find("c_collider"), std::string::npos);
}
