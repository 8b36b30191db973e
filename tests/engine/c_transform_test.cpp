#include "c_transform.h"
#include "objectworld.h"
#include "vectornear.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using ComponentSwitch = std::pair<CompEnum, GameObject*>;

Vector3 Column(const Matrix4& m, int column)
{
    return {m.m[4 * column], m.m[4 * column + 1], m.m[4 * column + 2]};
}

enum class Path
{
    SetRotation,
    PostLoad,
    SetRotationByQuaternion,
};

struct RotationCase
{
    Path path;
    Vector3 degrees;
    Vector3 forward;
    Vector3 right;
    Vector3 up;
};

Transform Rotated(Path path, const Vector3& degrees)
{
    Transform transform;
    switch (path)
    {
    case Path::SetRotation:
        transform.SetRotation(degrees);
        break;
    case Path::PostLoad:
        transform.SetRotationRaw(degrees);
        transform.PostLoad();
        break;
    case Path::SetRotationByQuaternion:
        transform.SetRotationByQuaternion(degrees);
        break;
    }
    return transform;
}

const XmlText* gXml = nullptr;

std::string Saved(const Transform& transform, const Component* prefab = nullptr)
{
    return gXml->Written([&](XMLWriter& writer) { transform.Serialize(writer, prefab); });
}

class TransformFiles : public ::testing::Test
{
protected:
    TransformFiles() { gXml = &xml; }
    ~TransformFiles() override { gXml = nullptr; }

    void Load(Transform& transform, const std::string& text)
    {
        const auto reader = xml.Parsed(text);
        transform.Deserialize(*reader->GetRoot());
        transform.PostLoad();
    }

    XmlText xml;
    ObjectWorld world;
    PostedMessages posted;
};

// Any component of another class.
class Other : public Component
{
public:
    Other() : Component(CompEnum::Camera) {}
    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Other"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<Other>(); }
    bool Compare(const Component&) const override { return false; }
};
} // namespace

