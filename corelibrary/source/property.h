#pragma once
#include "TorvaneMath.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

class XMLNode;

// Describes the fields of a class so that tools find, read and change them by name without knowing the class.
// Both deliverables compile this code and the editor reads the script library's tables directly, so the stored
// form below is shared: keep field order, numbering and bit layout as they are.
//
// A table is built by the compiler: its entries, its hash index and every hash are constants, so a table
// costs no allocation and no start-up work, and a table in another library is valid from the moment it is
// loaded until it is unloaded.
namespace property
{
// Values in the order of the first six kinds.
using PropertyValue = std::variant<int, bool, float, std::string, Vector2, Vector3>;

enum class PropertyKind : std::uint32_t
{
    Int = 0,
    Bool = 1,
    Float = 2,
    String = 3,
    Vector2 = 4,
    Vector3 = 5,
    Table = 6,
};

namespace flags
{
using type = std::uint64_t;
inline constexpr type kReadOnly = 1u << 0;
// Set on one entry only; the inspector reads bits 0 and 2 alone.
inline constexpr type kCarried = 1u << 1;
inline constexpr type kHidden = 1u << 2;
// Every bit above the lowest four set: the word holds the flags themselves, not a flags function.
inline constexpr type kPlainMark = ~type{0xF};
} // namespace flags

// Element index of a value that is not a list element.
inline constexpr std::uint64_t kNoElement = ~std::uint64_t{0};
inline constexpr std::uint32_t kModeWrite = 0;
inline constexpr std::uint32_t kModeRead = 1;
// No member position: the accessor is given the object itself.
inline constexpr std::int64_t kNoPosition = -1;

struct table;
// Widget description of the property inspector; its own code defines it.
struct EditorDescriptor;

// Flags computed for one object; given the object's address.
using FlagsFunction = flags::type (*)(const void* object);
// Copies the member into value (mode 1) or value into the member (mode 0); the result says whether it was taken.
using ValueAccessor = bool (*)(void* member, PropertyValue& value, std::uint32_t mode, std::uint64_t element);

// The part of an object a nested table describes.
struct NestedTable
{
    void* object = nullptr;
    const table* nested = nullptr;
    bool valid = false;
};
using TableAccessor = NestedTable (*)(void* object, std::uint64_t element);

// Operations of a list accessor.
enum ListOperation : std::uint32_t
{
    kListSetCount = 0,
    kListReadCount = 1,
    kListFirst = 2, // kNoElement when the list is empty
    kListNext = 3,  // kNoElement after the last
};
using ListAccessor = void (*)(void* member, std::uint64_t& value, std::uint32_t operation, void* context);

// The flags word: plain flags marked by kPlainMark, or a flags function.
union FlagsWord
{
    flags::type plain;
    FlagsFunction function;
};

// What only the editor reads of an entry.
struct PropertyInfo
{
    const char* name = nullptr;
    std::uint32_t hash = 0;
    const char* help = nullptr;
    const EditorDescriptor* editor = nullptr;
    bool hasEditor = false;
};

struct PropertyEntry
{
    PropertyInfo info;
    FlagsWord flags;
    PropertyKind kind = PropertyKind::Int;
    union
    {
        ValueAccessor value;
        TableAccessor nested;
    } accessor;
    ListAccessor list = nullptr;
    std::int64_t position = kNoPosition;
};

struct IndexSlot
{
    const PropertyEntry* entry = nullptr;
    std::uint32_t hash = 0;
};

struct table
{
    const char* className = nullptr;
    std::uint32_t classHash = 0;
    std::uint32_t count = 0;
    const PropertyEntry* entries = nullptr;
    // 4 × count slots.
    const IndexSlot* index = nullptr;
};

// A class that describes itself. The table operation is the first entry of the virtual table.
class base
{
public:
    virtual const table& GetPropertyTable() const = 0;

protected:
    ~base() = default;
};

// MurmurHash3, x86 32-bit, seed 0x9747b28c, over the name's bytes.
constexpr std::uint32_t PropertyNameHash(std::string_view name)
{
    constexpr std::uint32_t c1 = 0xcc9e2d51;
    constexpr std::uint32_t c2 = 0x1b873593;
    const auto rotl = [](std::uint32_t x, int r) { return (x << r) | (x >> (32 - r)); };
    const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(name[i])); };
    std::uint32_t h = 0x9747b28c;
    const std::size_t blocks = name.size() / 4;
    for (std::size_t i = 0; i < blocks; ++i)
    {
        std::uint32_t k = byte(4 * i) | byte(4 * i + 1) << 8 | byte(4 * i + 2) << 16 | byte(4 * i + 3) << 24;
        k = rotl(k * c1, 15) * c2;
        h = rotl(h ^ k, 13) * 5 + 0xe6546b64;
    }
    std::uint32_t k = 0;
    const std::size_t tail = blocks * 4;
    switch (name.size() & 3)
    {
    case 3: k ^= byte(tail + 2) << 16; [[fallthrough]];
    case 2: k ^= byte(tail + 1) << 8; [[fallthrough]];
    case 1:
        k ^= byte(tail);
        h ^= rotl(k * c1, 15) * c2;
    }
    h ^= static_cast<std::uint32_t>(name.size());
    h ^= h >> 16;
    h *= 0x85ebca6b;
    h ^= h >> 13;
    h *= 0xc2b2ae35;
    h ^= h >> 16;
    return h;
}

// ---- Building ------------------------------------------------------------------------------------------

