#include "guidriver.h"
#include "headlessgui.h"
#include "propertyinspector.h"
#include "propertypaths.h"
#include "propertywidgets.h"
#include "sampletables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using property::PropertyValue;

namespace
{
// What an int row drew: where its label and value cell are, its value and whether it was read-only.
struct DrawnRow
{
    int value = 0;
    bool readOnly = false;
    ImVec2 labelMin;
    ImVec2 labelMax;
    ImVec2 cell;
};
std::vector<DrawnRow> drawn;

void RecordingWidget(property::editor::undo::entry& state, const PropertyValue& value,
                     const property::EditorDescriptor& descriptor, bool readOnly)
{
    drawn.push_back({std::get<int>(value), readOnly, ImGui::GetItemRectMin(), ImGui::GetItemRectMax(),
                     ImGui::GetCursorScreenPos()});
    property::IntDragWidget(state, value, descriptor, readOnly);
}

constexpr property::EditorDescriptor kRecording = {&RecordingWidget, -100, 100, "%d", 1.0f};
constexpr property::EditorDescriptor kFloatSlider = property::FloatSlider(0.0f, 1.0f);

struct Probe
{
    int a = 1;
    int locked = 2;
    int mismatch = 3;
    std::vector<sample::Inner> items;
};

const property::table& ProbeInnerTable()
{
    static const property::PropertyEntry entries[] = {
        sample::WithEditor(property::ValueEntry<int>("value", offsetof(sample::Inner, value)), &kRecording)};
    static const auto index = property::BuildIndex(entries);
    static const property::table described = property::MakeTable("Inner", entries, index);
    return described;
}

property::PropertyEntry WithHelp(property::PropertyEntry entry, const char* help)
{
    entry.info.help = help;
    return entry;
}

const property::table& ProbeTable()
{
    using namespace property;
    static const PropertyEntry entries[] = {
        WithHelp(sample::WithEditor(ValueEntry<int>("a", offsetof(Probe, a)), &kRecording), "The first value"),
        sample::WithEditor(ValueEntry<int>("locked", offsetof(Probe, locked), PlainFlags(flags::kReadOnly)),
                           &kRecording),
        sample::WithEditor(ValueEntry<int>("mismatch", offsetof(Probe, mismatch)), &kFloatSlider),
        sample::Listed(sample::Positioned(TableEntry("items", &sample::ChildAt<&ProbeInnerTable>),
                                          offsetof(Probe, items)),
                       &sample::VectorList<sample::Inner>),
    };
    static const auto index = BuildIndex(entries);
    static const table described = MakeTable("Probe", entries, index);
    return described;
}

class Inspector : public ::testing::Test
{
protected:
    Inspector()
    {
        probe.items.resize(3);
        for (int n = 0; n < 3; ++n)
            probe.items[static_cast<std::size_t>(n)].value = 10 + n;
        inspector.AddGroup();
        inspector.AddItem(ProbeTable(), &probe);
        testing::internal::CaptureStderr();
        Frame();
        testing::internal::GetCapturedStderr();
    }

    void Frame() { gui.Frame(draw); }

    std::vector<int> DrawnValues() const
    {
        std::vector<int> values;
        for (const DrawnRow& row : drawn)
            values.push_back(row.value);
        return values;
    }

    HeadlessGui gui;
    Probe probe;
    property::inspector inspector{"Inspector"};
    std::vector<DrawnRow> firstFrame;
    std::function<void()> draw = [this] {
        drawn.clear();
        inspector.Render({});
    };
};
} // namespace

TEST_F(Inspector, ClosedNodesAreNotDrawnAndOpenOrCloseWithTheirListsButtons)
{
    firstFrame = drawn;
    // The list header and its elements start closed.
    ASSERT_THAT(DrawnValues(), testing::ElementsAre(1, 2));
    EXPECT_FALSE(drawn[0].readOnly);
    EXPECT_TRUE(drawn[1].readOnly);

    const float stride = drawn[1].labelMin.y - drawn[0].labelMin.y;
    const float half = (drawn[0].labelMax.y - drawn[0].labelMin.y) / 2.0f;
    const float header = drawn[1].labelMin.y + 2.0f * stride + half;
    gui.Click(ImVec2(drawn[0].labelMin.x + ImGui::GetFontSize() / 2.0f, header), draw);
    Frame();
    EXPECT_THAT(DrawnValues(), testing::ElementsAre(1, 2));

    // The header's label carries the count.
    EXPECT_TRUE(GuiDriver::Shows("items[..3]")) << GuiDriver::Text();

    // " O " opens every element in the frame of the click.
    const float buttons = firstFrame[0].cell.x + inspector.m_Settings.m_IndentSpacing;
    gui.Click(ImVec2(buttons + 6.0f, header), draw);
    EXPECT_THAT(DrawnValues(), testing::ElementsAre(1, 2, 10, 11, 12));
    Frame();
    EXPECT_THAT(DrawnValues(), testing::ElementsAre(1, 2, 10, 11, 12));

    // " C " follows it on the same line.
    const float closeButton = buttons + ImGui::CalcTextSize(" O ").x + inspector.m_Settings.m_ItemSpacing.x + 6.0f;
    gui.Click(ImVec2(closeButton, header), draw);
    Frame();
    EXPECT_THAT(DrawnValues(), testing::ElementsAre(1, 2));
}

