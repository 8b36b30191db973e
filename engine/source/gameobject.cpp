#include "gameobject.h"

#include "animatorinterface.h"
#include "assertion.h"
#include "audiosourceinterface.h"
#include "c_canvas.h"
#include "camerainterface.h"
#include "canvasinterface.h"
#include "canvasrendererinterface.h"
#include "colliderinterface.h"
#include "componentregistry.h"
#include "core.h"
#include "graphics.h"
#include "imageinterface.h"
#include "lightinterface.h"
#include "meshfilterinterface.h"
#include "meshrendererinterface.h"
#include "messagingsystem.h"
#include "monobehaviordllinterface.h"
#include "objecthooks.h"
#include "objectid.h"
#include "particlesysteminterface.h"
#include "recttransforminterface.h"
#include "rigidbodyinterface.h"
#include "transforminterface.h"
#include "waypointinterface.h"

#include <algorithm>
#include <typeinfo>
#include <unordered_set>
#include <utility>

GameObject::GameObject(std::string name, ObjectId id) : name_(std::move(name)), id_(id) {}

GameObject::GameObject(const GameObject& source) : GameObject(source, source.name_, GenerateObjectId())
{
    prefabId_ = source.prefabId_;
}

GameObject::GameObject(const GameObject& source, std::string name, ObjectId id)
    : name_(std::move(name)), tag_(source.tag_), prefabId_(source.id_), id_(id), parentId_(source.parentId_),
      active_(source.active_)
{
    for (const auto& component : source.components_)
        Adopt(component->Clone());
}

GameObject::~GameObject()
{
    // Components being freed find no owner, as the factory's lists no longer hold this object.
    place_ = ObjectPlace::None;
    // Nobody is left holding a link to a freed object, a canvas's element list included.
    if (parent_)
    {
        std::erase(parent_->children_, this);
        UnlinkCanvasChild(*parent_, *this);
    }
    for (GameObject* child : children_)
        if (child->parent_ == this)
        {
            child->parent_ = nullptr;
            LeaveCanvas(*child);
        }
}

TransformInterface* GameObject::GetTransform() const
{
    return GetComponent<TransformInterface>();
}

RigidBodyInterface* GameObject::GetRigidBody() const
{
    return GetComponent<RigidBodyInterface>();
}

ColliderInterface* GameObject::GetCollider() const
{
    return GetComponent<ColliderInterface>();
}

LightInterface* GameObject::GetLight() const
{
    return GetComponent<LightInterface>();
}

MeshFilterInterface* GameObject::GetMeshFilter() const
{
    return GetComponent<MeshFilterInterface>();
}

MeshRendererInterface* GameObject::GetMeshRenderer() const
{
    return GetComponent<MeshRendererInterface>();
}

AnimatorInterface* GameObject::GetAnimator() const
{
    return GetComponent<AnimatorInterface>();
}

AudioSourceInterface* GameObject::GetAudioSource() const
{
    return GetComponent<AudioSourceInterface>();
}

CameraInterface* GameObject::GetCamera() const
{
    return GetComponent<CameraInterface>();
}

WaypointInterface* GameObject::GetWaypoint() const
{
    return GetComponent<WaypointInterface>();
}

ImageInterface* GameObject::GetImage() const
{
    return GetComponent<ImageInterface>();
}

RectTransformInterface* GameObject::GetRectTransform() const
{
    return GetComponent<RectTransformInterface>();
}

CanvasInterface* GameObject::GetCanvas() const
{
    return GetComponent<CanvasInterface>();
}

CanvasRendererInterface* GameObject::GetCanvasRenderer() const
{
    return GetComponent<CanvasRendererInterface>();
}

ParticleSystemInterface* GameObject::GetParticleSystem() const
{
    return GetComponent<ParticleSystemInterface>();
}

MonoBehaviorInterface* GameObject::GetScript(const std::string& name) const
{
    const MonoBehaviorDLLInterface* holder = GetMonoBehavior();
    return holder ? holder->GetScript(name) : nullptr;
}

MonoBehaviorDLLInterface* GameObject::GetMonoBehavior() const
{
    return GetComponent<MonoBehaviorDLLInterface>();
}

void GameObject::SetActive(bool active)
{
    if (active == active_)
        return;
    PostMessage(SystemId::None, SystemId::All, active_ ? MessageNames::Disable : MessageNames::Enable, this);
    active_ = active;
}

