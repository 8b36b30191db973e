#include "propertyinspector.h"
#include "propertypaths.h"
#include "sampletables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

using ::testing::ElementsAreArray;
using property::PropertyValue;
namespace flags = property::flags;

namespace
{
struct Row
{
    std::string path;
    PropertyValue value;
    flags::type flags = 0;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.path << " (kind " << row.value.index() << ", flags " << row.flags << ")";
}

std::vector<Row> Rows(const property::table& described, void* object, const std::string& prefix)
{
    std::vector<Row> rows;
    std::string path = prefix;
    property::EnumerateProperties(described, object, path, prefix.size(),
                                  [&](std::string_view at, PropertyValue&& value, const property::table&,
                                      std::uint32_t, flags::type rowFlags) {
                                      rows.push_back({std::string(at), std::move(value), rowFlags});
                                  });
    return rows;
}

constexpr flags::type kPlain = flags::kPlainMark;
constexpr flags::type kLevel = flags::kPlainMark | flags::kOpensLevel;
} // namespace

TEST(PropertyPaths, EnumerationReportsEveryVisibleRowDepthFirstWithItsPathValueAndFlags)
{
    sample::Outer outer;
    outer.numbers = {7, 8, 9};
    outer.children.resize(2);
    outer.children[1].value = 4;
    const std::vector<Row> expected = {
        {"Outer/count", 3, kPlain},
        {"Outer/locked", 9, kPlain | flags::kReadOnly},
        {"Outer/text", std::string("abc"), kPlain},
        {"Outer/where", Vector3(1.0f, 2.0f, 3.0f), kPlain},
        {"Outer/inner", 0, kLevel},
        {"Outer/inner/value", 1, kPlain},
        {"Outer/inner/scale", 2.0f, kPlain},
        // The hidden scope reports nothing of itself or below it; a scope without an object only its row.
        {"Outer/nowhere", 0, kLevel},
        {"Outer/numbers[]", 3, kLevel},
        {"Outer/numbers[0]", 7, kPlain},
        {"Outer/numbers[1]", 8, kPlain},
        {"Outer/numbers[2]", 9, kPlain},
        {"Outer/children[]", 2, kLevel},
        {"Outer/children[0]/value", 1, kPlain},
        {"Outer/children[0]/scale", 2.0f, kPlain},
        {"Outer/children[1]/value", 4, kPlain},
        {"Outer/children[1]/scale", 2.0f, kPlain},
        {"Outer/guarded", 0, 0},
        {"Outer/speed", 5.0f, kPlain},
        {"Outer/flag", false, kPlain},
    };
    EXPECT_THAT(Rows(sample::OuterTable(), &outer, "Outer/"), ElementsAreArray(expected));

    // Empty lists report neither header nor elements; the computed flags follow the object.
    outer.numbers.clear();
    outer.children.clear();
    outer.count = 6;
    const std::vector<Row> rows = Rows(sample::OuterTable(), &outer, "");
    ASSERT_EQ(rows.size(), expected.size() - 9);
    EXPECT_EQ(rows[7].path, "nowhere");
    EXPECT_EQ(rows[8], (Row{"guarded", 0, flags::kReadOnly}));

    // Paths are not cut at any length.
    const std::string longPrefix(300, 'p');
    EXPECT_EQ(Rows(sample::InnerTable(), &outer.inner, longPrefix + "/").at(1).path, longPrefix + "/scale");
}

