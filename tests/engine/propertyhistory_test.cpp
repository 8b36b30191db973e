#include "propertyhistory.h"
#include "propertyinspector.h"
#include "propertypaths.h"
#include "sampletables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

using property::PropertyValue;
namespace undo = property::editor::undo;

namespace
{
// What the fake widget does in the coming frame: move the value to `to`, and let go of the control.
struct Gesture
{
    std::optional<PropertyValue> to;
    bool release = false;
};
Gesture nextGesture;

// Plays the widget's part of the edit protocol as a real control would under the gesture.
void FakeWidget(undo::entry& state, const PropertyValue& value, const property::EditorDescriptor&, bool)
{
    state.flags &= ~undo::state::kChanged;
    if (nextGesture.to)
    {
        if ((state.flags & undo::state::kEditing) == 0)
            state.original = value;
        state.flags |= undo::state::kEditing | undo::state::kChanged;
        state.newValue = *nextGesture.to;
    }
    if (nextGesture.release)
        state.flags &= ~undo::state::kEditing;
}

class History : public ::testing::Test
{
protected:
    History()
    {
        item.described = &sample::OuterTable();
        item.object = &outer;
        for (std::uint8_t kind = 0; kind < 6; ++kind)
            fakes[kind] = {&FakeWidget, 0, 0, "%d", 1.0f, 0.0f, 0.0f, "%.3f", 1.0f, kind};
    }

    // One frame of the row at path: the record as the inspector would make it, drawn with the gesture.
    void Frame(const std::string& path, Gesture gesture = {})
    {
        nextGesture = std::move(gesture);
        std::string name = path.substr(path.find('/') + 1);
        const property::PropertyEntry* entry = property::Find(sample::OuterTable(), name);
        ASSERT_NE(entry, nullptr) << path;
        property::PropertyInfo info = entry->info;
        info.editor = &fakes[static_cast<std::size_t>(entry->kind)];
        info.hasEditor = true;
        property::PropertyValue value = *property::ReadProperty(sample::OuterTable(), &outer, name);
        history.RecordEdit({path, value, &info, property::flags::kPlainMark}, item);
    }

    // What the history's own table shows of entry n.
    std::string Shown(std::size_t n, const std::string& field)
    {
        std::optional<std::string> shown;
        std::string path;
        property::EnumerateProperties(undo::system::StaticPropertyTable(), &history, path, 0,
                                      [&](std::string_view at, PropertyValue&& value, const property::table&,
                                          std::uint32_t, property::flags::type) {
                                          if (at == "lCmds[" + std::to_string(n) + "]/" + field)
                                              shown = std::get<std::string>(value);
                                      });
        return shown.value_or("(none)");
    }

    sample::Outer outer;
    property::InspectorItem item;
    property::EditorDescriptor fakes[6];
    undo::system history;
};
} // namespace

TEST_F(History, ADragOverSeveralFramesIsOneEntryWrittenAsItGoes)
{
    Frame("Outer/speed");
    EXPECT_TRUE(history.m_lCmds.empty());
    Frame("Outer/speed", {6.0f});
    EXPECT_EQ(outer.speed, 6.0f);
    Frame("Outer/speed", {9.0f});
    EXPECT_EQ(outer.speed, 9.0f);
    ASSERT_EQ(history.m_lCmds.size(), 1u);
    EXPECT_EQ(history.m_Index, 0);
    Frame("Outer/speed", {std::nullopt, true});
    EXPECT_EQ(history.m_Index, 1);
    EXPECT_EQ(Shown(0, "Name"), "Outer/speed");
    EXPECT_EQ(Shown(0, "Type"), "float");
    EXPECT_EQ(Shown(0, "Original"), "5.000000");
    EXPECT_EQ(Shown(0, "New"), "9.000000");

    // Another property's edit is a second entry.
    Frame("Outer/where", {Vector3(0.5f, 1.0f, -2.0f), true});
    Frame("Outer/where");
    ASSERT_EQ(history.m_lCmds.size(), 2u);
    EXPECT_EQ(history.m_Index, 2);
    EXPECT_EQ(Shown(1, "Type"), "vec3");
    EXPECT_EQ(Shown(1, "Original"), "1.000000 2.000000 3.000000");
    EXPECT_EQ(Shown(1, "New"), "0.500000 1.000000 -2.000000");
    EXPECT_EQ(outer.where.z, -2.0f);
}

