#include "memberdescriptor.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
// Every value type a table may hold, reached directly.
struct Sample
{
    int count = 3;
    bool visible = true;
    float speed = 1.5f;
    std::string label = "torch";
    Vector2 size{1.0f, 2.0f};
    Vector3 offset{0.0f, 1.0f, 0.0f};
};

const auto kSampleMembers = MemberTable<Sample, int, bool, float, std::string, Vector2, Vector3>{
    Member("Count", &Sample::count),   Member("Visible", &Sample::visible), Member("Speed", &Sample::speed),
    Member("Label", &Sample::label),   Member("Size", &Sample::size),       Member("Offset", &Sample::offset),
};

// A member behind accessors of a base class, counting which of them run.
struct Base
{
    float value = 0.0f;
    mutable int refReads = 0;
    mutable int copyReads = 0;
    int refWrites = 0;
    int copyWrites = 0;

    const float& Ref() const { return ++refReads, value; }
    float Copy() const { return ++copyReads, value; }
    void SetRef(const float& v) { ++refWrites, value = v; }
    void SetCopy(float v) { ++copyWrites, value = v; }
};

struct Derived : Base
{
};

const char kWholeSample[] = "<Sample>\n"
                            "\t<Count>3</Count>\n"
                            "\t<Visible>true</Visible>\n"
                            "\t<Speed>1.5</Speed>\n"
                            "\t<Label>torch</Label>\n"
                            "\t<Size>1, 2</Size>\n"
                            "\t<Offset>0, 1, 0</Offset>\n"
                            "</Sample>\n";

std::string WrittenWhole(const XmlText& xml, const Sample& sample)
{
    return xml.Written([&](XMLWriter& writer) {
        writer.BeginElement("Sample");
        WriteMembers(writer, sample, kSampleMembers);
        writer.EndElement();
    });
}

std::string WrittenChanges(const XmlText& xml, const Sample& sample, const Sample& reference)
{
    return xml.Written([&](XMLWriter& writer) { WriteChangedMembers(writer, sample, reference, kSampleMembers); });
}
} // namespace

TEST(MemberDescriptor, AccessorsWithoutAWayToTheMemberThrow)
{
    const MemberDescriptor<Sample, float> nothing{"Speed"};
    Sample sample;
    const auto message = [](auto&& call) {
        try
        {
            call();
        }
        catch (const std::runtime_error& error)
        {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { nothing.GetConstRef(sample); }),
              "Cannot return const ref to member: no getter or member pointer set");
    EXPECT_EQ(message([&] { nothing.GetCopy(sample); }), "Cannot return copy of member: no getter or member pointer set");
    EXPECT_EQ(message([&] { nothing.Set(sample, 2.0f); }), "Cannot access member: no setter or member pointer set");
}

TEST(MemberDescriptor, AccessorsPreferReferencesThenValuesThenTheMember)
{
    Derived object;
    object.value = 4.0f;
    auto both = RefAccessors<Derived>("Value", &Base::Ref, &Base::SetRef);
    both.valueGetter = &Base::Copy;
    both.valueSetter = &Base::SetCopy;
    both.member = &Derived::value;

    EXPECT_EQ(both.GetConstRef(object), 4.0f);
    EXPECT_EQ(both.GetCopy(object), 4.0f);
    both.Set(object, 5.0f);
    EXPECT_EQ(object.refReads, 2);
    EXPECT_EQ(object.copyReads, 0);
    EXPECT_EQ(object.refWrites, 1);

    auto values = ValueAccessors<Derived>("Value", &Base::Copy, &Base::SetCopy);
    values.member = &Derived::value;
    EXPECT_EQ(values.GetCopy(object), 5.0f);
    values.Set(object, 6.0f);
    EXPECT_EQ(object.copyReads, 1);
    EXPECT_EQ(object.copyWrites, 1);
    // Only the member gives a reference when there is no reference getter.
    EXPECT_EQ(&values.GetConstRef(object), &object.value);
}

