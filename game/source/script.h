#pragma once
#include <memory>
#include <string>
#include <tuple>

#include "assertion.h"
#include "memberdescriptor.h"
#include "monobehaviorinterface.h"
#include "property.h"

// The common pattern of every script class: Derived's copy constructor makes the deep copy Clone hands out.
template <class Derived>
class Script : public MonoBehaviorInterface
{
public:
    std::unique_ptr<MonoBehaviorInterface> Clone() const override
    {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
};

// A new script of class T with its construction values, owned by the caller. State and dummy start at 0.
template <class T>
MonoBehaviorInterface* CreateScript(GameObjectInterface* owner)
{
    auto* script = new T;
    script->owner = owner;
    return script;
}

// Saved values are read by the property library's text rules.
struct ReadSavedText
{
    template <class T>
    bool operator()(const XMLNode& element, T& value) const
    {
        return property::ReadText(element, value);
    }
};

// Inside the class body of a script with properties. Written here, in the class's header, so a failed
// comparison reports that header and line.
#define SCRIPT_WITH_PROPERTIES(Class)                                                                             \
public:                                                                                                           \
    static const property::table& StaticPropertyTable();                                                          \
    const property::table& GetPropertyTable() const override { return StaticPropertyTable(); }                   \
    void WriteXml(XMLWriter& writer, int& counter, const std::string& name) const override;                       \
    void ReadXml(const XMLNode& node) override;                                                                   \
    bool Equals(const MonoBehaviorInterface& other) const override                                                \
    {                                                                                                             \
        const Class* same = SameClass(other);                                                                     \
        return same && SameProperties(*same);                                                                     \
    }                                                                                                             \
    bool NotEquals(const MonoBehaviorInterface& other) const override                                             \
    {                                                                                                             \
        const Class* same = SameClass(other);                                                                     \
        return !same || !SameProperties(*same);                                                                   \
    }                                                                                                             \
                                                                                                                  \
private:                                                                                                          \
    const Class* SameClass(const MonoBehaviorInterface& other) const                                              \
    {                                                                                                             \
        const Class* same = dynamic_cast<const Class*>(&other);                                                   \
        if (!same)                                                                                                \
            ReportAssertion(#Class " compare function kena nullptr", __FILE__, __LINE__);                         \
        return same;                                                                                              \
    }                                                                                                             \
    bool SameProperties(const Class& other) const;                                                                \
                                                                                                                  \
public:

// One property of a script: PROPERTY(Class, member, inspector name, saved key).
#define SCRIPT_PROPERTY_ENTRY(Class, member, name, key)                                                           \
    property::ValueEntry<decltype(Class::member)>(name, PROPERTY_POSITION(Class, member)),
#define SCRIPT_MEMBER_DESCRIPTOR(Class, member, name, key) std::make_tuple(Member(key, &Class::member)),

// In the class's source: its property table and member descriptors, both from one list
// LIST(PROPERTY, Class) of PROPERTY(Class, member, inspector name, saved key) in saved order, and the five
// operations SCRIPT_WITH_PROPERTIES declares.
#define DEFINE_SCRIPT_PROPERTIES(Class, LIST)                                                                     \
    namespace                                                                                                     \
    {                                                                                                             \
    constexpr property::PropertyEntry kEntries[] = {                                                              \
        property::TableEntry("MonoBehaviorInterface", &property::BaseTableOf<Class, MonoBehaviorInterface>),      \
        LIST(SCRIPT_PROPERTY_ENTRY, Class)};                                                                      \
    constexpr auto kIndex = property::BuildIndex(kEntries);                                                       \
    constexpr property::table kTable = property::MakeTable(#Class, kEntries, kIndex);                             \
    constexpr auto kMembers = std::tuple_cat(LIST(SCRIPT_MEMBER_DESCRIPTOR, Class) std::tuple<>());               \
    }                                                                                                             \
    const property::table& Class::StaticPropertyTable()                                                           \
    {                                                                                                             \
        return kTable;                                                                                            \
    }                                                                                                             \
    void Class::WriteXml(XMLWriter& writer, int& /*counter*/, const std::string& /*name*/) const                  \
    {                                                                                                             \
        writer.BeginElement(#Class);                                                                              \
        WriteMembers(writer, *this, kMembers);                                                                    \
        writer.EndElement();                                                                                      \
    }                                                                                                             \
    void Class::ReadXml(const XMLNode& node)                                                                      \
    {                                                                                                             \
        if (node.name == #Class)                                                                                  \
            ReadMembers(node, *this, kMembers, ReadSavedText{});                                                  \
    }                                                                                                             \
    bool Class::SameProperties(const Class& other) const                                                          \
    {                                                                                                             \
        return MembersEqual(*this, other, kMembers);                                                              \
    }
