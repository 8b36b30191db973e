#pragma once
// Hand-built property tables over a small sample object: plain values, a read-only and a computed flag, a hidden
// and an empty scope, a list of ints and a list of scopes.
#include "property.h"
#include "propertywidgets.h"

#include <string>
#include <vector>

namespace sample
{
struct Inner
{
    int value = 1;
    float scale = 2.0f;
};

struct Outer
{
    int count = 3;
    int locked = 9;
    std::string text = "abc";
    Vector3 where{1.0f, 2.0f, 3.0f};
    Inner inner;
    Inner secret;
    Inner* nowhere = nullptr;
    std::vector<int> numbers;
    std::vector<Inner> children;
    // Read-only while count is above 5.
    int guarded = 0;
    float speed = 5.0f;
    bool flag = false;
};

template <typename T>
void VectorList(void* member, std::uint64_t& value, std::uint32_t operation, void*)
{
    std::vector<T>& list = *static_cast<std::vector<T>*>(member);
    switch (operation)
    {
    case property::kListSetCount: list.resize(value); break;
    case property::kListReadCount: value = list.size(); break;
    case property::kListFirst: value = list.empty() ? property::kNoElement : 0; break;
    case property::kListNext: value = value + 1 < list.size() ? value + 1 : property::kNoElement; break;
    }
}

inline bool NumberAt(void* member, property::PropertyValue& value, std::uint32_t mode, std::uint64_t element)
{
    int& number = (*static_cast<std::vector<int>*>(member))[element];
    return property::AccessMember<int>(&number, value, mode, element);
}

template <const property::table& (*Described)()>
property::NestedTable Whole(void* member, std::uint64_t)
{
    return {member, &Described(), true};
}

template <const property::table& (*Described)()>
property::NestedTable ChildAt(void* member, std::uint64_t element)
{
    return {&(*static_cast<std::vector<Inner>*>(member))[element], &Described(), true};
}


inline property::flags::type GuardedFlags(const void* object)
{
    return static_cast<const Outer*>(object)->count > 5 ? property::flags::kReadOnly : 0;
}

inline property::PropertyEntry Positioned(property::PropertyEntry entry, std::int64_t position)
{
    entry.position = position;
    return entry;
}

inline property::PropertyEntry Listed(property::PropertyEntry entry, property::ListAccessor list)
{
    entry.list = list;
    return entry;
}

inline property::PropertyEntry NumberList()
{
    property::PropertyEntry entry = property::ValueEntry<int>("numbers", offsetof(Outer, numbers));
    entry.accessor.value = &NumberAt;
    entry.list = &VectorList<int>;
    return entry;
}

inline property::PropertyEntry WithEditor(property::PropertyEntry entry, const property::EditorDescriptor* editor)
{
    entry.info.editor = editor;
    entry.info.hasEditor = true;
    return entry;
}

inline const property::table& InnerTable()
{
    static const property::PropertyEntry entries[] = {
        property::ValueEntry<int>("value", offsetof(Inner, value)),
        property::ValueEntry<float>("scale", offsetof(Inner, scale))};
    static const auto index = property::BuildIndex(entries);
    static const property::table described = property::MakeTable("Inner", entries, index);
    return described;
}

inline property::NestedTable Pointed(void* member, std::uint64_t)
{
    Inner* inner = *static_cast<Inner**>(member);
    return {inner, &InnerTable(), inner != nullptr};
}

inline const property::table& OuterTable()
{
    using namespace property;
    static const PropertyEntry entries[] = {
        ValueEntry<int>("count", offsetof(Outer, count)),
        ValueEntry<int>("locked", offsetof(Outer, locked), PlainFlags(flags::kReadOnly)),
        ValueEntry<std::string>("text", offsetof(Outer, text)),
        ValueEntry<Vector3>("where", offsetof(Outer, where)),
        Positioned(TableEntry("inner", &Whole<&InnerTable>), offsetof(Outer, inner)),
        Positioned(TableEntry("secret", &Whole<&InnerTable>, PlainFlags(flags::kHidden)), offsetof(Outer, secret)),
        Positioned(TableEntry("nowhere", &Pointed), offsetof(Outer, nowhere)),
        NumberList(),
        Listed(Positioned(TableEntry("children", &ChildAt<&InnerTable>), offsetof(Outer, children)),
               &VectorList<Inner>),
        ValueEntry<int>("guarded", offsetof(Outer, guarded), ComputedFlags(&GuardedFlags)),
        ValueEntry<float>("speed", offsetof(Outer, speed)),
        ValueEntry<bool>("flag", offsetof(Outer, flag)),
    };
    static const auto index = BuildIndex(entries);
    static const table described = MakeTable("Outer", entries, index);
    return described;
}
} // namespace sample