void GameObject::Destroy()
{
    const auto destroyObject = GetObjectFactoryHooks().destroyObject;
    // ASSERT, not Check: its message is built only when it fails, and objects are destroyed often.
    ASSERT(destroyObject, "GameObject - no object factory to destroy " + name_);
    if (destroyObject)
        destroyObject(*this);
}

bool GameObject::AnswersOwnerLookup(bool inPrefabs) const
{
    if (inPrefabs)
        return place_ == ObjectPlace::Prefab;
    return place_ == ObjectPlace::Live || place_ == ObjectPlace::DestroyQueue;
}

Component* GameObject::FirstOfType(CompEnum type) const
{
    const auto found = std::ranges::find_if(components_, [&](const auto& owned) { return owned->GetKind() == type; });
    return found == components_.end() ? nullptr : found->get();
}

Component* GameObject::AddComponent(const std::string& elementName)
{
    const auto creator = ComponentCreators().find(elementName);
    if (creator == ComponentCreators().end())
    {
        ASSERT(false, "Component Not Mapped : " + elementName);
        return nullptr;
    }
    return AddComponent(elementName, creator->second());
}

Component* GameObject::AddComponent(const std::string& elementName, std::unique_ptr<Component> created)
{
    // One collider and one light of any kind, and one component of every other class.
    Component* existing = nullptr;
    if (elementName.find("Collider") != std::string::npos)
        existing = FirstOfType(CompEnum::Collider);
    if (!existing && elementName.find("Light") != std::string::npos)
        existing = FirstOfType(CompEnum::Light);
    if (!existing)
    {
        const auto sameClass = std::ranges::find_if(
            components_, [&](const auto& owned) { return typeid(*owned) == typeid(*created); });
        existing = sameClass == components_.end() ? nullptr : sameClass->get();
    }
    return existing ? existing : Adopt(std::move(created));
}

void GameObject::TakePrefabContents(const GameObject& source)
{
    tag_ = source.tag_;
    active_ = source.active_;
    components_.clear();
    for (const auto& component : source.components_)
        Adopt(component->Clone());
    if (TransformInterface* transform = GetTransform())
        transform->SetParent(nullptr);
}

Component* GameObject::Adopt(std::unique_ptr<Component> component)
{
    component->owner_ = this;
    components_.push_back(std::move(component));
    return components_.back().get();
}

void GameObject::Park(std::vector<std::unique_ptr<Component>>::iterator position)
{
    if (removed_.size() == kRemovedComponentsKept)
        removed_.pop_front();
    UnlinkCanvasComponent(*this, **position);
    (*position)->owner_ = nullptr;
    removed_.push_back(std::move(*position));
    components_.erase(position);
}

void GameObject::RemoveComponent(Component* component)
{
    const auto found =
        std::ranges::find_if(components_, [&](const auto& owned) { return owned.get() == component; });
    if (found == components_.end())
        return;
    ForgetDrawing(*component);
    Park(found);
}

void GameObject::ForgetDrawing(const Component& component)
{
    Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr;
    const CompEnum type = component.GetKind();
    // Only the object's first renderer piece or light is what the renderer filed it by.
    if (!graphics || FirstOfType(type) != &component)
        return;
    if (type == CompEnum::MeshRenderer || type == CompEnum::MeshFilter)
        graphics->RemoveRenderable(this);
    else if (type == CompEnum::Light)
        graphics->RemoveLight(this);
    // The game camera must not stay one that the removed-components buffer frees later.
    else if (type == CompEnum::Camera)
        graphics->RemoveCamera(this);
}

Component* GameObject::RemoveComponentByName(const std::string& elementName)
{
    const auto creator = ComponentCreators().find(elementName);
    if (creator == ComponentCreators().end())
        return nullptr;
    // Colliders share one kind, as do lights: "SphereCollider" parks a box collider as well.
    const CompEnum kind = creator->second()->GetKind();
    const auto found =
        std::ranges::find_if(components_, [&](const auto& owned) { return owned->GetKind() == kind; });
    if (found == components_.end())
        return nullptr;
    Component* parked = found->get();
    Park(found);
    return parked;
}

void GameObject::RestoreComponent(Component* component)
{
    const auto found = std::ranges::find_if(removed_, [&](const auto& parked) { return parked.get() == component; });
    if (found == removed_.end())
        return;
    LinkCanvasComponent(*this, *Adopt(std::move(*found)));
    removed_.erase(found);
}

void GameObject::EnsureTransform()
{
    AddComponent("Transform");
}