TEST_F(Inspector, EditsGoThroughTheHistoryAndReadOnlyOrMismatchedRowsCannotBeChanged)
{
    firstFrame = drawn;
    const float stride = drawn[1].labelMin.y - drawn[0].labelMin.y;
    const auto valueAt = [&](int row) {
        return ImVec2(firstFrame[0].cell.x + 40.0f, firstFrame[0].cell.y + stride * static_cast<float>(row) + 5.0f);
    };
    gui.Drag(valueAt(0), 3.0f, 3, draw);
    Frame();
    EXPECT_GT(probe.a, 1);
    ASSERT_EQ(inspector.m_UndoSystem.m_lCmds.size(), 1u);
    EXPECT_EQ(inspector.m_UndoSystem.m_Index, 1);
    EXPECT_EQ(inspector.m_UndoSystem.m_lCmds[0].name, "Probe/a");
    EXPECT_EQ(inspector.m_UndoSystem.m_lCmds[0].original, PropertyValue(1));

    testing::internal::CaptureStderr();
    gui.Drag(valueAt(1), 3.0f, 3, draw);
    gui.Drag(valueAt(2), 3.0f, 3, draw);
    const std::string laterReports = testing::internal::GetCapturedStderr();
    EXPECT_EQ(probe.locked, 2);
    EXPECT_EQ(probe.mismatch, 3);
    EXPECT_EQ(inspector.m_UndoSystem.m_lCmds.size(), 1u);
    // The mismatch was told in the first frame, and only then.
    EXPECT_EQ(laterReports, "");
}

TEST_F(Inspector, ClearEmptiesTheGroupsAndTheHistoryAndAnEmptyTableDrawsItsRootAlone)
{
    inspector.m_UndoSystem.m_lCmds.resize(2);
    inspector.m_UndoSystem.m_Index = 2;
    inspector.DropPropertyTables();
    EXPECT_TRUE(inspector.Groups().empty());
    EXPECT_TRUE(inspector.m_UndoSystem.m_lCmds.empty());
    EXPECT_EQ(inspector.m_UndoSystem.m_Index, 0);

    const property::table empty{"Empty", property::PropertyNameHash("Empty"), 0, nullptr, nullptr};
    inspector.AddGroup();
    inspector.AddItem(empty, &probe);
    int headerCalls = 0;
    gui.Frame([&] { inspector.Render([&] { ++headerCalls; }); });
    EXPECT_EQ(headerCalls, 1);
    ASSERT_EQ(inspector.Groups().size(), 1u);
    EXPECT_TRUE(inspector.Groups()[0].items[0]->records.empty());
}

TEST(InspectorSettings, StartFromTheirDefaultsWithTheirHelpAndWidgets)
{
    property::inspector inspector("Inspector");
    struct Shown
    {
        PropertyValue value;
        const char* help;
        const property::EditorDescriptor* editor;
    };
    std::vector<Shown> rows;
    std::string path;
    property::EnumerateProperties(inspector.m_Settings.GetPropertyTable(), &inspector.m_Settings, path, 0,
                                  [&](std::string_view, PropertyValue&& value, const property::table& holder,
                                      std::uint32_t index, property::flags::type) {
                                      const property::PropertyInfo& info = holder.entries[index].info;
                                      rows.push_back({value, info.help, info.hasEditor ? info.editor : nullptr});
                                  });
    const std::vector<std::pair<PropertyValue, float>> expected = {
        {0.0f, 20.0f}, {3.0f, 20.0f}, {2.0f, 20.0f}, {6.0f, 40.0f}, {0.0f, 20.0f}, {2.0f, 20.0f}, {2.0f, 20.0f},
        {1.0f, 20.0f}, {3.0f, 20.0f}, {0, 0.0f}, {true, 0.0f}, {true, 0.0f}, {true, 0.0f}, {0.5f, 2.0f},
        {0.4f, 2.0f}, {0.4f, 2.0f}, {0, 0.0f}, {10.0f, 20.0f}, {10.0f, 20.0f}, {50, 200.0f}};
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t n = 0; n < rows.size(); ++n)
    {
        EXPECT_EQ(rows[n].value, expected[n].first) << n;
        // Sliders run from 0 (1 for the int) to their maximum; the scope rows and the booleans have none.
        const property::EditorDescriptor* editor = rows[n].editor;
        if (expected[n].second == 0.0f)
        {
            EXPECT_EQ(editor, nullptr) << n;
            continue;
        }
        ASSERT_NE(editor, nullptr) << n;
        if (editor->widget == &property::IntSliderWidget)
            EXPECT_EQ((std::pair{editor->intMinimum, editor->intMaximum}), (std::pair{1, 200})) << n;
        else
            EXPECT_EQ((std::pair{editor->floatMinimum, editor->floatMaximum}), (std::pair{0.0f, expected[n].second}))
                << n;
    }
    EXPECT_STREQ(rows[0].help, "Blank Border for the property window in X");
    EXPECT_STREQ(rows[4].help, nullptr);
    EXPECT_STREQ(rows[14].help, "Changes the Luminosity of one of the alternate colors for the background");
    EXPECT_STREQ(rows[19].help, "Max Size of the help window popup when it opens");
}
