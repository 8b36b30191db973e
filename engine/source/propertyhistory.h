#pragma once
#include "property.h"

#include <cstdint>
#include <string>
#include <vector>

namespace property
{
// One row of an enumeration as the inspector keeps it for a frame.
struct PropertyRecord
{
    std::string path;
    PropertyValue value;
    const PropertyInfo* info = nullptr;
    flags::type flags = 0;
};

// One inspected object: its table, the address the table's accessors work on, and this frame's rows.
struct InspectorItem
{
    const table* described = nullptr;
    void* object = nullptr;
    std::vector<PropertyRecord> records;
};
} // namespace property

// The property inspector's own edit history. It only records: nothing here applies an entry backwards.
namespace property::editor::undo
{
namespace state
{
inline constexpr std::uint8_t kEditing = 1u << 0;
inline constexpr std::uint8_t kChanged = 1u << 1;
} // namespace state

// One edit of one property; also the edit state a value widget fills. Its kind is that of its values.
struct entry final : public base
{
    entry() = default;
    // A blank state over the current value.
    explicit entry(const PropertyValue& value) : newValue(value), original(value), kind(KindOf(value)) {}

    const table& GetPropertyTable() const override;
    static const table& StaticPropertyTable();
    static std::uint8_t KindOf(const PropertyValue& value) { return static_cast<std::uint8_t>(value.index()); }

    std::string name;
    const table* described = nullptr;
    void* object = nullptr;
    std::uint8_t flags = 0;
    PropertyValue newValue;
    PropertyValue original;
    std::uint8_t kind = 0;
};

// A value as the history prints it: "%d", "true"/"false", "%f", the text, and vectors as "%f %f[ %f]".
std::string PrintValue(const PropertyValue& value);
// "int", "bool", "float", "string", "vec2" or "vec3".
const char* KindName(std::uint8_t kind);

struct system final : public base
{
    // Draws the row's value widget against the edit under way on it, or a fresh one, and writes every change
    // to the item's object at once. Called once a frame for each editable row.
    void RecordEdit(const PropertyRecord& record, const InspectorItem& item);
    void Clear();

    const table& GetPropertyTable() const override;
    static const table& StaticPropertyTable();

    // Oldest first; the entries before m_Index are finished, the one at it (if any) is open.
    std::vector<entry> m_lCmds;
    std::int32_t m_Index = 0;
    std::int32_t m_MaxSteps = 5;

private:
    // The cursor as far as the list reaches: the table lets both be changed from outside.
    std::size_t Cursor();
    void Store(entry fresh);
};
} // namespace property::editor::undo
