#include "propertywidgets.h"

#include "assertion.h"
#include "editorvalues.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <array>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <set>
#include <string>

namespace property
{
namespace
{
using editor::undo::entry;
namespace state = editor::undo::state;

// The widget's half of the edit protocol: a change starts or continues the edit, and the edit ends when its
// control is let go after changing something. A value that is not finite is no change.
template <typename T>
void TrackEdit(entry& edit, const T& value, const T& edited, bool changed, bool deactivatedAfterEdit)
{
    changed = changed && editorvalues::IsFinite(edited);
    edit.flags = changed ? edit.flags | state::kChanged : edit.flags & ~state::kChanged;
    if (changed)
    {
        if ((edit.flags & state::kEditing) == 0)
            edit.original = value;
        edit.flags |= state::kEditing;
        edit.newValue = edited;
    }
    if ((edit.flags & state::kEditing) != 0 && deactivatedAfterEdit)
        edit.flags &= ~state::kEditing;
}

// A single control on a copy of the value; control draws it and says whether it changed the copy.
template <typename T, typename Control>
void EditCopy(entry& edit, const T& value, Control control)
{
    T copy = value;
    const bool changed = control(copy);
    TrackEdit(edit, value, copy, changed, ImGui::IsItemDeactivatedAfterEdit());
}

// A number that cannot be changed: a button of the cell's width labelled with it.
template <typename Number>
void NumberButton(const char* format, Number number)
{
    char label[128];
    std::snprintf(label, sizeof label, format, number);
    ImGui::Button(label, ImVec2(-FLT_MIN, 0.0f));
}

template <typename T>
const T& Typed(const PropertyValue& value)
{
    return *std::get_if<T>(&value);
}

template <typename Control>
void IntWidget(entry& edit, const PropertyValue& value, const EditorDescriptor& descriptor, bool readOnly,
               Control control)
{
    const int number = Typed<int>(value);
    if (readOnly)
        NumberButton(descriptor.intFormat, number);
    else
        EditCopy(edit, number, control);
}

template <typename Control>
void FloatWidget(entry& edit, const PropertyValue& value, const EditorDescriptor& descriptor, bool readOnly,
                 Control control)
{
    const float number = Typed<float>(value);
    if (readOnly)
        NumberButton(descriptor.floatFormat, static_cast<double>(number));
    else
        EditCopy(edit, number, control);
}

constexpr std::array<ImU32, 3> kAxisTints = {IM_COL32(255, 0, 0, 68), IM_COL32(0, 255, 0, 68),
                                              IM_COL32(0, 0, 255, 68)};

std::array<float*, 2> Components(Vector2& vector)
{
    return {&vector.x, &vector.y};
}

std::array<float*, 3> Components(Vector3& vector)
{
    return {&vector.x, &vector.y, &vector.z};
}

template <typename Vector, std::size_t Count>
void VectorWidget(entry& edit, const PropertyValue& value, bool readOnly)
{
    static constexpr const char* kLabels[] = {"##value1", "##value2", "##value3"};
    const Vector& vector = Typed<Vector>(value);
    Vector copy = vector;
    const std::array<float*, Count> components = Components(copy);
    const float width = (ImGui::GetContentRegionAvail().x - ImGui::GetStyle().ItemInnerSpacing.x) / Count;
    bool changed = false;
    bool deactivated = false;
    ImGui::PushItemWidth(width);
    for (std::size_t axis = 0; axis < Count; ++axis)
    {
        if (axis > 0)
            ImGui::SameLine(0.0f, 2.0f);
        const ImVec2 start = ImGui::GetCursorScreenPos();
        changed |= ImGui::DragFloat(kLabels[axis], components[axis], 0.01f, -1000.0f, 1000.0f, "%.3f");
        deactivated |= ImGui::IsItemDeactivatedAfterEdit();
        ImGui::GetWindowDrawList()->AddRectFilled(
            start, ImVec2(start.x + width, start.y + ImGui::GetFrameHeight()), kAxisTints[axis]);
    }
    ImGui::PopItemWidth();
    if (!readOnly)
        TrackEdit(edit, vector, copy, changed, deactivated);
}

const std::array<EditorDescriptor, 6>& Defaults()
{
    static const std::array<EditorDescriptor, 6> defaults = [] {
        std::array<EditorDescriptor, 6> made{};
        made[0] = {&IntDragWidget, INT_MIN, INT_MAX, "%d", 1.0f};
        made[1].widget = &BoolWidget;
        made[2] = {&FloatDragWidget, 0, 0, "%d", 1.0f, -FLT_MAX, FLT_MAX, "%.3f", 1.0f};
        made[3].widget = &StringWidget;
        made[4].widget = &Vector2Widget;
        made[5].widget = &Vector3Widget;
        for (std::size_t kind = 0; kind < made.size(); ++kind)
            made[kind].kind = static_cast<std::uint8_t>(kind);
        return made;
    }();
    return defaults;
}

void ReportMismatchOnce(const PropertyInfo& info)
{
    static std::set<const PropertyInfo*> reported;
    if (reported.insert(&info).second)
        ReportAssertion(std::string("The editor of property '") + (info.name ? info.name : "") +
                            "' is for another kind of value; shown read-only",
                        __FILE__, __LINE__);
}
} // namespace

void IntSliderWidget(entry& edit, const PropertyValue& value, const EditorDescriptor& descriptor, bool readOnly)
{
    IntWidget(edit, value, descriptor, readOnly, [&](int& copy) {
        return ImGui::SliderInt("##value", &copy, descriptor.intMinimum, descriptor.intMaximum, descriptor.intFormat);
    });
}

void IntDragWidget(entry& edit, const PropertyValue& value, const EditorDescriptor& descriptor, bool readOnly)
{
    IntWidget(edit, value, descriptor, readOnly, [&](int& copy) {
        return ImGui::DragInt("##value", &copy, descriptor.intSpeed, descriptor.intMinimum, descriptor.intMaximum,
                              descriptor.intFormat);
    });
}

void FloatSliderWidget(entry& edit, const PropertyValue& value, const EditorDescriptor& descriptor, bool readOnly)
{
    FloatWidget(edit, value, descriptor, readOnly, [&](float& copy) {
        return ImGui::SliderFloat("##value", &copy, descriptor.floatMinimum, descriptor.floatMaximum,
                                  descriptor.floatFormat);
    });
}

void FloatDragWidget(entry& edit, const PropertyValue& value, const EditorDescriptor& descriptor, bool readOnly)
{
    FloatWidget(edit, value, descriptor, readOnly, [&](float& copy) {
        return ImGui::DragFloat("##value", &copy, descriptor.floatSpeed, descriptor.floatMinimum,
                                descriptor.floatMaximum, descriptor.floatFormat);
    });
}

void BoolWidget(entry& edit, const PropertyValue& value, const EditorDescriptor&, bool readOnly)
{
    const bool stored = Typed<bool>(value);
    bool shown = stored;
    if (readOnly)
    {
        bool ignored = stored;
        ImGui::Checkbox("##value", &ignored);
    }
    else
        EditCopy(edit, stored, [&](bool& copy) {
            const bool clicked = ImGui::Checkbox("##value", &copy);
            shown = copy;
            return clicked;
        });
    ImGui::SameLine();
    ImGui::TextUnformatted(shown ? "True" : "False");
}

void StringWidget(entry& edit, const PropertyValue& value, const EditorDescriptor&, bool readOnly)
{
    const std::string& text = Typed<std::string>(value);
    if (readOnly)
    {
        std::string shown = text;
        ImGui::InputText("##value", &shown, ImGuiInputTextFlags_ReadOnly);
        return;
    }
    EditCopy(edit, text, [](std::string& copy) {
        return ImGui::InputText("##value", &copy, ImGuiInputTextFlags_EnterReturnsTrue);
    });
}

void Vector2Widget(entry& edit, const PropertyValue& value, const EditorDescriptor&, bool readOnly)
{
    VectorWidget<Vector2, 2>(edit, value, readOnly);
}

void Vector3Widget(entry& edit, const PropertyValue& value, const EditorDescriptor&, bool readOnly)
{
    VectorWidget<Vector3, 3>(edit, value, readOnly);
}

void ShowValueWidget(entry& edit, const PropertyValue& value, const PropertyInfo& info, flags::type rowFlags)
{
    const EditorDescriptor& fallback = Defaults()[value.index()];
    const EditorDescriptor* descriptor = info.hasEditor && info.editor ? info.editor : &fallback;
    bool readOnly = (rowFlags & flags::kReadOnly) != 0;
    if (descriptor->kind != value.index())
    {
        ReportMismatchOnce(info);
        descriptor = &fallback;
        readOnly = true;
    }
    descriptor->widget(edit, value, *descriptor, readOnly);
}
} // namespace property
