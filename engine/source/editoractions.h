#pragma once
// The editor's one undo history: object creation and deletion, component adds and removes, and the value
// edits of 13 component types. Actions name objects by id and look them up when they run, so an action whose
// object is gone (freed, or made a prefab) does nothing but move the cursor.
#include "c_animator.h"
#include "c_audiolistener.h"
#include "c_audiosource.h"
#include "c_collider.h"
#include "c_light.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "c_waypoint.h"
#include "editor.h"
#include "gameobject.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

class Editor::Actions
{
public:
    virtual ~Actions() = default;
    virtual void Redo() = 0;
    virtual void Undo() = 0;
};

// Where a parked object hung in the hierarchy, to hang it there again.
struct ObjectLinks
{
    ObjectId parent = 0;
    std::vector<ObjectId> children;
};

// Cuts the object loose from its parent and its children, remembering them.
ObjectLinks DetachObject(GameObject& object);
// Links back those of them that still live and have found no other parent since.
void RelinkObject(GameObject& object, const ObjectLinks& links);

// One object created (recorded alive) or deleted (recorded parked from its place in the live objects' order);
// undo and redo both toggle, and a parked object comes back to its place, so a save keeps the file's order.
class Editor::ObjectAction final : public Editor::Actions
{
public:
    ObjectAction(ObjectId id, bool alive, ObjectLinks links = {}, std::size_t place = 0)
        : id_(id), alive_(alive), links_(std::move(links)), place_(place)
    {
    }
    void Redo() override { Toggle(); }
    void Undo() override { Toggle(); }

private:
    void Toggle();

    ObjectId id_;
    bool alive_;
    ObjectLinks links_;
    std::size_t place_;
};

// One component added (recorded attached) or removed (recorded parked); undo and redo both toggle.
class Editor::ComponentAction final : public Editor::Actions
{
public:
    ComponentAction(ObjectId owner, const Component& component, bool attached)
        : owner_(owner), serial_(component.GetSerial()), attached_(attached)
    {
    }
    void Redo() override { Toggle(); }
    void Undo() override { Toggle(); }

private:
    void Toggle();

    ObjectId owner_;
    // Looked for in the owner's lists: the component may have been freed, and another made at its address.
    std::uint64_t serial_;
    bool attached_;
};

// The history, oldest first, and how many of its entries are applied.
const std::deque<std::unique_ptr<Editor::Actions>>& ActionHistory();
int ActionCursor();
// Drops what could have been redone, then appends; the oldest entry leaves once 20 are held.
void RecordAction(std::unique_ptr<Editor::Actions> action);
// Ctrl+Z and Ctrl+Y; nothing when there is nothing to undo or redo.
void UndoAction();
void RedoAction();
void ClearActionHistory();

// The object the id names among the live objects, then the parked ones, then (with prefabs) the prefabs.
GameObject* FindRecordedObject(ObjectId id, bool prefabs);

// An empty object with a Transform, recorded so that one undo removes it; null when it could not be made.
GameObject* CreateObjectRecorded(const std::string& name);
// The component the object has for the name after adding it; recorded only when it is new.
Component* RecordComponentAdd(GameObject& object, const std::string& name);
// The component parked for the name, recorded; null when the object has none.
Component* RecordComponentRemove(GameObject& object, const std::string& name);

// One member an edit keeps: how to read it from a T and write it back.
template <class T, class Get, class Set>
struct EditMember
{
    using Value = std::remove_cvref_t<std::invoke_result_t<Get, const T&>>;
    Get get;
    Set set;
};

template <class T, class Get, class Set>
constexpr EditMember<T, Get, Set> Kept(Get get, Set set)
{
    return {get, set};
}

template <class T>
constexpr auto KeptEnabled()
{
    return Kept<T>(&Component::IsEnabled, &Component::SetEnabledAndNotify);
}

// The members an edit action keeps of each type that has one; a type without an entry has no edit action.
template <class T>
struct EditMembers;

template <>
struct EditMembers<Transform>
{
    static constexpr auto kMembers =
        std::tuple{KeptEnabled<Transform>(), Kept<Transform>(&Transform::GetPosition, &Transform::SetPosition),
                   Kept<Transform>(&Transform::GetRotation, &Transform::SetRotationRaw),
                   Kept<Transform>(&Transform::GetScale, &Transform::SetScale),
                   Kept<Transform>(&Transform::GetRotationMatrix, &Transform::SetRotationMatrix)};
    // The axes follow the matrix.
    static void Finish(Transform& transform) { transform.UpdateAxes(); }
};

