#include "propertypaths.h"

#include "assertion.h"

#include <charconv>
#include <optional>

namespace property
{
namespace
{
void ReportElement(const table& described, std::uint32_t index, void* object, std::string& path, std::size_t length,
                   std::uint64_t element, flags::type rowFlags, const PropertyVisitor& visit)
{
    const PropertyEntry& entry = described.entries[index];
    path.resize(length);
    path += entry.info.name;
    if (element != kNoElement)
        path += '[' + std::to_string(element) + ']';
    void* member = MemberOf(entry, object);
    if (entry.kind != PropertyKind::Table)
    {
        PropertyValue value;
        entry.accessor.value(member, value, kModeRead, element);
        visit(path, std::move(value), described, index, rowFlags);
        return;
    }
    const NestedTable nested = entry.accessor.nested(member, element);
    // Elements of a list of scopes have no row of their own: the list's level stands for them.
    if (element == kNoElement)
        visit(path, PropertyValue{0}, described, index, rowFlags | flags::kOpensLevel);
    path += '/';
    if (nested.valid)
        EnumerateProperties(*nested.nested, nested.object, path, path.size(), visit);
}

void ReportList(const table& described, std::uint32_t index, void* object, std::string& path, std::size_t length,
                flags::type rowFlags, const PropertyVisitor& visit)
{
    const PropertyEntry& entry = described.entries[index];
    void* member = MemberOf(entry, object);
    std::uint64_t count = 0;
    entry.list(member, count, kListReadCount, nullptr);
    if (count != 0)
    {
        path.resize(length);
        path += entry.info.name;
        path += "[]";
        visit(path, PropertyValue{static_cast<int>(count)}, described, index, rowFlags | flags::kOpensLevel);
    }
    std::uint64_t element = 0;
    for (entry.list(member, element, kListFirst, nullptr); element != kNoElement;
         entry.list(member, element, kListNext, nullptr))
        ReportElement(described, index, object, path, length, element, rowFlags, visit);
}

bool ListHolds(const PropertyEntry& entry, void* member, std::uint64_t wanted)
{
    std::uint64_t element = 0;
    for (entry.list(member, element, kListFirst, nullptr); element != kNoElement;
         entry.list(member, element, kListNext, nullptr))
        if (element == wanted)
            return true;
    return false;
}

// "[digits]" at the front of rest: the index, with rest moved past the "]".
std::optional<std::uint64_t> ReadIndex(std::string_view& rest)
{
    const std::size_t close = rest.find(']');
    if (rest.empty() || rest.front() != '[' || close == std::string_view::npos || close == 1)
        return std::nullopt;
    std::uint64_t index = 0;
    const char* last = rest.data() + close;
    const auto [end, error] = std::from_chars(rest.data() + 1, last, index);
    if (error != std::errc{} || end != last)
        return std::nullopt;
    rest.remove_prefix(close + 1);
    return index;
}

void ReportMismatch(const PropertyEntry& entry)
{
    ReportAssertion(std::string("Property '") + entry.info.name + "' is given a value of another kind", __FILE__,
                    __LINE__);
}

bool KindMatches(const PropertyEntry& entry, const PropertyValue& value)
{
    if (value.index() == static_cast<std::size_t>(entry.kind))
        return true;
    ReportMismatch(entry);
    return false;
}
} // namespace

void EnumerateProperties(const table& described, void* object, std::string& path, std::size_t prefixLength,
                         const PropertyVisitor& visit)
{
    for (std::uint32_t index = 0; index < described.count; ++index)
    {
        const PropertyEntry& entry = described.entries[index];
        const flags::type rowFlags = FlagsOf(entry, object);
        if ((rowFlags & flags::kHidden) != 0)
            continue;
        if (entry.list)
            ReportList(described, index, object, path, prefixLength, rowFlags, visit);
        else
            ReportElement(described, index, object, path, prefixLength, kNoElement, rowFlags, visit);
    }
    path.resize(prefixLength);
}

bool SetPropertyByPath(const table& described, void* object, std::string_view path, PropertyValue value)
{
    const table* current = &described;
    while (true)
    {
        const std::size_t split = path.find_first_of("/[");
        const PropertyEntry* entry = FindByHash(*current, PropertyNameHash(path.substr(0, split)));
        if (!entry || (FlagsOf(*entry, object) & flags::kReadOnly) != 0)
            return false;
        void* member = MemberOf(*entry, object);
        std::string_view rest = split == std::string_view::npos ? std::string_view{} : path.substr(split);
        std::uint64_t element = kNoElement;
        if (entry->list)
        {
            if (rest == "[]")
            {
                const int* count = std::get_if<int>(&value);
                if (!count)
                    ReportMismatch(*entry);
                if (!count || *count < 0)
                    return false;
                std::uint64_t wanted = static_cast<std::uint64_t>(*count);
                entry->list(member, wanted, kListSetCount, nullptr);
                return true;
            }
            const std::optional<std::uint64_t> index = ReadIndex(rest);
            if (!index || !ListHolds(*entry, member, *index))
                return false;
            element = *index;
        }
        if (entry->kind != PropertyKind::Table)
        {
            if (!rest.empty() || !KindMatches(*entry, value))
                return false;
            return entry->accessor.value(member, value, kModeWrite, element);
        }
        if (rest.empty() || rest.front() != '/')
            return false;
        const NestedTable nested = entry->accessor.nested(member, element);
        if (!nested.valid)
            return false;
        current = nested.nested;
        object = nested.object;
        path = rest.substr(1);
    }
}
} // namespace property
