#include "property.h"

#include "assertion.h"
#include "serializer.h"
#include "xmlmatch.h"

namespace property
{
const PropertyEntry* FindByHash(const table& described, std::uint32_t hash)
{
    const std::uint32_t slots = 4 * described.count;
    // A table without entries has no index to start in.
    if (slots == 0)
        return nullptr;
    // At most a quarter of the slots is taken, so an empty slot always ends the walk.
    for (std::uint32_t slot = hash % slots; described.index[slot].entry != nullptr; slot = (slot + 1) % slots)
        if (described.index[slot].hash == hash)
            return described.index[slot].entry;
    return nullptr;
}

const PropertyEntry* Find(const table& described, std::string_view name)
{
    return FindByHash(described, PropertyNameHash(name));
}

flags::type FlagsOf(const PropertyEntry& entry, const void* object)
{
    if ((entry.flags.plain & flags::kPlainMark) == flags::kPlainMark)
        return entry.flags.plain;
    return entry.flags.function(object);
}

void* MemberOf(const PropertyEntry& entry, void* object)
{
    if (entry.position == kNoPosition)
        return object;
    return static_cast<char*>(object) + entry.position;
}

std::optional<PropertyValue> ReadProperty(const table& described, void* object, std::string_view name)
{
    const PropertyEntry* entry = Find(described, name);
    if (!entry || entry->kind == PropertyKind::Table)
        return std::nullopt;
    PropertyValue value;
    entry->accessor.value(MemberOf(*entry, object), value, kModeRead, kNoElement);
    return value;
}

bool WriteProperty(const table& described, void* object, std::string_view name, PropertyValue value)
{
    const PropertyEntry* entry = Find(described, name);
    if (!entry || entry->kind == PropertyKind::Table || (FlagsOf(*entry, object) & flags::kReadOnly) != 0)
        return false;
    return entry->accessor.value(MemberOf(*entry, object), value, kModeWrite, kNoElement);
}

NestedTable OpenTable(const PropertyEntry& entry, void* object, std::uint64_t element)
{
    if (entry.kind != PropertyKind::Table)
        return {};
    return entry.accessor.nested(MemberOf(entry, object), element);
}

// ---- Text form -----------------------------------------------------------------------------------------

namespace
{
// The reader has reported the text; this names the element it came from.
template <typename T>
bool ReadNumber(const XMLNode& element, T& target)
{
    if (XMLReader::ReadValue(element.value, &target))
        return true;
    ReportAssertion("Saved value '" + element.name + "' is not a number: '" + element.value + "'; kept", __FILE__,
                    __LINE__);
    return false;
}

template <unsigned Count, typename Vector>
bool ReadVector(const XMLNode& element, Vector& target)
{
    std::string_view groups[Count];
    if (!xmlmatch::FindComponents(element.value, groups, Count))
    {
        target = Vector{};
        return true;
    }
    return ReadNumber(element, target);
}
} // namespace

bool ReadText(const XMLNode& element, int& target)
{
    return ReadNumber(element, target);
}

bool ReadText(const XMLNode& element, bool& target)
{
    return XMLReader::ReadValue(element.value, &target);
}

bool ReadText(const XMLNode& element, float& target)
{
    return ReadNumber(element, target);
}

bool ReadText(const XMLNode& element, std::string& target)
{
    target = element.value;
    return true;
}

bool ReadText(const XMLNode& element, Vector2& target)
{
    return ReadVector<2>(element, target);
}

bool ReadText(const XMLNode& element, Vector3& target)
{
    return ReadVector<3>(element, target);
}
} // namespace property
