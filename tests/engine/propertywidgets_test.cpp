#include "headlessgui.h"
#include "propertywidgets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using property::PropertyValue;
namespace undo = property::editor::undo;

namespace
{
// One widget drawn every frame on a value that takes each change at once, as the history writes it.
class Widget : public ::testing::Test
{
protected:
    void Show(const PropertyValue& start, const property::PropertyInfo& shownInfo, property::flags::type rowFlags = 0)
    {
        value = start;
        state = undo::entry(value);
        info = shownInfo;
        flags = rowFlags;
        gui.Frame(draw);
    }

    // Types into the field of that label, reached as keyboard navigation reaches it, and presses Enter.
    void TypeInto(const char* label, const char* text)
    {
        ImGuiContext& context = *ImGui::GetCurrentContext();
        const ImGuiID id = ImHashStr(label, 0, ImHashStr("Probe", 0, 0));
        context.NavNextActivateId = id;
        context.NavNextActivateFlags = ImGuiActivateFlags_PreferInput;
        context.NavId = id;
        gui.Frame(draw);
        gui.Type(text);
        gui.Frame(draw);
        gui.PressEnter();
        gui.Frame(draw);
        gui.Frame(draw);
    }

    ImVec2 Centre() const { return ImVec2((itemMin.x + itemMax.x) / 2.0f, (itemMin.y + itemMax.y) / 2.0f); }
    bool Editing() const { return (state.flags & undo::state::kEditing) != 0; }

    HeadlessGui gui;
    PropertyValue value;
    undo::entry state;
    property::PropertyInfo info;
    property::flags::type flags = 0;
    ImVec2 start;
    ImVec2 itemMin;
    ImVec2 itemMax;
    int changedFrames = 0;
    std::function<void()> draw = [this] {
        start = ImGui::GetCursorScreenPos();
        ImGui::PushItemWidth(300.0f);
        property::ShowValueWidget(state, value, info, flags);
        ImGui::PopItemWidth();
        itemMin = ImGui::GetItemRectMin();
        itemMax = ImGui::GetItemRectMax();
        if ((state.flags & undo::state::kChanged) != 0)
        {
            ++changedFrames;
            value = state.newValue;
        }
    };
};
} // namespace

TEST_F(Widget, AnIntDragIsOneEditFromItsFirstValueToItsLastThatEndsOnRelease)
{
    Show(3, {});
    bool editingWhileHeld = false;
    gui.MoveTo(Centre());
    gui.Frame(draw);
    gui.Button(true);
    gui.Frame(draw);
    for (float x : {2.0f, 4.0f, 6.0f})
    {
        gui.MoveTo(ImVec2(Centre().x + x, Centre().y));
        gui.Frame(draw);
        editingWhileHeld = Editing();
    }
    EXPECT_TRUE(editingWhileHeld);
    gui.Button(false);
    gui.Frame(draw);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(state.original, PropertyValue(3));
    EXPECT_EQ(state.newValue, PropertyValue(7));
    EXPECT_EQ(value, PropertyValue(7));
}

TEST_F(Widget, AStringIsReportedOnlyWhenEnterIsPressed)
{
    Show(std::string("door"), {});
    gui.Click(Centre(), draw);
    gui.Type("s");
    gui.Frame(draw);
    gui.Frame(draw);
    EXPECT_EQ(changedFrames, 0);
    EXPECT_EQ(value, PropertyValue(std::string("door")));
    gui.PressEnter();
    gui.Frame(draw);
    EXPECT_EQ(changedFrames, 1);
    EXPECT_EQ(value, PropertyValue(std::string("doors")));
    EXPECT_EQ(state.original, PropertyValue(std::string("door")));
    EXPECT_FALSE(Editing());
}

