#include "c_rigidbody.h"
#include "componentregistry.h"
#include "core.h"
#include "idlesystem.h"
#include "objectworld.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <utility>

namespace
{
using ComponentSwitch = std::pair<CompEnum, GameObject*>;

std::string Saved(const RigidBody& body, const Component* prefab)
{
    return XmlText().Written([&](XMLWriter& writer) { body.Serialize(writer, prefab); });
}

void Load(RigidBody& body, const std::string& text)
{
    const auto reader = XmlText().Parsed(text);
    body.Deserialize(*reader->GetRoot());
}

// A Core of idle systems whose frame lasts the given seconds (0: no frame measured yet).
std::unique_ptr<Core> CoreWithFrameTime(float seconds)
{
    auto core = std::make_unique<Core>([](SystemId id) { return std::make_unique<IdleSystem>(id); });
    if (seconds > 0.0f)
    {
        core->SetTargetFrameRate(1.0f / seconds);
        core->ResetFrameTimer();
    }
    return core;
}
} // namespace

TEST(RigidBody, MassRules)
{
    const auto created = ComponentCreators().at("RigidBody")();
    const auto& fresh = dynamic_cast<const RigidBody&>(*created);
    EXPECT_EQ(fresh.GetMass(), 1.0f);
    EXPECT_EQ(fresh.GetGravityScale(), 1.0f);
    EXPECT_FALSE(fresh.IsStatic());
    EXPECT_EQ(fresh.GetKind(), CompEnum::RigidBody);
    EXPECT_EQ(RigidBody(0.0f).GetMass(), 1.0f);
    EXPECT_EQ(RigidBody(-1.0f).GetMass(), 1.0f);
    EXPECT_EQ(RigidBody(2.0f, 0.5f).GetGravityScale(), 0.5f);

    // A mass nothing can be divided by is reported and refused: an impulse between masses 1 and -1 would
    // divide by 0.
    RigidBody body(2.0f);
    const float infinity = std::numeric_limits<float>::infinity();
    const std::pair<float, const char*> refused[] = {
        {0.0f, "Attempt to set a mass of 0."},
        {0.0000005f, "Attempt to set a mass of 0."},
        {-1.0f, "Attempt to set negative mass."},
        {std::numeric_limits<float>::quiet_NaN(), "Attempt to set a mass that is not finite."},
        {infinity, "Attempt to set a mass that is not finite."},
        {-infinity, "Attempt to set negative mass."},
    };
    for (const auto& [mass, report] : refused)
    {
        testing::internal::CaptureStderr();
        body.SetMass(mass);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(report), std::string::npos) << mass;
        EXPECT_NE(said.find("c_rigidbody"), std::string::npos) << mass;
        EXPECT_EQ(body.GetMass(), 2.0f) << mass;
    }
    body.SetMass(3.0f);
    EXPECT_EQ(body.GetMass(), 3.0f);

    body.SetStatic(true);
    EXPECT_EQ(body.GetMass(), RigidBody::kStaticMass);
    body.SetMass(3.0f);
    EXPECT_EQ(body.GetMass(), RigidBody::kStaticMass);
    body.SetStatic(false);
    EXPECT_EQ(body.GetMass(), RigidBody::kStaticMass);
    body.SetMass(4.0f);
    EXPECT_EQ(body.GetMass(), 4.0f);
}

TEST(RigidBody, ForcesAndTheVelocityAsked)
{
    RigidBody body(2.0f);
    body.AddForce({1, 2, 3});
    body.AddForce({1, 0, 0});
    EXPECT_EQ(body.GetForce(), Vector3(2, 2, 3));
    body.SetForce({0, 5, 0});
    EXPECT_EQ(body.GetForce(), Vector3(0, 5, 0));

    // Without a frame time there is nothing to divide by.
    body.SetForce({});
    body.GetVelocity() = {1, 0, 0};
    body.SetVelocity({3, 0, 0});
    EXPECT_EQ(body.GetForce(), Vector3());
    {
        const auto core = CoreWithFrameTime(0.0f);
        body.SetVelocity({3, 0, 0});
        EXPECT_EQ(body.GetForce(), Vector3());
    }

    const auto core = CoreWithFrameTime(0.02f);
    body.SetVelocity({3, 0, 0});
    EXPECT_EQ(body.GetForce(), Vector3(200, 0, 0));
    EXPECT_EQ(body.GetVelocity(), Vector3(1, 0, 0));

    RigidBody fixed;
    fixed.SetStatic(true);
    fixed.AddForce({1, 0, 0});
    fixed.SetVelocity({3, 0, 0});
    EXPECT_EQ(fixed.GetForce(), Vector3());
    fixed.SetForce({0, -1, 0});
    EXPECT_EQ(fixed.GetForce(), Vector3(0, -1, 0));
}

