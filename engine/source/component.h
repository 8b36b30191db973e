#pragma once
#include "assertion.h"
#include "compenum.h"
#include "componentinterface.h"
#include "memberdescriptor.h"

#include <cstdint>
#include <memory>
#include <string>

class GameObject;
class GameObjectInterface;

// Base of every component. A concrete component derives from ComponentBase<ItsInterface> below, so the
// Component part comes first and its script-facing interface second.
class Component : public ComponentInterface
{
public:
    explicit Component(CompEnum type) : type_(type), serial_(NextSerial()) {}

    // Queues "EnableComponent" or "DisableComponent" for every system when the value changes, then stores it.
    void SetEnabled(bool enabled) override { SetEnabledAndNotify(enabled); }
    bool IsEnabled() const override { return enabled_; }
    virtual ~Component() = default;
    // Writes the component's element; given the prefab's component, only the members that differ from it,
    // and nothing at all when the two compare equal.
    virtual void Serialize(XMLWriter& writer, const Component* prefab) const = 0;
    // Reads the component's element; an element of another name changes nothing.
    virtual void Deserialize(const XMLNode& element) = 0;
    // The class's name; files may know the component by another (GetElementName).
    virtual std::string GetName() const = 0;
    virtual std::unique_ptr<Component> Clone() const = 0;
    // Runs after Deserialize.
    virtual void PostLoad() {}
    // Member-wise equality; false for a component of another class.
    virtual bool Compare(const Component& other) const = 0;
    // The name files and the registry know the component by; the class name unless a class says otherwise.
    virtual std::string GetElementName() const { return GetName(); }

    // Which kind of component this is; a light's or collider's GetType is its shape within the kind.
    CompEnum GetKind() const { return type_; }
    // Unique among every component this process makes, copies included: unlike an address, never reused.
    std::uint64_t GetSerial() const { return serial_; }
    // The object whose component list holds this component when the factory keeps it among the live objects
    // or the destroy queue (with inPrefabs: among the prefabs); null otherwise.
    GameObject* GetGameObject(bool inPrefabs) const;
    // The announcing setter, whatever a class's own SetEnabled does; member tables load "Enabled" through it.
    void SetEnabledAndNotify(bool enabled);

protected:
    // A copy belongs to no object until one adds it; an assigned component stays where it is.
    Component(const Component& other)
        : ComponentInterface(other), enabled_(other.enabled_), type_(other.type_), serial_(NextSerial())
    {
    }
    // An assigned component keeps its own serial.
    Component& operator=(const Component& other)
    {
        enabled_ = other.enabled_;
        type_ = other.type_;
        return *this;
    }
    // Stores the flag without telling anyone.
    void StoreEnabled(bool value) { enabled_ = value; }
    GameObjectInterface* GetGameObjectInterface() const;

private:
    // Kept by the object as the component enters and leaves its component list.
    friend class GameObject;

    static std::uint64_t NextSerial();

    bool enabled_ = true;
    CompEnum type_;
    std::uint64_t serial_;
    GameObject* owner_ = nullptr;
};

// Joins Component with a component's script-facing interface and answers the operations every such
// interface begins with.
template <class Interface>
class ComponentBase : public Component, public Interface
{
public:
    using InterfaceType = Interface;
    using Component::Component;
    using Component::GetGameObject;

    void SetEnabled(bool enabled) override { Component::SetEnabled(enabled); }
    bool IsEnabled() const override { return Component::IsEnabled(); }
    GameObjectInterface* GetGameObject() const override { return GetGameObjectInterface(); }
};

// The component behind one of its script-facing interface pointers; null stays null.
template <class Concrete>
Concrete* FromInterface(typename Concrete::InterfaceType* facing)
{
    return static_cast<Concrete*>(facing);
}

template <class Concrete>
const Concrete* FromInterface(const typename Concrete::InterfaceType* facing)
{
    return static_cast<const Concrete*>(facing);
}

// The "Enabled" entry of a member table; loading a change announces it like SetEnabled does.
template <class C>
constexpr MemberDescriptor<C, bool> EnabledMember()
{
    return ValueAccessors<C>("Enabled", &Component::IsEnabled, &Component::SetEnabledAndNotify);
}

// Serialize, Deserialize and Compare of a component that saves through its member table.
template <class C, class Table>
void SerializeMembers(const C& self, XMLWriter& writer, const Component* prefab, const Table& table)
{
    if (prefab && prefab->Compare(self))
        return;
    writer.BeginElement(self.GetElementName());
    if (const auto* reference = dynamic_cast<const C*>(prefab))
        WriteChangedMembers(writer, self, *reference, table);
    else
        WriteMembers(writer, self, table);
    writer.EndElement();
}

template <class C, class Table>
void DeserializeMembers(C& self, const XMLNode& element, const Table& table)
{
    if (element.name == self.GetElementName())
        ReadMembers(element, self, table);
}

template <class C, class Table>
bool CompareMembers(const C& self, const Component& other, const Table& table)
{
    const auto* same = dynamic_cast<const C*>(&other);
    ASSERT(same, self.GetElementName() + " compare function kena nullptr");
    return same && MembersEqual(self, *same, table);
}