TEST_F(Widget, VectorComponentsShowAnyValueButADragClampsThemToAThousand)
{
    Show(Vector2(1500.0f, -2.0f), {});
    const float width = itemMax.x - itemMin.x;
    // The x field is the first of the two at the start of the row.
    gui.Drag(ImVec2(start.x + width / 2.0f, Centre().y), -2.0f, 2, draw);
    EXPECT_EQ(std::get<Vector2>(value).x, 1000.0f);
    EXPECT_EQ(std::get<Vector2>(value).y, -2.0f);
    EXPECT_EQ(state.original, PropertyValue(Vector2(1500.0f, -2.0f)));
    EXPECT_FALSE(Editing());
}

TEST_F(Widget, ReadOnlyValuesAreDrawnButNeitherClicksNorDragsChangeThem)
{
    Show(false, {}, property::flags::kReadOnly);
    gui.Click(ImVec2(start.x + 5.0f, start.y + 5.0f), draw);
    Show(12, {}, property::flags::kReadOnly);
    gui.Drag(Centre(), 3.0f, 4, draw);
    Show(std::string("fixed"), {}, property::flags::kReadOnly);
    gui.Click(Centre(), draw);
    gui.Type("x");
    gui.PressEnter();
    gui.Frame(draw);
    EXPECT_EQ(changedFrames, 0);
    EXPECT_EQ(state.flags, 0);
}

TEST_F(Widget, ADescriptorOfAnotherKindIsReportedOnceAndTheValueDrawnReadOnly)
{
    static constexpr property::EditorDescriptor kSlider = property::FloatSlider(0.0f, 1.0f);
    property::PropertyInfo mismatched;
    mismatched.name = "count";
    mismatched.editor = &kSlider;
    mismatched.hasEditor = true;
    testing::internal::CaptureStderr();
    Show(4, mismatched);
    gui.Drag(Centre(), 3.0f, 4, draw);
    const std::string reports = testing::internal::GetCapturedStderr();
    EXPECT_EQ(value, PropertyValue(4));
    EXPECT_EQ(changedFrames, 0);
    const std::string report = "The editor of property 'count' is for another kind of value";
    ASSERT_NE(reports.find(report), std::string::npos);
    EXPECT_EQ(reports.find(report, reports.find(report) + 1), std::string::npos);
}

// "1e39" overflows a float to infinity; typed into any number field it is refused and the old value kept.
TEST_F(Widget, ATypedNumberThatIsNotFiniteIsRefusedInEveryNumberField)
{
    static constexpr property::EditorDescriptor kSlider = property::FloatSlider(0.0f, 1.0f);
    property::PropertyInfo slider;
    slider.editor = &kSlider;
    slider.hasEditor = true;
    const struct
    {
        PropertyValue start;
        property::PropertyInfo info;
        const char* label;
        const char* typed;
        PropertyValue expected;
    } cases[] = {
        {2.0f, {}, "##value", "1e39", 2.0f},
        {2.0f, {}, "##value", "-1e39", 2.0f},
        {0.5f, slider, "##value", "1e39", 0.5f},
        {Vector2(1.0f, 2.0f), {}, "##value2", "1e39", Vector2(1.0f, 2.0f)},
        {Vector3(1.0f, 2.0f, 3.0f), {}, "##value1", "-1e39", Vector3(1.0f, 2.0f, 3.0f)},
        {Vector3(1.0f, 2.0f, 3.0f), {}, "##value3", "1e39", Vector3(1.0f, 2.0f, 3.0f)},
        // Numbers that fit are taken, so the fields were really typed into.
        {2.0f, {}, "##value", "2.5", 2.5f},
        {0.5f, slider, "##value", "0.25", 0.25f},
        {Vector3(1.0f, 2.0f, 3.0f), {}, "##value3", "-4", Vector3(1.0f, 2.0f, -4.0f)},
    };
    for (const auto& [begin, shownInfo, label, typed, expected] : cases)
    {
        Show(begin, shownInfo);
        changedFrames = 0;
        TypeInto(label, typed);
        EXPECT_EQ(value, expected) << label << " " << typed;
        EXPECT_EQ(changedFrames, value == begin ? 0 : 1) << label << " " << typed;
        EXPECT_FALSE(Editing()) << label << " " << typed;
    }
}
