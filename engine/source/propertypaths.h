#pragma once
#include "property.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Every property of a described object as a text path: "name", "scope/name", "list[]" for a list's header and
// "list[2]" (or "list[2]/name" in a list of scopes) for its elements.
namespace property
{
namespace flags
{
// Added by the enumeration to a row that opens a level: a scope row or a list header. Never stored.
inline constexpr type kOpensLevel = 1u << 3;
} // namespace flags

// One reported row: its path, its value, the table holding the entry and the entry's index there, its flags.
using PropertyVisitor = std::function<void(std::string_view path, PropertyValue&& value, const table& holder,
                                           std::uint32_t index, flags::type rowFlags)>;

// Reports every property that is not hidden, in table order and depth first. The first prefixLength characters
// of path are the prefix of every reported path; path is used as the working buffer.
void EnumerateProperties(const table& described, void* object, std::string& path, std::size_t prefixLength,
                         const PropertyVisitor& visit);

// Sets the property the path names. False when the path names nothing (an index the list does not hold
// included), names a read-only property, leads through a scope without an object, or the value is of another
// kind than the property (reported). A list's "[]" takes its new element count, which must be a non-negative int.
bool SetPropertyByPath(const table& described, void* object, std::string_view path, PropertyValue value);
} // namespace property