template <>
struct EditMembers<RigidBody>
{
    // Static before mass: making a body static overrides its mass.
    static constexpr auto kMembers =
        std::tuple{KeptEnabled<RigidBody>(), Kept<RigidBody>(&RigidBody::IsStatic, &RigidBody::SetStatic),
                   Kept<RigidBody>(&RigidBody::GetMass, &RigidBody::SetMass),
                   Kept<RigidBody>(&RigidBody::GetGravityScale, &RigidBody::SetGravityScale)};
};

template <class Shape>
constexpr auto KeptColliderMembers()
{
    return std::tuple{KeptEnabled<Shape>(), Kept<Shape>(&Collider::IsTrigger, &Collider::SetTrigger),
                      Kept<Shape>(&Collider::GetOffset, &Collider::SetOffset)};
}

template <>
struct EditMembers<BoxCollider>
{
    static constexpr auto kMembers = std::tuple_cat(
        KeptColliderMembers<BoxCollider>(),
        std::tuple{Kept<BoxCollider>(&BoxCollider::GetSize, &BoxCollider::SetSize)});
};

template <>
struct EditMembers<SphereCollider>
{
    static constexpr auto kMembers = std::tuple_cat(
        KeptColliderMembers<SphereCollider>(),
        std::tuple{Kept<SphereCollider>(&SphereCollider::GetRadius, &SphereCollider::SetRadius)});
};

template <>
struct EditMembers<CapsuleCollider>
{
    static constexpr auto kMembers =
        std::tuple_cat(KeptColliderMembers<CapsuleCollider>(),
                       std::tuple{Kept<CapsuleCollider>(&CapsuleCollider::GetRadius, &CapsuleCollider::SetRadius),
                                  Kept<CapsuleCollider>(&CapsuleCollider::GetHeight, &CapsuleCollider::SetHeight)});
};

template <>
struct EditMembers<MeshFilter>
{
    static constexpr auto kMembers =
        std::tuple{KeptEnabled<MeshFilter>(), Kept<MeshFilter>(&MeshFilter::GetMeshName, &MeshFilter::SetMeshName)};
};

template <>
struct EditMembers<MeshRenderer>
{
    static constexpr auto kMembers = std::tuple{
        KeptEnabled<MeshRenderer>(), Kept<MeshRenderer>(&MeshRenderer::GetMaterialNames, &MeshRenderer::SetMaterialNames)};
};

template <>
struct EditMembers<AudioListener>
{
    static constexpr auto kMembers = std::tuple{
        KeptEnabled<AudioListener>(), Kept<AudioListener>(&AudioListener::GetRadius, &AudioListener::SetRadius)};
};

template <>
struct EditMembers<AudioSource>
{
    static constexpr auto kMembers =
        std::tuple{KeptEnabled<AudioSource>(), Kept<AudioSource>(&AudioSource::GetClipName, &AudioSource::LoadClip),
                   Kept<AudioSource>(&AudioSource::GetVolume, &AudioSource::SetVolume),
                   Kept<AudioSource>(&AudioSource::Is3D, &AudioSource::Set3D),
                   Kept<AudioSource>(&AudioSource::IsLooping, &AudioSource::SetLooping),
                   Kept<AudioSource>(&AudioSource::PlaysOnAwake, &AudioSource::SetPlayOnAwake),
                   Kept<AudioSource>(&AudioSource::IsMutedInEditor, &AudioSource::SetMuteInEditor)};
};

template <class Kind>
constexpr auto KeptLightMembers()
{
    return std::tuple{KeptEnabled<Kind>(), Kept<Kind>(&Light::GetAmbient, &Light::SetAmbient),
                      Kept<Kind>(&Light::GetDiffuse, &Light::SetDiffuse),
                      Kept<Kind>(&Light::GetSpecular, &Light::SetSpecular),
                      Kept<Kind>(&Light::GetIntensity, &Light::SetIntensity)};
}

