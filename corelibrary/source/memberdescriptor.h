#pragma once
#include "serializer.h"

#include <stdexcept>
#include <tuple>
#include <type_traits>

// One saved member of a class: its XML name and how to reach it, directly through a member pointer or
// through the class's getter and setter (which may be inherited from a base such as an interface class).
// A class lists its members in one static table; the walks below save, load and compare by it.
template <class Class, class T>
struct MemberDescriptor
{
    using ConstRefGetter = const T& (Class::*)() const;
    using ConstRefSetter = void (Class::*)(const T&);
    using ValueGetter = T (Class::*)() const;
    using ValueSetter = void (Class::*)(T);

    const char* name = nullptr;
    T Class::*member = nullptr;
    ConstRefGetter constRefGetter = nullptr;
    ConstRefSetter constRefSetter = nullptr;
    ValueGetter valueGetter = nullptr;
    ValueSetter valueSetter = nullptr;

    const T& GetConstRef(const Class& object) const
    {
        if (constRefGetter)
            return (object.*constRefGetter)();
        if (member)
            return object.*member;
        throw std::runtime_error("Cannot return const ref to member: no getter or member pointer set");
    }

    T GetCopy(const Class& object) const
    {
        if (constRefGetter)
            return (object.*constRefGetter)();
        if (valueGetter)
            return (object.*valueGetter)();
        if (member)
            return object.*member;
        throw std::runtime_error("Cannot return copy of member: no getter or member pointer set");
    }

    void Set(Class& object, const T& value) const
    {
        if (constRefSetter)
            (object.*constRefSetter)(value);
        else if (valueSetter)
            (object.*valueSetter)(value);
        else if (member)
            object.*member = value;
        else
            throw std::runtime_error("Cannot access member: no setter or member pointer set");
    }

    // Hands the current value to visit; a descriptor that cannot read it makes no call.
    template <class Visit>
    void Read(const Class& object, Visit&& visit) const
    {
        if (member || constRefGetter)
            visit(GetConstRef(object));
        else if (valueGetter)
            visit(GetCopy(object));
    }
};

// A member reached directly.
template <class Class, class T>
constexpr MemberDescriptor<Class, T> Member(const char* name, T Class::*member)
{
    return {name, member};
}

// A member reached through a getter returning a const reference and a setter taking one. Both may be
// operations of a base of Class (its script-facing interface, the component base).
template <class Class, class T, class GetBase, class SetBase>
constexpr MemberDescriptor<Class, T> RefAccessors(const char* name, const T& (GetBase::*get)() const,
                                               void (SetBase::*set)(const T&))
{
    static_assert(std::is_base_of_v<GetBase, Class> && std::is_base_of_v<SetBase, Class>);
    MemberDescriptor<Class, T> descriptor{name};
    descriptor.constRefGetter = get;
    descriptor.constRefSetter = set;
    return descriptor;
}

// A member reached through a getter and a setter by value.
template <class Class, class T, class GetBase, class SetBase>
constexpr MemberDescriptor<Class, T> ValueAccessors(const char* name, T (GetBase::*get)() const,
                                                   void (SetBase::*set)(T))
{
    static_assert(std::is_base_of_v<GetBase, Class> && std::is_base_of_v<SetBase, Class>);
    MemberDescriptor<Class, T> descriptor{name};
    descriptor.valueGetter = get;
    descriptor.valueSetter = set;
    return descriptor;
}

// A class's member table: its descriptors in the order every walk, and so every saved file, follows.
template <class Class, class... T>
using MemberTable = std::tuple<MemberDescriptor<Class, T>...>;

// Writes the leaf name = value.
template <class Class, class T>
void WriteMember(XMLWriter& writer, const Class& object, const MemberDescriptor<Class, T>& descriptor)
{
    descriptor.Read(object, [&](const T& value) { writer.WriteElement(descriptor.name, value); });
}

// Calls onDifference with the object's value when it differs from the reference's. Vectors differ only by
// more than the tolerance; everything else differs exactly.
template <class Class, class T, class OnDifference>
void VisitIfChanged(const Class& object, const Class& reference, const MemberDescriptor<Class, T>& descriptor,
                    OnDifference&& onDifference)
{
    descriptor.Read(object, [&](const T& value) {
        descriptor.Read(reference, [&](const T& referenceValue) {
            if (value != referenceValue)
                onDifference(value);
        });
    });
}

template <class Class, class T>
void WriteMemberIfChanged(XMLWriter& writer, const Class& object, const Class& reference,
                          const MemberDescriptor<Class, T>& descriptor)
{
    VisitIfChanged(object, reference, descriptor,
                   [&](const T& value) { writer.WriteElement(descriptor.name, value); });
}

// Clears equal when the member differs.
template <class Class, class T>
void CompareMember(const Class& object, const Class& other, bool& equal, const MemberDescriptor<Class, T>& descriptor)
{
    VisitIfChanged(object, other, descriptor, [&](const T&) { equal = false; });
}

// The components' text rules: XMLReader's.
struct ReadElementValue
{
    template <class T>
    bool operator()(const XMLNode& element, T& value) const
    {
        return XMLReader::ReadValue(element.value, &value);
    }
};

// Sets the member from an element of its name. Text that does not convert is reported by the reader and
// leaves the member as it was (its setter is not called).
template <class Class, class T, class Reader>
void ReadMemberFromXml(const XMLNode& element, Class& object, const MemberDescriptor<Class, T>& descriptor,
                       const Reader& read)
{
    if (element.name != descriptor.name)
        return;
    T value{};
    if (read(element, value))
        descriptor.Set(object, value);
}

template <class Class, class Table>
void WriteMembers(XMLWriter& writer, const Class& object, const Table& table)
{
    std::apply([&](const auto&... descriptor) { (WriteMember(writer, object, descriptor), ...); }, table);
}

template <class Class, class Table>
void WriteChangedMembers(XMLWriter& writer, const Class& object, const Class& reference, const Table& table)
{
    std::apply([&](const auto&... descriptor) { (WriteMemberIfChanged(writer, object, reference, descriptor), ...); },
               table);
}

template <class Class, class Table>
bool MembersEqual(const Class& object, const Class& other, const Table& table)
{
    bool equal = true;
    std::apply([&](const auto&... descriptor) { (CompareMember(object, other, equal, descriptor), ...); }, table);
    return equal;
}

// Each child of the element, in file order, sets every member of its name; other children are ignored
// and members without a child keep their values. Reader turns an element's text into a value.
template <class Class, class Table, class Reader = ReadElementValue>
void ReadMembers(const XMLNode& element, Class& object, const Table& table, const Reader& read = {})
{
    for (const XMLNode* child : element.children)
        std::apply([&](const auto&... descriptor) { (ReadMemberFromXml(*child, object, descriptor, read), ...); },
                   table);
}
