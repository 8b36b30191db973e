#include "propertyhistory.h"

#include "propertypaths.h"
#include "propertywidgets.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace property::editor::undo
{
namespace
{
template <typename... Numbers>
std::string Print(const char* format, Numbers... numbers)
{
    char text[256];
    std::snprintf(text, sizeof text, format, numbers...);
    return text;
}

struct Printer
{
    std::string operator()(int number) const { return Print("%d", number); }
    std::string operator()(bool flag) const { return flag ? "true" : "false"; }
    std::string operator()(float number) const { return Print("%f", static_cast<double>(number)); }
    std::string operator()(const std::string& text) const { return text; }
    std::string operator()(const Vector2& v) const
    {
        return Print("%f %f", static_cast<double>(v.x), static_cast<double>(v.y));
    }
    std::string operator()(const Vector3& v) const
    {
        return Print("%f %f %f", static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z));
    }
};

// The entry's four texts are views of it: reading prints, writing is taken and changes nothing.
template <std::string (*Text)(const entry&)>
bool AccessText(void* object, PropertyValue& value, std::uint32_t mode, std::uint64_t)
{
    if (mode == kModeRead)
        value = Text(*static_cast<const entry*>(object));
    return true;
}

template <std::string (*Text)(const entry&)>
constexpr PropertyEntry TextEntry(const char* name)
{
    PropertyEntry made = ValueEntry<std::string>(name, kNoPosition);
    made.accessor.value = &AccessText<Text>;
    return made;
}

std::string NameText(const entry& edit)
{
    return edit.name;
}
std::string TypeText(const entry& edit)
{
    return KindName(edit.kind);
}
std::string OriginalText(const entry& edit)
{
    return PrintValue(edit.original);
}
std::string NewText(const entry& edit)
{
    return PrintValue(edit.newValue);
}

constexpr PropertyEntry kEntryEntries[] = {TextEntry<&NameText>("Name"), TextEntry<&TypeText>("Type"),
                                           TextEntry<&OriginalText>("Original"), TextEntry<&NewText>("New")};
constexpr auto kEntryIndex = BuildIndex(kEntryEntries);
constexpr table kEntryTable = MakeTable("property::editor::undo::entry", kEntryEntries, kEntryIndex);

// A negative limit would have the history erase from an empty list.
bool AccessMaxSteps(void* member, PropertyValue& value, std::uint32_t mode, std::uint64_t element)
{
    if (const int* steps = std::get_if<int>(&value); mode == kModeWrite && steps && *steps < 0)
        value = 0;
    return AccessMember<int>(member, value, mode, element);
}

void AccessCommands(void* member, std::uint64_t& value, std::uint32_t operation, void*)
{
    std::vector<entry>& commands = *static_cast<std::vector<entry>*>(member);
    switch (operation)
    {
    case kListSetCount: commands.resize(value); break;
    case kListReadCount: value = commands.size(); break;
    case kListFirst: value = commands.empty() ? kNoElement : 0; break;
    case kListNext: value = value + 1 < commands.size() ? value + 1 : kNoElement; break;
    }
}

NestedTable CommandAt(void* member, std::uint64_t element)
{
    std::vector<entry>& commands = *static_cast<std::vector<entry>*>(member);
    if (element >= commands.size())
        return {};
    return {&commands[element], &kEntryTable, true};
}

constexpr PropertyEntry CommandList()
{
    PropertyEntry made = TableEntry("lCmds", &CommandAt);
    made.list = &AccessCommands;
    made.position = PROPERTY_POSITION(system, m_lCmds);
    return made;
}

constexpr PropertyEntry MaxStepsEntry()
{
    PropertyEntry made = ValueEntry<int>("MaxSteps", PROPERTY_POSITION(system, m_MaxSteps));
    made.accessor.value = &AccessMaxSteps;
    return made;
}

constexpr PropertyEntry kSystemEntries[] = {ValueEntry<int>("Index", PROPERTY_POSITION(system, m_Index)),
                                        MaxStepsEntry(), CommandList()};
constexpr auto kSystemIndex = BuildIndex(kSystemEntries);
constexpr table kSystemTable = MakeTable("property::editor::undo::system", kSystemEntries, kSystemIndex);

// The path below the table's name; nothing when the path does not start with it.
std::optional<std::string_view> PathInTable(const std::string& path, const table& described)
{
    if (!described.className || *described.className == '\0')
        return std::string_view(path);
    const std::string_view name = described.className;
    if (path.size() <= name.size() || path.compare(0, name.size(), name) != 0 || path[name.size()] != '/')
        return std::nullopt;
    return std::string_view(path).substr(name.size() + 1);
}

void Apply(const entry& edit)
{
    if (const std::optional<std::string_view> rest = PathInTable(edit.name, *edit.described))
        SetPropertyByPath(*edit.described, edit.object, *rest, edit.newValue);
}
} // namespace

std::string PrintValue(const PropertyValue& value)
{
    return std::visit(Printer{}, value);
}

const char* KindName(std::uint8_t kind)
{
    static constexpr const char* kNames[] = {"int", "bool", "float", "string", "vec2", "vec3"};
    return kind < std::size(kNames) ? kNames[kind] : "";
}

const table& entry::GetPropertyTable() const
{
    return StaticPropertyTable();
}

const table& entry::StaticPropertyTable()
{
    return kEntryTable;
}

const table& system::GetPropertyTable() const
{
    return StaticPropertyTable();
}

const table& system::StaticPropertyTable()
{
    return kSystemTable;
}

std::size_t system::Cursor()
{
    m_Index = std::clamp(m_Index, 0, static_cast<std::int32_t>(m_lCmds.size()));
    return static_cast<std::size_t>(m_Index);
}

void system::RecordEdit(const PropertyRecord& record, const InspectorItem& item)
{
    const std::uint8_t kind = entry::KindOf(record.value);
    const std::size_t cursor = Cursor();
    if (cursor < m_lCmds.size())
    {
        entry& open = m_lCmds[cursor];
        if (open.kind == kind && (open.flags & (state::kEditing | state::kChanged)) != 0 && open.name == record.path)
        {
            ShowValueWidget(open, record.value, *record.info, record.flags);
            if ((open.flags & state::kChanged) != 0)
                Apply(open);
            if ((open.flags & state::kEditing) == 0)
            {
                open.flags &= ~state::kChanged;
                ++m_Index;
            }
            return;
        }
    }
    entry fresh(record.value);
    ShowValueWidget(fresh, record.value, *record.info, record.flags);
    if ((fresh.flags & (state::kEditing | state::kChanged)) == 0)
        return;
    fresh.name = record.path;
    fresh.described = item.described;
    fresh.object = item.object;
    if ((fresh.flags & state::kChanged) != 0)
        Apply(fresh);
    Store(std::move(fresh));
}

void system::Store(entry fresh)
{
    m_lCmds.erase(m_lCmds.begin() + static_cast<std::ptrdiff_t>(Cursor()), m_lCmds.end());
    if (m_Index > m_MaxSteps && !m_lCmds.empty())
    {
        m_lCmds.erase(m_lCmds.begin());
        --m_Index;
    }
    m_lCmds.push_back(std::move(fresh));
}

void system::Clear()
{
    m_lCmds.clear();
    m_Index = 0;
}
} // namespace property::editor::undo
