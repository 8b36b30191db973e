#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "property.h"
#include "serializer.h"
#include "TorvaneMath.h"

class GameObjectInterface;

// Where a script is in its life; the engine writes it, scripts only read it.
enum class ScriptState : std::int32_t
{
    Created = 0,
    Awoken = 1,
    Running = 2,
    Disabled = 3,
    Destroyed = 4,
};

// What enter and stay events tell a script about the touch: the normal points from the first object of the
// pair to the second.
struct ContactData
{
    Vector3 normal;
    float penetration = 0.0f;
};

// The leaf a script without properties is saved as: "Monos<counter>" holding the script's name.
inline void WriteMonosLeaf(XMLWriter& writer, int& counter, const std::string& name)
{
    writer.WriteElement("Monos" + std::to_string(counter++), name);
}

// Base of every script. The engine owns every instance and deletes it through the virtual destructor; it
// reaches scripts only through these operations and the public fields below. Tools outside the library read
// owner, state and dummy right after the virtual table pointer: keep them first and in this order.
class MonoBehaviorInterface : public property::base
{
public:
    GameObjectInterface* owner = nullptr;
    ScriptState state = ScriptState::Created;
    // Shown read-only by the base table; nothing reads it.
    std::int32_t dummy = 0;

    // The base table: the one read-only entry "dummy". Classes without properties answer with it.
    static const property::table& StaticPropertyTable();
    const property::table& GetPropertyTable() const override { return StaticPropertyTable(); }

    virtual ~MonoBehaviorInterface() = default;

    // A new instance of the same class with the same fields, owned by the caller.
    virtual std::unique_ptr<MonoBehaviorInterface> Clone() const = 0;

    // A script without properties writes the leaf "Monos<counter>" holding its name and advances the counter;
    // a script with properties writes an element named after its class instead.
    virtual void WriteXml(XMLWriter& writer, int& counter, const std::string& name) const
    {
        WriteMonosLeaf(writer, counter, name);
    }
    virtual void ReadXml(const XMLNode& /*node*/) {}

    virtual bool Equals(const MonoBehaviorInterface& /*other*/) const { return true; }
    virtual bool NotEquals(const MonoBehaviorInterface& /*other*/) const { return false; }

    virtual void Awake() {}
    virtual void Start() {}
    // Take the references to engine objects again (after the library was reloaded).
    virtual void Reload() {}
    // The frame time comes through PassDt.
    virtual void Update() {}
    virtual void OnDestroy() {}
    virtual void OnDisable() {}
    virtual void OnEnable() {}

    // Enter and stay come in two forms; the engine calls the one without contact data first.
    virtual void OnCollisionEnter(GameObjectInterface* /*other*/, ContactData /*contact*/) {}
    virtual void OnCollisionEnter(GameObjectInterface* /*other*/) {}
    virtual void OnCollisionStay(GameObjectInterface* /*other*/, ContactData /*contact*/) {}
    virtual void OnCollisionStay(GameObjectInterface* /*other*/) {}
    virtual void OnCollisionExit(GameObjectInterface* /*other*/) {}
    virtual void OnTriggerEnter(GameObjectInterface* /*other*/, ContactData /*contact*/) {}
    virtual void OnTriggerEnter(GameObjectInterface* /*other*/) {}
    virtual void OnTriggerStay(GameObjectInterface* /*other*/, ContactData /*contact*/) {}
    virtual void OnTriggerStay(GameObjectInterface* /*other*/) {}
    virtual void OnTriggerExit(GameObjectInterface* /*other*/) {}

protected:
    MonoBehaviorInterface() = default;
    MonoBehaviorInterface(const MonoBehaviorInterface&) = default;
    MonoBehaviorInterface& operator=(const MonoBehaviorInterface&) = default;
};

namespace monobehavior_table
{
inline constexpr property::PropertyEntry kEntries[] = {
    property::ValueEntry<std::int32_t>("dummy", PROPERTY_POSITION(MonoBehaviorInterface, dummy),
                                       property::PlainFlags(property::flags::kReadOnly)),
};
inline constexpr auto kIndex = property::BuildIndex(kEntries);
inline constexpr property::table kTable = property::MakeTable("MonoBehaviorInterface", kEntries, kIndex);
} // namespace monobehavior_table

inline const property::table& MonoBehaviorInterface::StaticPropertyTable()
{
    return monobehavior_table::kTable;
}