TEST(RigidBody, SavesAgainstThePrefab)
{
    ObjectWorld world;
    PostedMessages posted;
    RigidBody body(2.5f, 0.5f);
    EXPECT_EQ(Saved(body, nullptr), "<RigidBody>\n\t<Enabled>true</Enabled>\n\t<Static>false</Static>\n"
                                    "\t<GravityScale>0.5</GravityScale>\n\t<Mass>2.5</Mass>\n</RigidBody>\n");

    const RigidBody prefab(2.5f, 1.0f);
    EXPECT_EQ(Saved(body, &prefab), "<RigidBody>\n\t<GravityScale>0.5</GravityScale>\n</RigidBody>\n");
    body.SetGravityScale(1.0000005f);
    body.GetVelocity() = {5, 0, 0};
    body.SetForce({1, 1, 1});
    EXPECT_EQ(Saved(body, &prefab), "");
    body.SetStatic(true);
    body.SetEnabled(false);
    EXPECT_EQ(Saved(body, &prefab),
              "<RigidBody>\n\t<Enabled>false</Enabled>\n\t<Static>true</Static>\n\t<Mass>10000</Mass>\n</RigidBody>\n");
}

TEST(RigidBody, LoadsThroughTheSetters)
{
    ObjectWorld world;
    PostedMessages posted;
    for (const char* text : {"<RigidBody>\n\t<Static>true</Static>\n\t<Mass>5</Mass>\n</RigidBody>\n",
                             "<RigidBody>\n\t<Mass>5</Mass>\n\t<Static>true</Static>\n</RigidBody>\n"})
    {
        RigidBody body;
        Load(body, text);
        EXPECT_TRUE(body.IsStatic()) << text;
        EXPECT_EQ(body.GetMass(), RigidBody::kStaticMass) << text;
    }

    RigidBody body;
    Load(body, "<RigidBody>\n\t<Enabled>false</Enabled>\n\t<GravityScale>0.25</GravityScale>\n\t<Mass>3</Mass>\n"
               "\t<Velocity>1, 2, 3</Velocity>\n</RigidBody>\n");
    EXPECT_FALSE(body.IsEnabled());
    EXPECT_EQ(body.GetGravityScale(), 0.25f);
    EXPECT_EQ(body.GetMass(), 3.0f);
    EXPECT_EQ(body.GetVelocity(), Vector3());
    // A body of no live object tells nobody: the systems read its flags when its object registers.
    EXPECT_TRUE(posted.Take<ComponentSwitch>().empty());

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Load(body, "<RigidBody>\n\t<Static>yes</Static>\n\t<Mass>heavy</Mass>\n\t<GravityScale></GravityScale>\n"
               "\t<Mass>nan</Mass>\n\t<GravityScale>-inf</GravityScale>\n</RigidBody>\n");
    const std::string report = testing::internal::GetCapturedStderr() + testing::internal::GetCapturedStdout();
    EXPECT_NE(report.find("Boolean field in xml file is neither True nor False"), std::string::npos);
    EXPECT_NE(report.find("heavy"), std::string::npos);
    EXPECT_FALSE(body.IsStatic());
    EXPECT_EQ(body.GetMass(), 3.0f);
    EXPECT_EQ(body.GetGravityScale(), 0.25f);
}

TEST(RigidBody, CopiesEveryFieldAndComparesTheSavedOnes)
{
    ObjectWorld world;
    PostedMessages posted;
    RigidBody body(3.0f, 0.5f);
    body.SetStatic(true);
    body.SetEnabled(false);
    body.GetVelocity() = {1, 2, 3};
    body.SetForce({4, 5, 6});
    body.StartPosition = {7, 8, 9};
    body.EndPosition = {1, 1, 1};
    const auto copy = body.Clone();
    const auto& copied = dynamic_cast<RigidBody&>(*copy);
    // A prefab's switched-off body stays switched off in its instances.
    EXPECT_FALSE(copied.IsEnabled());
    EXPECT_TRUE(copied.IsStatic());
    EXPECT_EQ(copied.GetMass(), RigidBody::kStaticMass);
    EXPECT_EQ(copied.GetGravityScale(), 0.5f);
    EXPECT_EQ(copied.GetForce(), Vector3(4, 5, 6));
    EXPECT_EQ(dynamic_cast<RigidBody&>(*copy).GetVelocity(), Vector3(1, 2, 3));
    EXPECT_EQ(copied.StartPosition, Vector3(7, 8, 9));
    EXPECT_EQ(copied.EndPosition, Vector3(1, 1, 1));
    EXPECT_TRUE(copied.Compare(body));

    RigidBody moving(body);
    moving.GetVelocity() = {};
    EXPECT_TRUE(moving.Compare(body));
    moving.SetGravityScale(0.6f);
    EXPECT_FALSE(moving.Compare(body));

    class NotABody : public Component
    {
    public:
        NotABody() : Component(CompEnum::Camera) {}
        void Serialize(XMLWriter&, const Component*) const override {}
        void Deserialize(const XMLNode&) override {}
        std::string GetName() const override { return "NotABody"; }
        std::unique_ptr<Component> Clone() const override { return std::make_unique<NotABody>(); }
        bool Compare(const Component&) const override { return false; }
    };
    testing::internal::CaptureStderr();
    EXPECT_FALSE(body.Compare(NotABody()));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("RigidBody compare function kena nullptr"),
              std::string::npos);
}
