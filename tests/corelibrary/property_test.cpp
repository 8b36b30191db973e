#include "property.h"
#include "serializer.h"
#include "xmltext.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace
{
using namespace property;

TEST(PropertyNameHash, MatchesMurmurHash3Vectors)
{
    struct Case
    {
        const char* text;
        std::uint32_t hash;
    };
    // Seed 0x9747b28c; the longer texts run every tail length and whole blocks.
    const Case cases[] = {
        {"x", 0xb2fd73f3}, {"b", 0x84afa478}, {"", 0xebb6c228}, {"ab", 0x74875592}, {"abc", 0xc84a62dd},
        {"abcd", 0xf0478627}, {"Hello, world!", 0x24884cba},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PropertyNameHash(c.text), c.hash) << c.text;
    static_assert(PropertyNameHash("x") == 0xb2fd73f3, "worked out when the program is built");
}

// A described class with a flags function and a nested part.
struct Part
{
    float weight = 1.0f;
};

struct Sample
{
    int count = 3;
    bool locked = false;
    float speed = 1.5f;
    std::string label = "torch";
    Vector2 size{1.0f, 2.0f};
    Vector3 offset{0.0f, 1.0f, 0.0f};
    Part part;
};

// Read-only while locked.
flags::type LockedFlags(const void* object)
{
    return flags::kPlainMark | (static_cast<const Sample*>(object)->locked ? flags::kReadOnly : 0);
}

constexpr PropertyEntry kPartEntries[] = {ValueEntry<float>("weight", offsetof(Part, weight))};
constexpr auto kPartIndex = BuildIndex(kPartEntries);
constexpr table kPartTable = MakeTable("Part", kPartEntries, kPartIndex);

NestedTable PartOf(void* object, std::uint64_t /*element*/)
{
    return {&static_cast<Sample*>(object)->part, &kPartTable, true};
}

constexpr PropertyEntry kEntries[] = {
    TableEntry("part", &PartOf),
    ValueEntry<int>("count", offsetof(Sample, count), ComputedFlags(&LockedFlags)),
    ValueEntry<bool>("locked", offsetof(Sample, locked)),
    ValueEntry<float>("speed", offsetof(Sample, speed), PlainFlags(flags::kReadOnly)),
    ValueEntry<std::string>("label", offsetof(Sample, label)),
    ValueEntry<Vector2>("size", offsetof(Sample, size)),
    ValueEntry<Vector3>("offset", offsetof(Sample, offset), PlainFlags(flags::kHidden)),
};
constexpr auto kIndex = BuildIndex(kEntries);
constexpr table kTable = MakeTable("Sample", kEntries, kIndex);

TEST(PropertyTable, StoredFormIsFixed)
{
    EXPECT_STREQ(kTable.className, "Sample");
    EXPECT_EQ(kTable.classHash, PropertyNameHash("Sample"));
    EXPECT_EQ(kTable.count, 7u);
    EXPECT_EQ(static_cast<int>(kEntries[0].kind), 6);
    EXPECT_EQ(static_cast<int>(kEntries[1].kind), 0);
    EXPECT_EQ(static_cast<int>(kEntries[6].kind), 5);
    EXPECT_EQ(kEntries[0].position, -1);
    EXPECT_EQ(kEntries[4].position, static_cast<std::int64_t>(offsetof(Sample, label)));
    EXPECT_EQ(kEntries[3].flags.plain, ~std::uint64_t{0xF} | 1);
    EXPECT_EQ(kEntries[2].flags.plain, ~std::uint64_t{0xF});
    EXPECT_EQ(kEntries[2].info.help, nullptr);
    EXPECT_FALSE(kEntries[2].info.hasEditor);
    EXPECT_EQ(kEntries[2].list, nullptr);
    // Every entry sits once in the index, under its own hash.
    int taken = 0;
    for (std::uint32_t slot = 0; slot < 4 * kTable.count; ++slot)
        if (const PropertyEntry* entry = kTable.index[slot].entry)
        {
            ++taken;
            EXPECT_EQ(kTable.index[slot].hash, entry->info.hash);
        }
    EXPECT_EQ(taken, 7);
}

TEST(PropertyTable, ReadsAndWritesByName)
{
    Sample sample;
    EXPECT_EQ(std::get<int>(*ReadProperty(kTable, &sample, "count")), 3);
    EXPECT_EQ(std::get<std::string>(*ReadProperty(kTable, &sample, "label")), "torch");
    EXPECT_EQ(std::get<Vector2>(*ReadProperty(kTable, &sample, "size")), Vector2(1.0f, 2.0f));

    EXPECT_TRUE(WriteProperty(kTable, &sample, "label", std::string("brazier")));
    EXPECT_TRUE(WriteProperty(kTable, &sample, "offset", Vector3(1.0f, 2.0f, 3.0f)));
    EXPECT_TRUE(WriteProperty(kTable, &sample, "count", 9));
    EXPECT_EQ(sample.label, "brazier");
    EXPECT_EQ(sample.offset, Vector3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(sample.count, 9);
}

TEST(PropertyTable, RefusesWhatItCannotWrite)
{
    Sample sample;
    // Plain read-only bit.
    EXPECT_FALSE(WriteProperty(kTable, &sample, "speed", 7.0f));
    EXPECT_EQ(sample.speed, 1.5f);
    // A flags function decides per object.
    sample.locked = true;
    EXPECT_FALSE(WriteProperty(kTable, &sample, "count", 5));
    sample.locked = false;
    EXPECT_TRUE(WriteProperty(kTable, &sample, "count", 5));
    EXPECT_EQ(sample.count, 5);
    // Absent names and table entries are not values.
    EXPECT_FALSE(WriteProperty(kTable, &sample, "Count", 1));
    EXPECT_FALSE(ReadProperty(kTable, &sample, "missing").has_value());
    EXPECT_FALSE(ReadProperty(kTable, &sample, "part").has_value());
    EXPECT_FALSE(WriteProperty(kTable, &sample, "part", 1));
}

TEST(PropertyTable, AValueOfAnotherKindIsRefusedAndChangesNothing)
{
    const PropertyValue values[] = {7, true, 9.5f, std::string("lamp"), Vector2(3, 4), Vector3(5, 6, 7)};
    for (const char* name : {"count", "locked", "label", "size", "offset"})
        for (const PropertyValue& value : values)
        {
            Sample sample;
            const PropertyValue before = *ReadProperty(kTable, &sample, name);
            if (value.index() == before.index())
                continue;
            EXPECT_FALSE(WriteProperty(kTable, &sample, name, value)) << name << " given kind " << value.index();
            EXPECT_EQ(*ReadProperty(kTable, &sample, name), before) << name << " given kind " << value.index();
        }
}

TEST(PropertyTable, FlagsComeFromTheWordOrTheFunction)
{
    Sample sample;
    EXPECT_EQ(FlagsOf(kEntries[6], &sample) & 0xF, flags::kHidden);
    EXPECT_EQ(FlagsOf(kEntries[1], &sample) & 0xF, 0u);
    sample.locked = true;
    EXPECT_EQ(FlagsOf(kEntries[1], &sample) & 0xF, flags::kReadOnly);
}

TEST(PropertyTable, TableEntryLeadsIntoTheNestedTable)
{
    Sample sample;
    const NestedTable nested = OpenTable(*Find(kTable, "part"), &sample);
    ASSERT_TRUE(nested.valid);
    EXPECT_EQ(nested.nested, &kPartTable);
    EXPECT_TRUE(WriteProperty(*nested.nested, nested.object, "weight", 4.0f));
    EXPECT_EQ(sample.part.weight, 4.0f);
    EXPECT_FALSE(OpenTable(*Find(kTable, "count"), &sample).valid);
}

TEST(PropertyTable, LookupComparesHashesOnly)
{
    // The search ends at the first empty slot on the probe path; a name is never compared as text.
    for (const PropertyEntry& entry : kEntries)
        EXPECT_EQ(FindByHash(kTable, entry.info.hash), &entry) << entry.info.name;
    EXPECT_EQ(Find(kTable, "absent"), nullptr);
    EXPECT_EQ(Find(kTable, ""), nullptr);

    // A table that describes nothing finds nothing and changes nothing.
    const table empty{};
    Sample sample;
    EXPECT_EQ(Find(empty, "count"), nullptr);
    EXPECT_FALSE(ReadProperty(empty, &sample, "count").has_value());
    EXPECT_FALSE(WriteProperty(empty, &sample, "count", 1));
}

// ---- Text form -----------------------------------------------------------------------------------------

class PropertyText : public ::testing::Test
{
protected:
    // One leaf at a time.
    const XMLNode& Element(const std::string& name, const std::string& value)
    {
        return *tree_.AddChild(tree_.GetRoot(), name, value);
    }

private:
    XMLTree tree_;
};

TEST_F(PropertyText, VectorsReadTheirPatternOrZero)
{
    struct Case
    {
        const char* text;
        Vector2 expected;
    };
    const Case cases[] = {
        {"1.5,2", {1.5f, 2.0f}}, {"1.5 , 2", {1.5f, 2.0f}}, {"1.5, 2", {1.5f, 2.0f}}, {"1.5", {0.0f, 0.0f}},
        {"", {0.0f, 0.0f}},
    };
    for (const Case& c : cases)
    {
        Vector2 value{9.0f, 9.0f};
        EXPECT_TRUE(ReadText(Element("Size", c.text), value)) << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
    }
    Vector3 direction{9.0f, 9.0f, 9.0f};
    EXPECT_TRUE(ReadText(Element("PanDirection", "1, 2, 3"), direction));
    EXPECT_EQ(direction, Vector3(1.0f, 2.0f, 3.0f));
    EXPECT_TRUE(ReadText(Element("PanDirection", "1, 2"), direction));
    EXPECT_EQ(direction, Vector3());
}

TEST_F(PropertyText, BoolIsExactlyTrueOrFalse)
{
    bool value = true;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ReadText(Element("Rewind", "True"), value));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Boolean field in xml file is neither True nor False\n");
    EXPECT_TRUE(value);
    EXPECT_TRUE(ReadText(Element("Rewind", "false"), value));
    EXPECT_FALSE(value);
}

TEST_F(PropertyText, NumbersThatDoNotConvertAreReportedAndKept)
{
    int hits = 4;
    float timer = 0.5f;
    Vector2 size{1.0f, 1.0f};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ReadText(Element("HitsToBreak", "many"), hits));
    EXPECT_FALSE(ReadText(Element("Timer", "99e999"), timer));
    EXPECT_FALSE(ReadText(Element("Size", "a, b"), size));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("'HitsToBreak'"), std::string::npos) << report;
    EXPECT_NE(report.find("'many'"), std::string::npos) << report;
    EXPECT_NE(report.find("'Timer'"), std::string::npos) << report;
    EXPECT_EQ(hits, 4);
    EXPECT_EQ(timer, 0.5f);
    EXPECT_EQ(size, Vector2(1.0f, 1.0f));

    // Leading blanks and a sign are taken, the rest of the text ignored.
    EXPECT_TRUE(ReadText(Element("HitsToBreak", "  -12abc"), hits));
    EXPECT_EQ(hits, -12);
    EXPECT_TRUE(ReadText(Element("Timer", "2.25s"), timer));
    EXPECT_EQ(timer, 2.25f);
}

TEST_F(PropertyText, StringsAreTakenUnchanged)
{
    std::string text = "old";
    EXPECT_TRUE(ReadText(Element("NextLevel", " Level 2 "), text));
    EXPECT_EQ(text, " Level 2 ");
}
} // namespace