TEST_F(History, AClickIsFinishedOnTheNextFrameSoTwoClicksAreTwoEntries)
{
    // A click: the control changes and is let go in one frame; the press of the next click is a quiet frame.
    Frame("Outer/flag", {true, true});
    EXPECT_TRUE(outer.flag);
    EXPECT_EQ(history.m_Index, 0);
    Frame("Outer/flag");
    EXPECT_EQ(history.m_Index, 1);
    Frame("Outer/flag", {false, true});
    Frame("Outer/flag");
    ASSERT_EQ(history.m_lCmds.size(), 2u);
    EXPECT_EQ(history.m_Index, 2);
    EXPECT_EQ(Shown(0, "Original"), "false");
    EXPECT_EQ(Shown(0, "New"), "true");
    EXPECT_EQ(Shown(1, "Original"), "true");
    EXPECT_EQ(Shown(1, "New"), "false");
    EXPECT_FALSE(outer.flag);
}

TEST_F(History, TheSeventhFinishedEditDropsTheOldestAndANewEditDropsWhatLiesAfterTheCursor)
{
    for (int n = 1; n <= 7; ++n)
    {
        Frame("Outer/count", {n, true});
        Frame("Outer/count");
    }
    ASSERT_EQ(history.m_lCmds.size(), 6u);
    EXPECT_EQ(Shown(0, "New"), "2");
    EXPECT_EQ(Shown(5, "New"), "7");

    history.m_Index = 3;
    Frame("Outer/count", {40, true});
    ASSERT_EQ(history.m_lCmds.size(), 4u);
    EXPECT_EQ(Shown(3, "New"), "40");
}

TEST_F(History, APathOutsideTheItemsTableIsRecordedButNotApplied)
{
    Frame("Other/count", {8, true});
    Frame("Other/count");
    ASSERT_EQ(history.m_lCmds.size(), 1u);
    EXPECT_EQ(outer.count, 3);
    Frame("Outerx/count", {8, true});
    EXPECT_EQ(outer.count, 3);
}

TEST_F(History, EditedThroughItsOwnTableTheHistoryStaysInBounds)
{
    Frame("Outer/count", {4, true});
    Frame("Outer/count");
    const property::table& own = undo::system::StaticPropertyTable();
    EXPECT_TRUE(property::SetPropertyByPath(own, &history, "MaxSteps", -1));
    EXPECT_EQ(history.m_MaxSteps, 0);
    EXPECT_TRUE(property::SetPropertyByPath(own, &history, "Index", 50));
    Frame("Outer/count", {5, true});
    Frame("Outer/count");
    EXPECT_EQ(history.m_lCmds.size(), 1u);

    // Shrinking the list below the cursor leaves the cursor at its end.
    EXPECT_TRUE(property::SetPropertyByPath(own, &history, "lCmds[]", 0));
    EXPECT_TRUE(property::SetPropertyByPath(own, &history, "Index", -3));
    Frame("Outer/count", {6, true});
    Frame("Outer/count");
    ASSERT_EQ(history.m_lCmds.size(), 1u);
    EXPECT_EQ(history.m_Index, 1);
    EXPECT_EQ(outer.count, 6);

    history.Clear();
    EXPECT_TRUE(history.m_lCmds.empty());
    EXPECT_EQ(history.m_Index, 0);
    EXPECT_EQ(history.m_MaxSteps, 0);
}