TEST(MemberDescriptor, WalksSkipAMemberTheyCannotRead)
{
    XmlText xml;
    const auto table = std::tuple{MemberDescriptor<Sample, float>{"Speed"}, Member("Count", &Sample::count)};
    Sample a;
    Sample b;
    b.speed = 9.0f;
    const std::string written = xml.Written([&](XMLWriter& writer) { WriteMembers(writer, a, table); });
    EXPECT_EQ(written, "<Count>3</Count>\n");
    EXPECT_TRUE(MembersEqual(a, b, table));
}

TEST(MemberDescriptor, WritesEveryMemberInTableOrder)
{
    XmlText xml;
    EXPECT_EQ(WrittenWhole(xml, Sample{}), kWholeSample);
}

TEST(MemberDescriptor, WritesOnlyMembersThatDifferFromTheReference)
{
    XmlText xml;
    const Sample reference;
    EXPECT_EQ(WrittenChanges(xml, reference, reference), "");

    Sample changed;
    changed.speed = 1.5000001f; // exact comparison for floats: seventh decimal place counts
    changed.offset.y += 5e-7f;  // vectors compare within the tolerance
    changed.size = {1.0f, 3.0f};
    EXPECT_EQ(WrittenChanges(xml, changed, reference), "<Speed>1.5</Speed>\n<Size>1, 3</Size>\n");
}

TEST(MemberDescriptor, ComparesEveryMember)
{
    const Sample reference;
    EXPECT_TRUE(MembersEqual(reference, reference, kSampleMembers));
    Sample other;
    other.offset = {0.0f, 1.0f + 5e-7f, 0.0f};
    EXPECT_TRUE(MembersEqual(other, reference, kSampleMembers));
    other.label = "torches";
    EXPECT_FALSE(MembersEqual(other, reference, kSampleMembers));
    Sample counted;
    counted.count = 4;
    EXPECT_FALSE(MembersEqual(counted, reference, kSampleMembers));
}

TEST(MemberDescriptor, ReadsMembersInAnyOrderAndIgnoresStrangers)
{
    XmlText xml;
    const auto reader = xml.Parsed("<Sample>\n"
                                   "\t<Offset>4, 5, 6</Offset>\n"
                                   "\t<Unknown>1</Unknown>\n"
                                   "\t<Label>bridge</Label>\n"
                                   "\t<Count>-2</Count>\n"
                                   "\t<Count>7</Count>\n"
                                   "\t<Visible>false</Visible>\n"
                                   "</Sample>\n");
    Sample sample;
    ReadMembers(*reader->GetRoot(), sample, kSampleMembers);
    EXPECT_EQ(sample.offset, Vector3(4.0f, 5.0f, 6.0f));
    EXPECT_EQ(sample.label, "bridge");
    EXPECT_EQ(sample.count, 7); // a repeated name sets the member again
    EXPECT_FALSE(sample.visible);
    EXPECT_EQ(sample.speed, 1.5f); // no element: unchanged
    EXPECT_EQ(sample.size, Vector2(1.0f, 2.0f));
}

TEST(MemberDescriptor, TextThatDoesNotConvertLeavesTheMemberAlone)
{
    XmlText xml;
    const auto reader = xml.Parsed("<Sample>\n"
                                   "\t<Count>many</Count>\n"
                                   "\t<Visible>True</Visible>\n"
                                   "\t<Speed>fast</Speed>\n"
                                   "\t<Size>1</Size>\n"
                                   "\t<Offset>1, 2</Offset>\n"
                                   "</Sample>\n");
    Sample sample;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    ReadMembers(*reader->GetRoot(), sample, kSampleMembers);
    const std::string out = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(MembersEqual(sample, Sample{}, kSampleMembers));
    EXPECT_NE(out.find("Boolean field in xml file is neither True nor False"), std::string::npos);
}

TEST(MemberDescriptor, WrittenMembersReadBackEqual)
{
    XmlText xml;
    Sample source;
    source.count = -12;
    source.visible = false;
    source.speed = 0.25f;
    source.label = "Monos0";
    source.size = {-3.5f, 8.0f};
    source.offset = {1e-07f, 123457.0f, -60.0f};
    const auto reader = xml.Parsed(WrittenWhole(xml, source));
    Sample loaded;
    ReadMembers(*reader->GetRoot(), loaded, kSampleMembers);
    EXPECT_TRUE(MembersEqual(loaded, source, kSampleMembers));
}
