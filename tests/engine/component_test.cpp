#include "component.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
// A table-saved component whose class name is not the name files know it by.
class Renamed : public Component
{
public:
    Renamed() : Component(CompEnum::Collider) {}
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "BoxCollider"; }
    std::string GetElementName() const override { return "AABBCollider"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<Renamed>(*this); }
    bool Compare(const Component& other) const override;

    float size = 1.0f;
};

const auto kRenamedMembers = MemberTable<Renamed, bool, float>{
    EnabledMember<Renamed>(),
    Member("Size", &Renamed::size),
};

void Renamed::Serialize(XMLWriter& writer, const Component* prefab) const
{
    SerializeMembers(*this, writer, prefab, kRenamedMembers);
}

void Renamed::Deserialize(const XMLNode& element)
{
    DeserializeMembers(*this, element, kRenamedMembers);
}

bool Renamed::Compare(const Component& other) const
{
    return CompareMembers(*this, other, kRenamedMembers);
}

class Unrelated : public Component
{
public:
    Unrelated() : Component(CompEnum::Camera) {}
    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Unrelated"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<Unrelated>(); }
    bool Compare(const Component&) const override { return false; }
};
} // namespace

TEST(ComponentMembers, SaveLoadAndReportUnderTheElementName)
{
    XmlText xml;
    Renamed component;
    component.size = 2.0f;
    EXPECT_EQ(xml.Written([&](XMLWriter& writer) { component.Serialize(writer, nullptr); }),
              "<AABBCollider>\n\t<Enabled>true</Enabled>\n\t<Size>2</Size>\n</AABBCollider>\n");

    Renamed loaded;
    loaded.Deserialize(*xml.Parsed("<BoxCollider>\n\t<Size>3</Size>\n</BoxCollider>\n")->GetRoot());
    EXPECT_EQ(loaded.size, 1.0f);
    loaded.Deserialize(*xml.Parsed("<AABBCollider>\n\t<Size>3</Size>\n</AABBCollider>\n")->GetRoot());
    EXPECT_EQ(loaded.size, 3.0f);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(component.Compare(Unrelated()));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("\tAABBCollider compare function kena nullptr\n"),
              std::string::npos);
}