TEST(Transform, StartsAtTheOriginFacingForward)
{
    const Transform transform;
    EXPECT_EQ(transform.GetKind(), CompEnum::Transform);
    EXPECT_TRUE(transform.IsEnabled());
    EXPECT_EQ(transform.GetForward(), Vector3(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(transform.GetRight(), Vector3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(transform.GetUp(), Vector3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(transform.GetRotationMatrix(), Matrix3());
    EXPECT_EQ(transform.GetScale(), Vector3(1.0f, 1.0f, 1.0f));
}

// SetRotation stores its turn transposed, so it equals PostLoad of the negated angles; the game's scripts
// depend on both conventions exactly as they are.
TEST(Transform, RotationPathsGiveTheseAxesAndModelMatrix)
{
    const RotationCase cases[] = {
        {Path::SetRotation, {0, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {Path::PostLoad, {0, 0, 0}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {Path::SetRotation, {0, 90, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {Path::PostLoad, {0, 90, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {Path::SetRotationByQuaternion, {0, 90, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {Path::SetRotation, {90, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
        {Path::PostLoad, {90, 0, 0}, {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {Path::SetRotation, {0, 0, 90}, {0, 0, 1}, {0, -1, 0}, {1, 0, 0}},
        {Path::SetRotationByQuaternion, {0, 0, 90}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        {Path::SetRotation, {90, 90, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
        {Path::PostLoad, {-90, -90, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
        {Path::PostLoad, {90, 90, 0}, {0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
        {Path::SetRotationByQuaternion, {90, 90, 0}, {0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
    };
    for (const RotationCase& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "path " << static_cast<int>(c.path) << " angles " << c.degrees.x << ", "
                                          << c.degrees.y << ", " << c.degrees.z);
        Transform transform = Rotated(c.path, c.degrees);
        EXPECT_EQ(transform.GetRotation(), c.degrees);
        ExpectNear(transform.GetForward(), c.forward, "forward");
        ExpectNear(transform.GetRight(), c.right, "right");
        ExpectNear(transform.GetUp(), c.up, "up");

        transform.SetPosition({1, 2, 3});
        transform.SetScale({2, 3, 4});
        const Matrix4 model = transform.GetModelMatrix();
        ExpectNear(Column(model, 0), c.right * 2.0f, "model x");
        ExpectNear(Column(model, 1), c.up * 3.0f, "model y");
        ExpectNear(Column(model, 2), c.forward * 4.0f, "model z");
        ExpectNear(Column(model, 3), {1, 2, 3}, "model translation");
        EXPECT_EQ(model.m[3] + model.m[7] + model.m[11], 0.0f);
        EXPECT_EQ(model.m[15], 1.0f);
    }
}

TEST(Transform, QuaternionPathKeepsTheDegreesAndTheQuaternion)
{
    Transform transform;
    transform.SetRotationByQuaternion({10, 20, 30});
    EXPECT_EQ(transform.GetRotation(), Vector3(10, 20, 30));
    ExpectNear(transform.GetEulerFromQuaternion(), {10, 20, 30}, "euler");

    // The other paths leave the quaternion alone, and setting it changes nothing else.
    const Quaternion kept = transform.GetQuaternion();
    transform.SetRotation({0, 45, 0});
    transform.PostLoad();
    EXPECT_EQ(transform.GetQuaternion().w, kept.w);
    const Vector3 forward = transform.GetForward();
    transform.SetQuaternion({0, 0, 0, 1});
    EXPECT_EQ(transform.GetForward(), forward);
}

TEST(Transform, LookAtTurnsTheForwardAxisToTheTarget)
{
    struct Case
    {
        Vector3 position;
        Vector3 startDegrees;
        Vector3 target;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 5}},   {{0, 0, 0}, {0, 0, 0}, {0, 0, -5}}, {{1, 2, 3}, {0, 0, 0}, {-4, 6, 1}},
        {{0, 0, 0}, {30, 60, 0}, {3, -2, 7}}, {{0, 0, 0}, {0, 0, 0}, {0, 9, 0}},  {{0, 0, 0}, {0, 0, 0}, {0, -1, 0}},
        {{2, 0, 0}, {0, 0, 0}, {2, 1, 1}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "target " << c.target.x << ", " << c.target.y << ", " << c.target.z);
        Transform transform;
        transform.SetPosition(c.position);
        transform.SetRotation(c.startDegrees);
        transform.LookAt(c.target);
        ExpectNear(transform.GetForward(), (c.target - c.position).Normalized(), "forward");
        ExpectNear(transform.GetRight().Cross(transform.GetUp()), transform.GetForward(), "right-handed axes");
    }
}

TEST(Transform, LookAtKeepsTheRightAxisLevelAndMeasuresFromTheWorldPosition)
{
    Transform parent;
    parent.SetPosition({10, 0, 0});
    Transform child;
    parent.AddChild(&child);
    child.SetPosition({0, 0, 0});
    child.LookAt({10, 0, -3});
    ExpectNear(child.GetForward(), {0, 0, -1}, "forward");
    EXPECT_NEAR(child.GetRight().y, 0.0f, 1e-6f);

    // No direction to turn to: the axes stay.
    const Vector3 before = child.GetForward();
    child.LookAt(child.GetWorldPosition());
    child.LookAt({std::nanf(""), 0, 0});
    EXPECT_EQ(child.GetForward(), before);
    EXPECT_FALSE(child.GetRotation().HasNaN());
}

TEST(Transform, ChildrenKeepTheirWorldPosition)
{
    Transform parent;
    parent.SetPosition({2, 0, 0});
    Transform child;
    child.SetPosition({5, 0, 0});

    parent.AddChild(&child);
    EXPECT_EQ(child.GetPosition(), Vector3(3, 0, 0));
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_EQ(child.GetWorldPosition(), Vector3(5, 0, 0));
    parent.AddChild(&child);
    EXPECT_EQ(parent.GetChildren().size(), 1u);

    Transform other;
    other.SetPosition({0, 7, 0});
    other.AddChild(&child); // moves over from the first parent
    EXPECT_TRUE(parent.GetChildren().empty());
    EXPECT_EQ(child.GetWorldPosition(), Vector3(5, 0, 0));
    EXPECT_EQ(child.GetPosition(), Vector3(5, -7, 0));

    other.RemoveChild(&child);
    EXPECT_EQ(child.GetPosition(), Vector3(5, 0, 0));
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_TRUE(other.GetChildren().empty());

    // Removing a transform that is not a child changes nothing.
    other.RemoveChild(&child);
    EXPECT_EQ(child.GetPosition(), Vector3(5, 0, 0));

    // A link made by SetParent alone is undone by the parent it names.
    child.SetParent(&other);
    EXPECT_EQ(child.GetWorldPosition(), Vector3(5, 7, 0));
    other.RemoveChild(&child);
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_EQ(child.GetPosition(), Vector3(5, 7, 0));
}

TEST(Transform, WorldPositionAddsEveryAncestorWhateverItsRotation)
{
    Transform root;
    Transform middle;
    Transform leaf;
    root.AddChild(&middle);
    middle.AddChild(&leaf);
    for (Transform* link : {&root, &middle, &leaf})
        link->SetPosition({1, 0, 0});
    root.SetRotation({0, 90, 45});
    middle.SetRotation({30, 0, 0});
    EXPECT_EQ(leaf.GetWorldPosition(), Vector3(3, 0, 0));
}

TEST(Transform, RefusesLinksThatMakeAnAncestorItsOwnChild)
{
    Transform root;
    Transform leaf;
    root.AddChild(&leaf);
    testing::internal::CaptureStderr();
    leaf.AddChild(&root);
    root.AddChild(&root);
    root.SetParent(&leaf);
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_NE(reported.find("ASSERT"), std::string::npos);
    EXPECT_EQ(root.GetParent(), nullptr);
    EXPECT_TRUE(leaf.GetChildren().empty());
    EXPECT_EQ(leaf.GetWorldPosition(), Vector3());
}

TEST(Transform, AFreedTransformLeavesNoLinkBehind)
{
    Transform parent;
    {
        Transform child;
        parent.AddChild(&child);
    }
    EXPECT_TRUE(parent.GetChildren().empty());

    Transform child;
    {
        Transform shortLived;
        shortLived.AddChild(&child);
    }
    EXPECT_EQ(child.GetParent(), nullptr);
}

// The parent link and the parent's child list always agree, however the link is changed.
TEST(Transform, SetParentKeepsTheParentsChildListInStep)
{
    Transform first;
    Transform second;
    {
        Transform child;
        child.SetParent(&first);
        EXPECT_EQ(first.GetChildren(), std::vector<TransformInterface*>{&child});
        child.SetParent(&second);
        EXPECT_TRUE(first.GetChildren().empty());
        EXPECT_EQ(second.GetChildren(), std::vector<TransformInterface*>{&child});
        child.SetParent(&second);
        EXPECT_EQ(second.GetChildren().size(), 1u);
        child.SetParent(nullptr);
        EXPECT_TRUE(second.GetChildren().empty());
        child.SetParent(&first);
    }
    EXPECT_TRUE(first.GetChildren().empty());

    Transform parent;
    {
        Transform orphan;
        parent.AddChild(&orphan);
        orphan.SetParent(nullptr);
    }
    EXPECT_TRUE(parent.GetChildren().empty()); // nothing freed is left listed
}

TEST(Transform, CopyIsEnabledChildlessAndKeepsItsParentLink)
{
    Transform parent;
    Transform source;
    parent.AddChild(&source);
    Transform grandchild;
    source.AddChild(&grandchild);
    source.SetRotation({0, 90, 0});
    source.SetScale({2, 2, 2});
    source.SetEnabled(false);

    const auto copy = source.Clone();
    const auto& transform = dynamic_cast<const Transform&>(*copy);
    EXPECT_TRUE(transform.IsEnabled());
    EXPECT_TRUE(transform.GetChildren().empty());
    EXPECT_EQ(transform.GetParent(), &parent);
    EXPECT_EQ(transform.GetForward(), source.GetForward());
    EXPECT_EQ(transform.GetRotationMatrix(), source.GetRotationMatrix());
}

TEST(Transform, ACopyOfAChildIsOneOfItsParentsChildrenToo)
{
    auto parent = std::make_unique<Transform>();
    parent->SetPosition({4, 0, 0});
    Transform source;
    parent->AddChild(&source);
    source.SetPosition({1, 0, 0});

    const auto copy = source.Clone();
    auto& transform = dynamic_cast<Transform&>(*copy);
    EXPECT_EQ(parent->GetChildren(), (std::vector<TransformInterface*>{&source, &transform}));
    EXPECT_EQ(transform.GetWorldPosition(), Vector3(5, 0, 0));

    // The parent going away leaves the copy with no link to it.
    parent.reset();
    EXPECT_EQ(transform.GetParent(), nullptr);
    EXPECT_EQ(transform.GetWorldPosition(), Vector3(1, 0, 0));
}

TEST_F(TransformFiles, SavesWholeOrOnlyWhatDiffersFromThePrefab)
{
    Transform transform;
    transform.SetPosition({1, 2.5f, -3});
    transform.SetRotation({0, 90, 0});
    EXPECT_EQ(Saved(transform), "<Transform>\n"
                                "\t<Enabled>true</Enabled>\n"
                                "\t<Position>1, 2.5, -3</Position>\n"
                                "\t<Rotation>0, 90, 0</Rotation>\n"
                                "\t<Scale>1, 1, 1</Scale>\n"
                                "</Transform>\n");

    Transform prefab;
    prefab.SetPosition({1, 2.5f, -3 + 5e-7f});
    prefab.SetRotation({0, 90, 0});
    EXPECT_EQ(Saved(transform, &prefab), "");

    prefab.SetScale({2, 2, 2});
    prefab.SetEnabled(false);
    EXPECT_EQ(Saved(transform, &prefab), "<Transform>\n"
                                         "\t<Enabled>true</Enabled>\n"
                                         "\t<Scale>1, 1, 1</Scale>\n"
                                         "</Transform>\n");
}

TEST_F(TransformFiles, LoadsMembersInAnyOrderAndRebuildsTheRotation)
{
    Transform transform;
    Load(transform, "<Transform>\n"
                    "\t<Scale>2, 2, 2</Scale>\n"
                    "\t<Rotation>0, 90, 0</Rotation>\n"
                    "\t<Position>4, 5, 6</Position>\n"
                    "\t<Colour>1, 1, 1</Colour>\n"
                    "</Transform>\n");
    EXPECT_EQ(transform.GetPosition(), Vector3(4, 5, 6));
    EXPECT_EQ(transform.GetScale(), Vector3(2, 2, 2));
    ExpectNear(transform.GetForward(), Rotated(Path::PostLoad, {0, 90, 0}).GetForward(), "loaded forward");
    EXPECT_TRUE(posted.Take<ComponentSwitch>().empty());

    const auto reloaded = xml.Parsed(Saved(transform));
    Transform copy;
    copy.Deserialize(*reloaded->GetRoot());
    EXPECT_TRUE(copy.Compare(transform));
}

// What an editor once let through ("1e39" typed, saved as "inf") must not put an object out of reach.
TEST_F(TransformFiles, ValuesThatAreNotFiniteAreReportedAndLoadAsTheDefaults)
{
    Transform transform;
    testing::internal::CaptureStderr();
    Load(transform, "<Transform>\n\t<Position>0, 0, inf</Position>\n\t<Rotation>nan, 90, 0</Rotation>\n"
                    "\t<Scale>1e39, 1, 1</Scale>\n</Transform>\n");
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(transform.GetPosition(), Vector3());
    EXPECT_EQ(transform.GetRotation(), Vector3());
    EXPECT_EQ(transform.GetScale(), Transform().GetScale());
    for (const char* text : {"'inf'", "'nan'", "'1e39'"})
        EXPECT_NE(report.find(text), std::string::npos) << text << "\n" << report;
}

TEST_F(TransformFiles, AnElementOfAnotherNameChangesNothing)
{
    Transform transform;
    Load(transform, "<RectTransform>\n\t<Position>4, 5, 6</Position>\n</RectTransform>\n");
    EXPECT_EQ(transform.GetPosition(), Vector3());
}

TEST_F(TransformFiles, LoadingEnabledFalseAnnouncesItOnce)
{
    GameObject& owner = world.Live("Torch", 7);
    auto* transform = static_cast<Transform*>(owner.AddComponent("Transform"));
    Load(*transform, "<Transform>\n\t<Enabled>false</Enabled>\n\t<Enabled>false</Enabled>\n</Transform>\n");
    EXPECT_FALSE(transform->IsEnabled());
    const auto messages = posted.Take<ComponentSwitch>();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "DisableComponent");
    EXPECT_EQ(messages[0].second, std::make_pair(CompEnum::Transform, &owner));

    // Its own interface switch stays quiet.
    transform->SetEnabled(true);
    EXPECT_TRUE(transform->IsEnabled());
    EXPECT_TRUE(posted.Take<ComponentSwitch>().empty());
}

TEST_F(TransformFiles, ComparingWithAnotherClassIsReportedAndFalse)
{
    const Transform transform;
    const Other other;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(transform.Compare(other));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Transform compare function kena nullptr"),
              std::string::npos);
}