TEST(PropertyPaths, SetByPathReachesValuesScopesAndListElementsAndRefusesWhatItCannotSet)
{
    sample::Outer outer;
    outer.numbers = {7, 8, 9};
    outer.children.resize(2);
    const property::table& described = sample::OuterTable();
    struct Case
    {
        const char* path;
        PropertyValue value;
        bool set;
    };
    const Case cases[] = {
        {"count", 4, true},
        {"text", std::string(300, 'x'), true},
        {"inner/scale", 0.5f, true},
        {"numbers[2]", 90, true},
        {"children[1]/value", 11, true},
        {"locked", 1, false},
        {"nowhere/value", 1, false},
        {"missing", 1, false},
        {"inner", 1, false},
        {"inner/", 1, false},
        {"count/value", 1, false},
        {"numbers[3]", 1, false},
        {"numbers[x]", 1, false},
        {"numbers[", 1, false},
        {"numbers[1", 1, false},
        {"numbers[99999999999999999999999]", 1, false},
        {"children[2]/value", 1, false},
        {"children[0]", 1, false},
        {"numbers[]", -1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(property::SetPropertyByPath(described, &outer, c.path, c.value), c.set) << c.path;
    EXPECT_EQ(outer.count, 4);
    EXPECT_EQ(outer.text, std::string(300, 'x'));
    EXPECT_EQ(outer.inner.scale, 0.5f);
    EXPECT_EQ(outer.numbers, (std::vector<int>{7, 8, 90}));
    EXPECT_EQ(outer.children[1].value, 11);
    EXPECT_EQ(outer.locked, 9);

    // The computed flags are asked of the object at the time.
    outer.count = 6;
    EXPECT_FALSE(property::SetPropertyByPath(described, &outer, "guarded", 2));
    outer.count = 5;
    EXPECT_TRUE(property::SetPropertyByPath(described, &outer, "guarded", 2));
    EXPECT_EQ(outer.guarded, 2);

    // "[]" sets the element count; 0 empties the list.
    EXPECT_TRUE(property::SetPropertyByPath(described, &outer, "numbers[]", 0));
    EXPECT_TRUE(outer.numbers.empty());
    EXPECT_TRUE(property::SetPropertyByPath(described, &outer, "children[]", 5));
    EXPECT_EQ(outer.children.size(), 5u);
}

TEST(PropertyPaths, AValueOfAnotherKindIsReportedAndChangesNothing)
{
    sample::Outer outer;
    outer.numbers = {7};
    testing::internal::CaptureStderr();
    EXPECT_FALSE(property::SetPropertyByPath(sample::OuterTable(), &outer, "count", 1.5f));
    EXPECT_FALSE(property::SetPropertyByPath(sample::OuterTable(), &outer, "numbers[]", 1.5f));
    EXPECT_FALSE(property::SetPropertyByPath(sample::OuterTable(), &outer, "numbers[0]", true));
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("'count' is given a value of another kind"));
    EXPECT_EQ(outer.count, 3);
    EXPECT_EQ(outer.numbers, std::vector<int>{7});
}

TEST(PropertyPaths, OfTwoNamesWithOneHashTheFirstInProbeOrderIsTheProperty)
{
    struct Pair
    {
        int first = 0;
        int second = 0;
    } pair;
    property::PropertyEntry entries[] = {property::ValueEntry<int>("first", offsetof(Pair, first)),
                                         property::ValueEntry<int>("second", offsetof(Pair, second))};
    entries[1].info.hash = entries[0].info.hash;
    const auto index = property::BuildIndex(entries);
    const property::table described = property::MakeTable("Pair", entries, index);
    EXPECT_TRUE(property::SetPropertyByPath(described, &pair, "first", 5));
    EXPECT_EQ(pair.first, 5);
    EXPECT_EQ(pair.second, 0);
    // Names are never compared: "second" has a hash of its own, which no slot holds.
    EXPECT_FALSE(property::SetPropertyByPath(described, &pair, "second", 6));

    const property::table empty{"Empty", 0, 0, nullptr, nullptr};
    EXPECT_FALSE(property::SetPropertyByPath(empty, &pair, "first", 5));
    EXPECT_TRUE(Rows(empty, &pair, "Empty/").empty());
}

TEST(PropertyPaths, TheInspectorsOwnTableIsWalkedAndSetByPath)
{
    property::inspector inspector("Inspector");
    inspector.m_UndoSystem.m_lCmds.resize(2);
    inspector.m_UndoSystem.m_lCmds[0].name = "Outer/count";
    const property::table& described = inspector.GetPropertyTable();
    const std::vector<Row> rows = Rows(described, &inspector, "Inspector/");
    std::vector<std::string> paths;
    for (const Row& row : rows)
        paths.push_back(row.path);
    const std::vector<std::string> expected = {
        "Inspector/Settings", "Inspector/Settings/WindowPadding.x", "Inspector/Settings/WindowPadding.y",
        "Inspector/Settings/TableFramePadding.x", "Inspector/Settings/TableFramePadding.y",
        "Inspector/Settings/FramePadding.x", "Inspector/Settings/FramePadding.y", "Inspector/Settings/ItemSpacing.x",
        "Inspector/Settings/ItemSpacing.y", "Inspector/Settings/IndentSpacing", "Inspector/Settings/Background",
        "Inspector/Settings/Background/RenderLeft", "Inspector/Settings/Background/RenderRight",
        "Inspector/Settings/Background/Depth", "Inspector/Settings/Background/ColorVScalar1",
        "Inspector/Settings/Background/ColorVScalar2", "Inspector/Settings/Background/ColorSScalar",
        "Inspector/Settings/Help Popup", "Inspector/Settings/Help Popup/WindowPadding.X",
        "Inspector/Settings/Help Popup/WindowPadding.Y", "Inspector/Settings/Help Popup/MaxSizeInChars",
        "Inspector/UndoSystem", "Inspector/UndoSystem/Index", "Inspector/UndoSystem/MaxSteps",
        "Inspector/UndoSystem/lCmds[]", "Inspector/UndoSystem/lCmds[0]/Name", "Inspector/UndoSystem/lCmds[0]/Type",
        "Inspector/UndoSystem/lCmds[0]/Original", "Inspector/UndoSystem/lCmds[0]/New",
        "Inspector/UndoSystem/lCmds[1]/Name", "Inspector/UndoSystem/lCmds[1]/Type",
        "Inspector/UndoSystem/lCmds[1]/Original", "Inspector/UndoSystem/lCmds[1]/New"};
    EXPECT_THAT(paths, ElementsAreArray(expected));
    EXPECT_EQ(rows[1].value, PropertyValue(0.0f));
    EXPECT_EQ(rows[9].value, PropertyValue(3.0f));
    EXPECT_EQ(rows[20].value, PropertyValue(50));
    EXPECT_EQ(rows[24].value, PropertyValue(2));
    EXPECT_EQ(rows[25].value, PropertyValue(std::string("Outer/count")));
    EXPECT_EQ(rows[26].value, PropertyValue(std::string("int")));

    EXPECT_TRUE(property::SetPropertyByPath(described, &inspector, "Settings/IndentSpacing", 7.0f));
    EXPECT_EQ(inspector.m_Settings.m_IndentSpacing, 7.0f);
    EXPECT_TRUE(property::SetPropertyByPath(described, &inspector, "Settings/Help Popup/MaxSizeInChars", 80));
    EXPECT_EQ(inspector.m_Settings.m_HelpWindowSizeInChars, 80);
    // The entry's texts take any write and keep what they show.
    EXPECT_TRUE(property::SetPropertyByPath(described, &inspector, "UndoSystem/lCmds[0]/Name", std::string("x")));
    EXPECT_EQ(inspector.m_UndoSystem.m_lCmds[0].name, "Outer/count");
    EXPECT_FALSE(property::SetPropertyByPath(described, &inspector, "UndoSystem/lCmds[2]/Name", std::string("x")));
}