void GameObject::AddChild(GameObject* child)
{
    if (child && child->parent_ != this && (child == this || child->IsDescendant(this)))
    {
        ASSERT(false, "GameObject - " + child->name_ + " cannot become a child of its own descendant");
        return;
    }
    AddChildWithoutLoopCheck(child);
}

void GameObject::AddChildWithoutLoopCheck(GameObject* child)
{
    if (!child)
        return;
    const bool newChild = child->parent_ != this;
    if (newChild)
    {
        // An object has one parent: the old one lets go first.
        child->DetachFromParent();
        child->parentId_ = id_;
        child->parent_ = this;
        children_.push_back(child);
    }
    // Also for a child already here: its CanvasRenderer may have come after it.
    LinkCanvasChild(*this, *child, newChild);
}

void GameObject::RemoveChild(GameObject* child)
{
    if (!child)
        return;
    const ObjectId childId = child->id_;
    // Every entry of that id leaves (two only after a damaged file), and none keeps a link that would
    // dangle once this object is freed, in the canvas's element list neither.
    std::erase_if(children_, [&](GameObject* listed) {
        if (listed->id_ != childId)
            return false;
        UnlinkCanvasChild(*this, *listed);
        listed->parent_ = nullptr;
        listed->parentId_ = 0;
        return true;
    });
}

void GameObject::DetachChildren()
{
    if (GetComponent<Canvas>())
        DropCanvasElements(*this, {children_.begin(), children_.end()});
    for (GameObject* child : std::exchange(children_, {}))
    {
        LeaveCanvas(*child);
        child->parent_ = nullptr;
        child->parentId_ = 0;
    }
}

void GameObject::DetachFromParent()
{
    if (!parent_)
        return;
    parent_->RemoveChild(this);
}

// Upwards: the other object's ancestors are one chain, however deep or wide the tree below this one is.
bool GameObject::IsDescendant(const GameObject* other) const
{
    for (const GameObject* ancestor = other ? other->parent_ : nullptr; ancestor; ancestor = ancestor->parent_)
        if (ancestor == this)
            return true;
    return false;
}

void GameObject::UnlinkForFreeing(std::span<GameObject* const> objects)
{
    for (GameObject* object : objects)
    {
        for (GameObject* child : object->children_)
            if (child->parent_ == object)
            {
                child->parent_ = nullptr;
                LeaveCanvas(*child);
            }
        object->children_.clear();
    }
    // What is left are links to parents that stay: each such parent's list is swept once.
    const std::unordered_set<const GameObject*> going(objects.begin(), objects.end());
    std::unordered_set<GameObject*> staying;
    for (GameObject* object : objects)
        if (object->parent_)
            staying.insert(std::exchange(object->parent_, nullptr));
    for (GameObject* parent : staying)
    {
        std::erase_if(parent->children_, [&](const GameObject* child) { return going.contains(child); });
        DropCanvasElements(*parent, going);
    }
}

void GameObject::Serialize(XMLWriter& writer, const std::string& elementName) const
{
    writer.BeginElement(elementName);
    writer.WriteElement("Name", name_);
    writer.WriteElement("PrefabID", prefabId_);
    writer.WriteElement("ID", id_);
    writer.WriteElement("ParentID", parentId_);
    writer.WriteElement("Tag", tag_);
    writer.WriteElement("Enabled", active_);
    writer.BeginElement("Components");
    // A prefab id that names no loaded prefab saves every component whole, so nothing is lost.
    const auto findPrefab = GetObjectFactoryHooks().findPrefab;
    const GameObject* prefab = prefabId_ != 0 && findPrefab ? findPrefab(prefabId_) : nullptr;
    for (const auto& component : components_)
        component->Serialize(writer, prefab ? prefab->FindByElementName(component->GetElementName()) : nullptr);
    writer.EndElement();
    writer.EndElement();
}

Component* GameObject::FindByElementName(const std::string& elementName) const
{
    const auto found = std::ranges::find_if(
        components_, [&](const auto& owned) { return owned->GetElementName() == elementName; });
    return found == components_.end() ? nullptr : found->get();
}

void GameObject::DeserializeComponents(const XMLNode& components)
{
    for (const XMLNode* element : components.children)
    {
        Component* target =
            element->name == "Transform" ? FirstOfType(CompEnum::Transform) : AddComponent(element->name);
        if (!target)
            continue;
        target->Deserialize(*element);
        target->PostLoad();
    }
}