template <typename T> constexpr PropertyKind KindOf();
template <> constexpr PropertyKind KindOf<int>() { return PropertyKind::Int; }
template <> constexpr PropertyKind KindOf<bool>() { return PropertyKind::Bool; }
template <> constexpr PropertyKind KindOf<float>() { return PropertyKind::Float; }
template <> constexpr PropertyKind KindOf<std::string>() { return PropertyKind::String; }
template <> constexpr PropertyKind KindOf<Vector2>() { return PropertyKind::Vector2; }
template <> constexpr PropertyKind KindOf<Vector3>() { return PropertyKind::Vector3; }

// The accessor of every plain member of type T. A value of another kind is refused and changes nothing.
template <typename T>
bool AccessMember(void* member, PropertyValue& value, std::uint32_t mode, std::uint64_t /*element*/)
{
    T& field = *static_cast<T*>(member);
    if (mode == kModeRead)
    {
        value = field;
        return true;
    }
    const T* given = std::get_if<T>(&value);
    if (!given)
        return false;
    if (given != &field)
        field = *given;
    return true;
}

constexpr FlagsWord PlainFlags(flags::type bits)
{
    FlagsWord word{};
    word.plain = flags::kPlainMark | bits;
    return word;
}

constexpr FlagsWord ComputedFlags(FlagsFunction function)
{
    FlagsWord word{};
    word.function = function;
    return word;
}

// An entry for the member of type T at the position.
template <typename T>
constexpr PropertyEntry ValueEntry(const char* name, std::int64_t position, FlagsWord flagsWord = PlainFlags(0))
{
    PropertyEntry entry{};
    entry.info.name = name;
    entry.info.hash = PropertyNameHash(name);
    entry.flags = flagsWord;
    entry.kind = KindOf<T>();
    entry.accessor.value = &AccessMember<T>;
    entry.position = position;
    return entry;
}

// An entry leading into another table: the link of a class to its base class's table, for one.
constexpr PropertyEntry TableEntry(const char* name, TableAccessor accessor, FlagsWord flagsWord = PlainFlags(0))
{
    PropertyEntry entry{};
    entry.info.name = name;
    entry.info.hash = PropertyNameHash(name);
    entry.flags = flagsWord;
    entry.kind = PropertyKind::Table;
    entry.accessor.nested = accessor;
    return entry;
}

// The Base part of a Derived object, described by Base's table.
template <class Derived, class Base>
NestedTable BaseTableOf(void* object, std::uint64_t /*element*/)
{
    Base* part = static_cast<Derived*>(object);
    return {part, &Base::StaticPropertyTable(), true};
}

// The hash index of a table: 4 slots per entry, filled in entry order by linear probing with wrap-around.
template <std::size_t N>
struct HashIndex
{
    IndexSlot slots[4 * N];
};

template <std::size_t N>
constexpr HashIndex<N> BuildIndex(const PropertyEntry (&entries)[N])
{
    HashIndex<N> index{};
    for (std::size_t e = 0; e < N; ++e)
    {
        std::size_t slot = entries[e].info.hash % (4 * N);
        while (index.slots[slot].entry != nullptr)
            slot = (slot + 1) % (4 * N);
        index.slots[slot] = {&entries[e], entries[e].info.hash};
    }
    return index;
}

template <std::size_t N>
constexpr table MakeTable(const char* className, const PropertyEntry (&entries)[N], const HashIndex<N>& index)
{
    return {className, PropertyNameHash(className), static_cast<std::uint32_t>(N), entries, index.slots};
}

// ---- Use -----------------------------------------------------------------------------------------------

// The entry whose name has this hash, or null. Names are never compared: equal hashes are one property.
const PropertyEntry* FindByHash(const table& described, std::uint32_t hash);
const PropertyEntry* Find(const table& described, std::string_view name);

// The entry's flags for that object: the plain bits, or what its flags function says.
flags::type FlagsOf(const PropertyEntry& entry, const void* object);
// Where the entry's accessor works: the object moved by the member position.
void* MemberOf(const PropertyEntry& entry, void* object);

// The value of the named value entry; nothing for an absent name or a table entry.
std::optional<PropertyValue> ReadProperty(const table& described, void* object, std::string_view name);
// Stores the value in the named value entry; false, with nothing changed, for an absent name, a table entry,
// a read-only entry or a value of another kind than the entry's.
bool WriteProperty(const table& described, void* object, std::string_view name, PropertyValue value);
// The nested table a table entry leads to; invalid for a value entry.
NestedTable OpenTable(const PropertyEntry& entry, void* object, std::uint64_t element = kNoElement);

// The address a described object's table works on: the whole object, whatever base the reference names.
inline void* AddressOf(base& object)
{
    return dynamic_cast<void*>(&object);
}

// ---- Text form -----------------------------------------------------------------------------------------

// Reads a saved value from its element. Numbers that do not convert are reported with the element and
// leave the target as it was; so does a bool other than "true" or "false"; a vector text that does not
// match the vector pattern gives the zero vector. False when the target kept its value for a fault.
bool ReadText(const XMLNode& element, int& target);
bool ReadText(const XMLNode& element, bool& target);
bool ReadText(const XMLNode& element, float& target);
bool ReadText(const XMLNode& element, std::string& target);
bool ReadText(const XMLNode& element, Vector2& target);
bool ReadText(const XMLNode& element, Vector3& target);
} // namespace property

// Position of a member in a polymorphic class: offsetof is conditionally supported there, and GCC supports it.
#define PROPERTY_POSITION(Class, member)                                                                          \
    ([] {                                                                                                         \
        _Pragma("GCC diagnostic push");                                                                           \
        _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"");                                                 \
        constexpr auto position = static_cast<std::int64_t>(offsetof(Class, member));                             \
        _Pragma("GCC diagnostic pop");                                                                            \
        return position;                                                                                          \
    }())
