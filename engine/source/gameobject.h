#pragma once
#include "component.h"
#include "gameobjectinterface.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

// Which of the object factory's lists holds an object, if any.
enum class ObjectPlace : std::uint8_t
{
    None,
    Live,
    DestroyQueue,
    DeletedBuffer,
    Prefab,
};

// A named scene object owning an ordered list of components, at most one of each class, one collider and
// one light. The object factory owns every object and deletes it as a GameObject.
class GameObject final : public GameObjectInterface
{
public:
    // The removed-components buffer keeps this many for undo; older ones are deleted.
    static constexpr std::size_t kRemovedComponentsKept = 20;

    GameObject(std::string name, ObjectId id);
    // A copy under a fresh id, held nowhere: the components are cloned; buffer, parent and children start empty.
    GameObject(const GameObject& source);
    // An object made from a prefab: the copy above under the given name and id, remembering the source's id.
    GameObject(const GameObject& source, std::string name, ObjectId id);
    GameObject& operator=(const GameObject&) = delete;
    ~GameObject();

    TransformInterface* GetTransform() const override;
    RigidBodyInterface* GetRigidBody() const override;
    ColliderInterface* GetCollider() const override;
    LightInterface* GetLight() const override;
    MeshFilterInterface* GetMeshFilter() const override;
    MeshRendererInterface* GetMeshRenderer() const override;
    AnimatorInterface* GetAnimator() const override;
    AudioSourceInterface* GetAudioSource() const override;
    CameraInterface* GetCamera() const override;
    WaypointInterface* GetWaypoint() const override;
    ImageInterface* GetImage() const override;
    RectTransformInterface* GetRectTransform() const override;
    CanvasInterface* GetCanvas() const override;
    CanvasRendererInterface* GetCanvasRenderer() const override;
    ParticleSystemInterface* GetParticleSystem() const override;
    MonoBehaviorInterface* GetScript(const std::string& name) const override;
    MonoBehaviorDLLInterface* GetMonoBehavior() const override;
    const std::string& GetTag() const override { return tag_; }
    void SetTag(const std::string& tag) override { tag_ = tag; }
    std::string GetName() const override { return name_; }
    ObjectId GetID() const override { return id_; }
    // Queues "Enable" or "Disable" for every system when the value changes, then stores it. Children are
    // not touched.
    void SetActive(bool active) override;
    bool IsActive() const override { return active_; }
    void Destroy() override;
    GameObject* GetParent() const override { return parent_; }
    const std::vector<GameObject*>& GetChildren() const override { return children_; }

    // The first component, in list order, that is a T or derives from one.
    template <class T>
    T* GetComponent() const
    {
        for (const auto& component : components_)
            if (auto* found = dynamic_cast<T*>(component.get()))
                return found;
        return nullptr;
    }

    void SetName(std::string name) { name_ = std::move(name); }
    // The factory finds live objects by id: a live object's id changes through the factory only.
    void SetID(ObjectId id) { id_ = id; }
    ObjectId GetPrefabID() const { return prefabId_; }
    ObjectId GetParentID() const { return parentId_; }
    void SetParentID(ObjectId id) { parentId_ = id; }
    bool IsMoveable() const { return moveable_; }
    void SetMoveable(bool moveable) { moveable_ = moveable; }
    const std::vector<std::unique_ptr<Component>>& GetComponents() const { return components_; }
    const std::deque<std::unique_ptr<Component>>& GetRemovedComponents() const { return removed_; }
    // Whoever holds the object (the factory) keeps this up to date as the object moves between its lists.
    ObjectPlace GetPlace() const { return place_; }
    void SetPlace(ObjectPlace place) { place_ = place; }
    // Destroyed: waiting to be freed, or kept in the editor's deleted-objects buffer. A "Register" that
    // arrives after its "Destroy" must not list it, or the system would read it once it is freed.
    bool IsDestroyed() const { return place_ == ObjectPlace::DestroyQueue || place_ == ObjectPlace::DeletedBuffer; }
    // Whether its components' owner lookups give this object: when live or queued for freeing, or with
    // inPrefabs when a prefab.
    bool AnswersOwnerLookup(bool inPrefabs) const;

    // The component the object has for a registered element name: a new one, or the one of that class
    // (any collider for a collider name, any light for a light name) it already had. Null, after an
    // assertion, for a name the registry lacks.
    Component* AddComponent(const std::string& elementName);
    // The same rules for a component already made by the creator of that name; the one not kept is deleted.
    Component* AddComponent(const std::string& elementName, std::unique_ptr<Component> created);
    // Parks a component of this object in the removed-components buffer; the renderer forgets the object's
    // mesh, light or camera with it.
    void RemoveComponent(Component* component);
    // Parks the first component of the name's kind; returns it, or null. The renderer is not told.
    Component* RemoveComponentByName(const std::string& elementName);
    // Moves a parked component back to the end of the list.
    void RestoreComponent(Component* component);
    void EnsureTransform();
    // Makes a prefab object what the source is: its tag, its active flag (told no one: a prefab is in no
    // system's lists) and copies of its components, the transform without a parent. Name, ids and links stay.
    void TakePrefabContents(const GameObject& source);

    // Object links only; transforms and positions are the callers' business. A link that would make an
    // object its own ancestor is refused.
    void AddChild(GameObject* child);
    // AddChild for a caller that has ruled out loops already, for many links at once (the level reader).
    void AddChildWithoutLoopCheck(GameObject* child);
    void RemoveChild(GameObject* child);
    // RemoveChild for every child, in one pass over the list.
    void DetachChildren();
    void DetachFromParent();
    bool IsDescendant(const GameObject* other) const;
    // Cuts every link to and from objects about to be freed together. One by one, each would search its
    // parent's list: quadratic for a parent with many children.
    static void UnlinkForFreeing(std::span<GameObject* const> objects);

    // One element of the level format; components against the prefab's when the object has one.
    void Serialize(XMLWriter& writer, const std::string& elementName) const;
    // Loads each element of a "Components" node into the object's component of that name.
    void DeserializeComponents(const XMLNode& components);

    // The first component of the kind; cheaper than GetComponent where the kind names one class (a body,
    // any collider).
    Component* FirstOfType(CompEnum type) const;

private:
    // Takes the object out of the renderer's lists that the component filed it in.
    void ForgetDrawing(const Component& component);
    Component* FindByElementName(const std::string& elementName) const;
    // Appends the component and links it back to this object.
    Component* Adopt(std::unique_ptr<Component> component);
    void Park(std::vector<std::unique_ptr<Component>>::iterator position);

    bool moveable_ = true;
    ObjectPlace place_ = ObjectPlace::None;
    std::string name_;
    std::string tag_;
    ObjectId prefabId_ = 0;
    ObjectId id_;
    ObjectId parentId_ = 0;
    std::vector<std::unique_ptr<Component>> components_;
    // Oldest first.
    std::deque<std::unique_ptr<Component>> removed_;
    bool active_ = true;
    GameObject* parent_ = nullptr;
    std::vector<GameObject*> children_;
};
