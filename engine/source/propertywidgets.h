#pragma once
#include "propertyhistory.h"

#include <cstdint>

namespace property
{
// Draws a value at the full width of the cell and reports a change through the edit state; it never writes the
// property itself.
using ValueWidget = void (*)(editor::undo::entry& state, const PropertyValue& value,
                             const EditorDescriptor& descriptor, bool readOnly);

// The widget a table entry asks for, with its range; the entry's info holds it when hasEditor is set.
struct EditorDescriptor
{
    ValueWidget widget = nullptr;
    std::int32_t intMinimum = 0;
    std::int32_t intMaximum = 0;
    const char* intFormat = "%d";
    float intSpeed = 1.0f;
    float floatMinimum = 0.0f;
    float floatMaximum = 0.0f;
    const char* floatFormat = "%.3f";
    float floatSpeed = 1.0f;
    std::uint8_t kind = 0;
};

void IntSliderWidget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                     bool readOnly);
void IntDragWidget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                   bool readOnly);
void FloatSliderWidget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                       bool readOnly);
void FloatDragWidget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                     bool readOnly);
void BoolWidget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                bool readOnly);
// Commits on Enter only.
void StringWidget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                  bool readOnly);
// Component drags of speed 0.01 within ±1000, tinted red, green (and blue) by axis.
void Vector2Widget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                   bool readOnly);
void Vector3Widget(editor::undo::entry& state, const PropertyValue& value, const EditorDescriptor& descriptor,
                   bool readOnly);

constexpr EditorDescriptor IntSlider(std::int32_t minimum, std::int32_t maximum)
{
    EditorDescriptor descriptor;
    descriptor.widget = &IntSliderWidget;
    descriptor.intMinimum = minimum;
    descriptor.intMaximum = maximum;
    descriptor.kind = static_cast<std::uint8_t>(PropertyKind::Int);
    return descriptor;
}

constexpr EditorDescriptor FloatSlider(float minimum, float maximum)
{
    EditorDescriptor descriptor;
    descriptor.widget = &FloatSliderWidget;
    descriptor.floatMinimum = minimum;
    descriptor.floatMaximum = maximum;
    descriptor.kind = static_cast<std::uint8_t>(PropertyKind::Float);
    return descriptor;
}

// The entry's descriptor, or the default widget of the value's kind. A descriptor of another kind than the
// value is reported once per entry and the value drawn read-only.
void ShowValueWidget(editor::undo::entry& state, const PropertyValue& value, const PropertyInfo& info,
                     flags::type rowFlags);
} // namespace property