template <>
struct EditMembers<DirectionalLight>
{
    static constexpr auto kMembers = std::tuple_cat(
        KeptLightMembers<DirectionalLight>(),
        std::tuple{Kept<DirectionalLight>(&DirectionalLight::GetDirection, &DirectionalLight::SetDirection)});
};

template <>
struct EditMembers<PointLight>
{
    static constexpr auto kMembers = std::tuple_cat(
        KeptLightMembers<PointLight>(), std::tuple{Kept<PointLight>(&PointLight::GetRange, &PointLight::SetRange)});
};

template <>
struct EditMembers<Waypoint>
{
    static constexpr auto kMembers =
        std::tuple{KeptEnabled<Waypoint>(), Kept<Waypoint>(&Waypoint::GetEdgeIds, &Waypoint::SetEdgeIds)};
};

template <>
struct EditMembers<Animator>
{
    static constexpr auto kMembers = std::tuple{
        KeptEnabled<Animator>(), Kept<Animator>(&Animator::GetControllerName, &Animator::SetController)};
};

template <class T>
concept HasEditAction = requires { EditMembers<T>::kMembers; };

template <class Members>
struct ValuesOf;

template <class... Member>
struct ValuesOf<std::tuple<Member...>>
{
    using type = std::tuple<typename Member::Value...>;
};

// The kept members' values, in table order.
template <HasEditAction T>
using EditRecord = typename ValuesOf<std::remove_cvref_t<decltype(EditMembers<T>::kMembers)>>::type;

template <HasEditAction T>
EditRecord<T> TakeEditRecord(const T& component)
{
    return std::apply([&](const auto&... member) { return EditRecord<T>{std::invoke(member.get, component)...}; },
                      EditMembers<T>::kMembers);
}

template <HasEditAction T>
bool MatchesEditRecord(const T& component, const EditRecord<T>& record)
{
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return ((std::invoke(std::get<I>(EditMembers<T>::kMembers).get, component) == std::get<I>(record)) && ...);
    }(std::make_index_sequence<std::tuple_size_v<EditRecord<T>>>{});
}

template <HasEditAction T>
void GiveEditRecord(T& component, const EditRecord<T>& record)
{
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (std::invoke(std::get<I>(EditMembers<T>::kMembers).set, component, std::get<I>(record)), ...);
    }(std::make_index_sequence<std::tuple_size_v<EditRecord<T>>>{});
    if constexpr (requires { EditMembers<T>::Finish(component); })
        EditMembers<T>::Finish(component);
}

// Writes `to` into the owner's first T that still holds `from`; a T changed since, or gone, is left alone.
template <HasEditAction T>
void ApplyComponentState(ObjectId owner, const EditRecord<T>& from, const EditRecord<T>& to)
{
    GameObject* object = FindRecordedObject(owner, true);
    if (!object)
        return;
    for (const auto& component : object->GetComponents())
        if (auto* typed = dynamic_cast<T*>(component.get()); typed && MatchesEditRecord(*typed, from))
        {
            GiveEditRecord(*typed, to);
            return;
        }
}

template <class T>
class Editor::ComponentEditAction final : public Editor::Actions
{
public:
    ComponentEditAction(ObjectId owner, EditRecord<T> before, EditRecord<T> after)
        : owner_(owner), before_(std::move(before)), after_(std::move(after))
    {
    }
    void Redo() override { ApplyComponentState<T>(owner_, before_, after_); }
    void Undo() override { ApplyComponentState<T>(owner_, after_, before_); }

private:
    ObjectId owner_;
    EditRecord<T> before_;
    EditRecord<T> after_;
};

// Applies change (a callable taking T&) to the object's first T (GameObject::GetComponent<T>); for the 13
// types with edit actions it is recorded for undo in the inspector's order (action, before, change,
// after, Record). False when the object has no T.
template <class T, class Change>
bool RecordComponentEdit(GameObject& object, Change&& change)
{
    T* component = object.GetComponent<T>();
    if (!component)
        return false;
    if constexpr (HasEditAction<T>)
    {
        EditRecord<T> before = TakeEditRecord(*component);
        std::forward<Change>(change)(*component);
        RecordAction(std::make_unique<Editor::ComponentEditAction<T>>(object.GetID(), std::move(before),
                                                                      TakeEditRecord(*component)));
    }
    else
        std::forward<Change>(change)(*component);
    return true;
}

